#pragma once
#include <cstdint>

#include "SVFramework/ControlBase/PointParam.h"
#include "SVFramework/ObjectBase/SVResult.h"

namespace SV {

class LKeyParam;

// The input interface through which a root window drives a control. Handlers answer
// 0 when they handled the input and 1 when the next candidate should get it.
// UI thread only.
class UITarget {
public:
  virtual ~UITarget() = default;

  virtual SVRESULT OnMouseEnter(const RCPtr<LPointWithModifiersParam>& param) = 0;
  virtual SVRESULT OnMouseMove(const RCPtr<LPointWithModifiersParam>& param) = 0;
  virtual SVRESULT OnMouseDown(const RCPtr<LMouseButtonParam>& param) = 0;
  virtual SVRESULT OnMouseUp(const RCPtr<LMouseButtonParam>& param) = 0;
  virtual SVRESULT OnMouseLeave(const RCPtr<LPointWithModifiersParam>& param) = 0;
  // The press and capture: button (1 left, 2 middle, 4 right, or 0) at (x, y) in the
  // control's coordinates.
  virtual SVRESULT OnDragStart(int32_t button, int32_t x, int32_t y) = 0;
  virtual SVRESULT OnCaptureLost() = 0;
  virtual SVRESULT OnKeyPress(const RCPtr<LKeyParam>& param) = 0;
  virtual SVRESULT OnMouseWheel(const RCPtr<LMouseWheelParam>& param) = 0;
  virtual SVRESULT OnMouseHWheel(const RCPtr<LMouseWheelParam>& param) = 0;
  virtual SVRESULT OnRelayoutRequest() = 0;
  virtual bool CanLoseFocus() = 0;
  virtual SVRESULT OnFocusLost() = 0;
};

}  // namespace SV
