#pragma once
#include <cstdint>

#include "SVFramework/ControlBase/Control.h"

namespace SV {

class LButton;

// A scroll bar: a position in [0, 1] (the control's normalized value) shown by a thumb
// that slides in a channel between two arrow buttons. Skin children, each optional:
// "dec" and "inc" (buttons), "channel" (a panel) holding "thumb" (a button). The user
// drags the thumb (the owner follows live), presses the channel to page (again after
// 0.4 s, then every 0.2 s while held), holds an arrow to step, and uses the arrow,
// page, Home and End keys. Every change is announced as "NID_VALUE_CHANGE". A value set
// during a thumb drag waits until the drag ends. Orientation follows the arrows'
// positions. Created for "Framework.ScrollBar". UI thread only.
class LScrollbar : public LControl {
public:
  using Handlers = LNotificationHandler<LScrollbar>;

  // Bits of the key mask.
  static constexpr int32_t kKeyUp = 0x01;
  static constexpr int32_t kKeyDown = 0x02;
  static constexpr int32_t kKeyLeft = 0x04;
  static constexpr int32_t kKeyRight = 0x08;
  static constexpr int32_t kKeyPageUp = 0x10;
  static constexpr int32_t kKeyPageDown = 0x20;
  static constexpr int32_t kKeyHome = 0x40;
  static constexpr int32_t kKeyEnd = 0x80;
  // Channel zones of a press.
  static constexpr int32_t kZoneNone = 0;
  static constexpr int32_t kZoneBefore = 1;
  static constexpr int32_t kZoneAfter = 2;

  LScrollbar(const RCPtr<LControl>& parent, const String& name);
  ~LScrollbar() override;

  // --- LControl overrides ---
  // During a thumb drag: kept as pending, the position is unchanged. Otherwise clamped
  // (NaN counts as 0), stored, announced and the thumb placed. Returns the position.
  double SetNormalizedValue(double value) override;
  // Keeps the value in range units across the change (clamped to the new range); an
  // invalid logarithmic range keeps the old one and gives E_INVALIDARG. Places the thumb.
  SVRESULT SetValueRange(double minimum, double maximum, int32_t taper) override;
  // Re-derives track and thumb from the channel.
  void EndClientRectWatch() override;
  // Channel paging while a press is held.
  void OnIdle() override;
  SVRESULT Initialize() override;
  // Bar and parts never take the focus; the thumb is never shorter than it is thick.
  void OnDescriptorApplied() override;
  // The bar's table, then the control's.
  int32_t Receive(const RCPtr<LNotificationDistributor>& source, const RCPtr<LNotification>& notification) override;

  // Which keys the bar handles (the kKey bits); the first non-zero mask binds the keys
  // offered by the parent and sent to the bar. E_INVALIDARG beyond 8 bits.
  SVRESULT SetKeyMask(int32_t mask);
  int32_t GetKeyMask() const { return mKeyMask; }

  // Thumb length from the track and the thumb proportion, then its position.
  void UpdateThumb();
  // The thumb at the position's place on the track (not during a drag).
  void PlaceThumb();
  // Clamps, stores and announces the position and places the thumb; the new position.
  double ApplyNormalizedValue(double value);

  bool IsVertical() const { return mVertical != 0; }
  double GetLineStep() const { return mLineStep; }
  void SetLineStep(double step) { mLineStep = step; }
  double GetPageStep() const { return mPageStep; }
  void SetPageStep(double step) { mPageStep = step; }
  double GetThumbProportion() const { return mThumbProportion; }
  void SetThumbProportion(double proportion) { mThumbProportion = proportion; }
  double GetMinimumThumbLength() const { return mMinimumThumbLength; }
  double GetThumbLength() const { return mThumbLength; }
  double GetTrackStart() const { return mTrackStart; }
  double GetTrackEnd() const { return mTrackEnd; }
  bool IsDragging() const { return mDragging; }
  int32_t GetChannelZone() const { return mChannelZone; }
  double GetPendingValue() const { return mPendingValue; }
  // Whether a value set during a drag is applied when the drag ends.
  void SetApplyPending(bool apply) { mApplyPending = apply; }
  const RCPtr<LButton>& GetThumb() const { return mThumb; }
  const RCPtr<LControl>& GetChannel() const { return mChannel; }

protected:
  int32_t OnChannelPress(const RCPtr<LNotificationDistributor>& source, const RCPtr<LNotification>& notification);
  int32_t OnChannelHoverChange(const RCPtr<LNotificationDistributor>& source,
                               const RCPtr<LNotification>& notification);
  int32_t OnThumbMouseMove(const RCPtr<LNotificationDistributor>& source, const RCPtr<LNotification>& notification);
  int32_t OnThumbDragChange(const RCPtr<LNotificationDistributor>& source, const RCPtr<LNotification>& notification);
  int32_t OnArrowRepeat(const RCPtr<LNotificationDistributor>& source, const RCPtr<LNotification>& notification);
  int32_t OnKey(const RCPtr<LNotificationDistributor>& source, const RCPtr<LNotification>& notification);

private:
  int32_t Axis() const { return mVertical != 0 ? 1 : 0; }
  // The zone of a point along the axis in the channel's client coordinates.
  int32_t HitZone(double along) const;
  double PointerAlongChannel() const;
  bool PointerOverChannel() const;
  void PageOnce();
  void UpdateChannelLook();
  void RestoreChannelLook();
  void OnThumbMoved(double position);
  void SetThumbPosition(double position);
  double ThumbPosition() const;
  double TrackTravel() const;
  void BindParts();
  void BindArrow(const char16_t* name);
  void TakeOrientationFromArrows();
  double NewValueForKey(uint32_t code, bool& handled) const;

  RCPtr<Handlers> mBarHandlers;
  int32_t mVertical = 1;
  RCPtr<LButton> mThumb;
  RCPtr<LControl> mChannel;
  double mLineStep = 0.02;
  double mPageStep = 0.2;
  double mThumbProportion = 0.1;
  double mMinimumThumbLength = 10;
  double mThumbLength = 0;
  double mTrackStart = 0;
  double mTrackEnd = 0;
  double mChannelOrigin = 0;
  bool mDragging = false;
  int32_t mGrabX = 0;
  int32_t mGrabY = 0;
  int32_t mChannelZone = kZoneNone;
  double mPageRepeatInterval = 0.2;
  double mFirstPageRepeatDelay = 0.4;
  double mLastTick = 0;
  double mTimeToNextPage = 0;
  double mPendingValue = -1.0;
  bool mApplyPending = true;
  uint8_t mKeyMask = 0;
  bool mKeysBound = false;
};

}  // namespace SV
