#pragma once
#include <cstdint>

#include "SVFramework/ControlBase/Control.h"

namespace SV {

// The bar between two panes that the user drags to give one pane more room. It works
// only through its siblings' placement records: its own position on its axis names
// the pane before it (the target), which a drag resizes; the panes placed after it
// follow. Drags and window resizes keep every affected pane within its minimum and
// maximum size. Orientation 0 is a horizontal bar moving along Y, 1 a vertical bar
// moving along X. UI thread only.
class LSplitterBase : public LControl {
public:
  LSplitterBase(const RCPtr<LControl>& parent, const String& name, int32_t orientation);

  SVRESULT BeginDrag() override;
  void ApplyDrag(const RCPtr<LPointWithModifiersParam>& pointer) override;
  SVRESULT EndDrag() override;
  // The allowed positions of the pointer on the splitter's axis during a drag.
  void GetDragLimits(RectT<double>& limits) override;
  void OnConditionsChanged(const RCPtr<LConditionsParam>& param) override;
  // Sets the resize cursor of the orientation.
  SVRESULT Initialize() override;
  // Re-places the splitter, then resizes the target pane so that the splitter lies
  // within the limits of the panes around it.
  SVRESULT OnRelayoutRequest() override;

  int32_t GetOrientation() const { return mOrientation; }
  int32_t GetAxis() const { return mOrientation == 0 ? 1 : 0; }
  double GetDragMinimum() const { return mDragMinimum; }
  double GetDragMaximum() const { return mDragMaximum; }
  // The look as for an off button: 0 normal, 1 hovered or pressed away, 2 pressed and
  // hovered, plus 3 when focused; 6 disabled.
  int32_t ChooseLookIndex() const;

private:
  struct Limits {
    double minimum;
    double maximum;
  };
  double Position() const;
  RCPtr<LControl> FindTarget() const;
  // Steps shared by a drag start and the relayout check; `solved` measures the panes
  // after the splitter by solving their placement instead of their present rectangle.
  Limits ComputeLimits(const RCPtr<LControl>& target, bool solved) const;
  void LimitByTarget(const RCPtr<LControl>& target, Limits& limits) const;
  void LimitByLaterSibling(const LControl& sibling, bool solved, Limits& limits) const;
  double SolvedSize(const LControl& sibling) const;
  void ResizeTarget(const RCPtr<LControl>& target, double delta);
  void UpdateLook();

  int32_t mOrientation;
  double mDragMinimum = 0;
  double mDragMaximum = 4503599627370496.0;
  double mSavedOffsetAbs = 0;
  float mSavedOffsetRel = 0;
  RCPtr<LControl> mTarget;
  double mStartPosition = 0;
  double mStartSize = 0;
  double mStartOwnPosition = 0;
  double mPressOnAxis = 0;
};

}  // namespace SV
