#pragma once
#include <cstdint>

#include "SVFramework/ControlBase/Control.h"
#include "SVFramework/ControlBase/KeyParam.h"
#include "SVFramework/Controls/Panel.h"
#include "SVFramework/Utilities/PointT.h"
#include "SVFramework/notification/NotificationHandler.h"

namespace SV {

// A thumb on a straight track that shows the control's normalised value. The track runs
// from the top-left corner of the child "thumbStart" (value 0) to that of "thumbEnd"
// (value 1), in any direction; both markers are hidden and only give positions. The
// thumb ("thumb") is made from a copy of the start marker's skin entry.
// The user drags the thumb, presses on the track (steps of at most a tenth of the range,
// after 0.3 s and then every 0.1 s while held), turns the wheel or uses the arrow keys
// (1 in value units each). A drag is bracketed by "NID_VALUE_CHANGE_CAPTURE" true/false,
// an arrow sequence by "NID_VALUE_CHANGE_KEY_DOWN"/"NID_VALUE_CHANGE_KEY_UP". A value set
// from outside during a drag waits until the drag ends. Looks: 0 normal, 1 containing
// the focus, 2 disabled. A skin without both markers gives a slider that shows nothing
// and steps nothing. A thumb that is a button keeps its pressed look while it is
// dragged. UI thread only.
class LSlider : public LPanel {
 public:
  using SliderHandlers = LNotificationHandler<LSlider>;

  LSlider(const RCPtr<LControl>& parent, const String& name);
  ~LSlider() override;

  // Outside a thumb drag: SetValue. During one the value is kept for the drag's end and
  // the current value is answered.
  double SetNormalizedValue(double value) override;
  void EndClientRectWatch() override;
  void OnConditionsChanged(const RCPtr<LConditionsParam>& param) override;
  SVRESULT OnMouseWheel(const LMouseWheelParam& param) override;
  SVRESULT OnMouseHWheel(const LMouseWheelParam& param) override;
  void OnBeforeLeftClick(const RCPtr<LMouseButtonParam>& param) override;
  // The arrow keys of a slider that holds the focus itself; 0 when used.
  SVRESULT HandleKey(const RCPtr<LKeyParam>& key) override;
  // The arrow keys passed on by a focused child; other keys go the usual way.
  SVRESULT RouteUnhandledKey(const RCPtr<LKeyParam>& key) override;
  void OnIdle() override;
  SVRESULT Initialize() override;
  SVRESULT AdoptChild(const RCPtr<LControl>& child, const RCPtr<LControlDescriptor>& descriptor) override;
  // A new skin keeps the thumb, although no skin entry names it.
  SVRESULT ApplyDescriptor(const RCPtr<LControlDescriptor>& descriptor) override;
  void OnDescriptorApplied() override;
  int32_t Receive(const RCPtr<LNotificationDistributor>& source, const RCPtr<LNotification>& notification) override;
  SVRESULT UnsubscribeVirtual(const RCPtr<LNotificationDistributor>& source, const char16_t* idText) override;
  SVRESULT ReleaseInternalReferences() override;

  // Sets the normalised value (clamped to 0..1, "NID_VALUE_CHANGE" on a change) and
  // places the thumb; answers the stored value.
  virtual double SetValue(double normalized);
  // The value the thumb's corner stands for.
  virtual void UpdateValueFromThumb();
  // Moves the thumb's corner to the value's point of the track; nothing during a drag.
  virtual void PlaceThumb();
  // The thumb corner for a pointer at `point` (slider coordinates) with the drag's grab
  // offset, kept inside the box spanned by the track's ends.
  virtual PointT<int32_t> ProjectOntoTrack(PointT<int32_t> point) const;
  // Distance of `point` from the track's start over the track's length; 0 for a track
  // of length 0.
  virtual double GetTrackFraction(PointT<int32_t> point) const;
  // One track step towards `point` (slider coordinates): at most the page step, never
  // beyond the point.
  void StepTowards(PointT<int32_t> point);

  const RCPtr<LControl>& GetThumb() const { return mThumb; }
  PointT<int32_t> GetTrackStart() const;
  PointT<int32_t> GetTrackEnd() const;
  PointT<int32_t> GetHotPointOffset() const { return mHotPointOffset; }
  bool IsDragging() const { return mDragging; }
  bool IsTrackRepeating() const { return mTrackRepeatOn; }
  double GetPageStep() const { return mPageStep; }

 private:
  static constexpr double kFirstTrackStepDelay = 0.3;
  static constexpr double kTrackStepInterval = 0.1;

  int32_t OnThumbDragConditionChange(const RCPtr<LNotificationDistributor>& source,
                                     const RCPtr<LNotification>& notification);
  int32_t OnThumbMouseMove(const RCPtr<LNotificationDistributor>& source, const RCPtr<LNotification>& notification);
  void BeginThumbDrag(PointT<double> pointerInThumb);
  void EndThumbDrag();
  PointT<int32_t> ThumbToSlider(PointT<double> pointInThumb) const;
  PointT<int32_t> ThumbCorner() const;
  void MoveThumbTo(PointT<int32_t> corner);
  RCPtr<LControlDescriptor> MakeThumbDescriptor() const;
  SVRESULT CreateThumb();
  void BindThumb();
  void StartTrackRepeat();
  void StopTrackRepeat();
  PointT<int32_t> PointerInSlider() const;
  // 0 for an arrow key it used, 1 for any other key.
  SVRESULT HandleArrowKey(const RCPtr<LKeyParam>& key);
  void EndKeyStep(const RCPtr<LRefCountedObject>& payload);
  void StepByValueUnits(double delta);
  void ShowConditionLook(uint32_t conditions);
  void Announce(const char16_t* id, const RCPtr<LRefCountedObject>& payload);

  RCPtr<SliderHandlers> mHandler;
  RCPtr<LControl> mThumb;
  RCPtr<LControl> mStartMarker;
  RCPtr<LControl> mEndMarker;
  bool mDragging = false;
  PointT<int32_t> mGrabOffset{0, 0};
  double mPageStep = 0.1;
  bool mTrackRepeatOn = false;
  double mLastTick = 0;
  double mTimeToNextRepeat = 0;
  double mPendingValue = -1.0;
  bool mApplyPendingAtDragEnd = true;
  bool mKeyStepOn = false;
  PointT<int32_t> mHotPointOffset{0, 0};
};

}  // namespace SV
