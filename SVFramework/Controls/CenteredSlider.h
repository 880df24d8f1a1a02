#pragma once
#include <cstdint>

#include "SVFramework/Controls/Slider.h"

namespace SV {

// A slider that also moves two skin children, "lowRangeBounds" and "highRangeBounds",
// with its thumb, so that a skin can draw a fill from a fixed point of the track to the
// thumb. On a horizontal track each bound's horizontal position (only the absolute part
// of it) is kept on the thumb's centre; on a vertical track its vertical position; a
// slanted track moves neither. Where a bound's other edge lies comes from the skin. The
// bounds and their "fill" children are transparent to hit testing, so the pointer
// reaches the slider and its thumb beneath them. The skin must give "thumbStart":
// without a thumb the initialisation raises. UI thread only.
class LCenteredSlider : public LSlider {
 public:
  using CenteredSliderHandlers = LNotificationHandler<LCenteredSlider>;

  LCenteredSlider(const RCPtr<LControl>& parent, const String& name);
  ~LCenteredSlider() override;

  SVRESULT Initialize() override;
  // The slider's value and thumb placement, then the bounds follow the thumb.
  double SetValue(double normalized) override;
  // A re-placed slider may have moved its thumb; the bounds go with it.
  void EndClientRectWatch() override;
  // A new skin resets the bounds' placements and ends the thumb's subscriptions: both
  // are restored.
  SVRESULT ApplyDescriptor(const RCPtr<LControlDescriptor>& descriptor) override;
  int32_t Receive(const RCPtr<LNotificationDistributor>& source, const RCPtr<LNotification>& notification) override;
  SVRESULT UnsubscribeVirtual(const RCPtr<LNotificationDistributor>& source, const char16_t* idText) override;
  SVRESULT ReleaseInternalReferences() override;

  // Puts both bounds on the thumb's centre along the track's axis. Raises the
  // null-pointer runtime error when the slider has no thumb.
  virtual void SetBoundsPosFromThumbPos();

  const RCPtr<LControl>& GetLowBounds() const { return mLowBounds; }
  const RCPtr<LControl>& GetHighBounds() const { return mHighBounds; }

 private:
  int32_t OnThumbMouseMove(const RCPtr<LNotificationDistributor>& source, const RCPtr<LNotification>& notification);
  void FindBounds(RCPtr<LControl>& bounds, const char16_t* name);
  void FindBoundsAndFollowThumb();
  void AlignBoundsOnAxis(int32_t axis);

  RCPtr<CenteredSliderHandlers> mHandler;
  RCPtr<LControl> mLowBounds;
  RCPtr<LControl> mHighBounds;
};

}  // namespace SV
