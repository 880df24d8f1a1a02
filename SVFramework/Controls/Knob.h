#pragma once
#include <cstdint>

#include "SVFramework/ControlBase/Control.h"

namespace SV {

// A rotary control drawn as a filmstrip: looks 0 .. n-1 are the frames at increasing
// values, followed by one empty entry and, optionally, a focus overlay look and a
// disabled overlay look. Exactly one frame is shown, chosen from the normalised value
// (range 0 .. 127). Dragging turns it linearly (right or up increases; Ctrl gives fine
// steps) or radially (the value follows the pointer's angle around the centre when a
// start or end angle is given); arrow keys and the wheel step it by one value unit.
// A value set from outside during a drag is applied when the drag ends. Drags and key
// sequences are bracketed by "NID_VALUE_CHANGE_CAPTURE" and "NID_VALUE_CHANGE_KEY_DOWN"
// / "NID_VALUE_CHANGE_KEY_UP". UI thread only.
class LKnob : public LControl {
public:
  LKnob(const RCPtr<LControl>& parent, const String& name);

  using LControl::OnMouseHWheel;
  using LControl::OnMouseWheel;

  // During a left drag on the knob only stores the value as pending and answers the
  // current one; otherwise the base operation.
  double SetNormalizedValue(double value) override;
  void OnValueChanged() override;
  void OnConditionsChanged(const RCPtr<LConditionsParam>& param) override;
  SVRESULT OnMouseMoved(const RCPtr<LPointWithModifiersParam>& param) override;
  SVRESULT OnMouseWheel(const LMouseWheelParam& param) override;
  SVRESULT OnMouseHWheel(const LMouseWheelParam& param) override;
  SVRESULT HandleKey(const RCPtr<LKeyParam>& key) override;
  // Reads the gesture create parameters and sets the range 0 .. 127.
  SVRESULT Initialize() override;
  // Counts the frames, finds the overlay looks, derives the linear travel and centre.
  void OnDescriptorApplied() override;

  // Radial gesture: the value at the angle of `point` (own coordinates) around the
  // centre; the centre itself and angles outside the arc and dead-zone rule change nothing.
  void SetValueFromAngle(PointT<int32_t> point);

  bool IsRadial() const { return mRadial; }
  int32_t GetLinearFullRange() const { return mLinearFullRange; }
  double GetStartAngle() const { return mStartAngle; }
  double GetEndAngle() const { return mEndAngle; }
  double GetFineAdjustMultiplier() const { return mFineAdjustMultiplier; }
  uint32_t GetFrameCount() const { return mFrameCount; }
  PointT<int32_t> GetCentre() const { return mCentre; }

private:
  bool IsLeftDragging() const;
  void LinearStep(PointT<int32_t> point);
  void StepByValueUnits(double units);
  void BeginGesture(PointT<int32_t> point);
  void EndGesture();
  void ApplyOverlay(int32_t overlayLook, bool on);
  void Announce(const char16_t* id, const RCPtr<LRefCountedObject>& payload);

  bool mRadial = false;
  int32_t mLinearFullRange = 0;
  double mStartAngle = 0;
  double mEndAngle = 0;
  double mFineAdjustMultiplier = 0;
  uint32_t mFrameCount = 0;
  PointT<int32_t> mPrevious;
  PointT<int32_t> mBefore;
  PointT<int32_t> mCentre;
  double mPendingValue = -1.0;
  bool mApplyPendingAtDragEnd = true;
  int32_t mFocusOverlayLook = -1;
  int32_t mDisabledOverlayLook = -1;
  bool mKeyStepOn = false;
};

}  // namespace SV
