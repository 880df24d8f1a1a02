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
  virtual SVRESULT OnDragStart(const RCPtr<LMouseButtonParam>& param) = 0;
  virtual SVRESULT OnCaptureLost() = 0;
  virtual SVRESULT OnKeyPress(const RCPtr<LKeyParam>& param) = 0;
  virtual SVRESULT OnMouseWheel(const RCPtr<LPointWithModifiersParam>& param, int32_t delta) = 0;
  virtual SVRESULT OnMouseHWheel(const RCPtr<LPointWithModifiersParam>& param, int32_t delta) = 0;
  virtual SVRESULT OnRelayoutRequest() = 0;
  virtual bool CanLoseFocus() = 0;
  virtual SVRESULT OnFocusLost() = 0;
};

}  // namespace SV
