#pragma once
#include <cstdint>

#include "SVFramework/ControlBase/Control.h"

namespace SV {

// Shows a level pushed by its owner as a bar along the meter's long side, an optional
// peak marker and an optional clip light that can latch until clicked. It draws
// nothing itself: it sizes and moves its skin children "activeOverlay" (the bar),
// "peakLo" (the marker, at its place for peak 0), "peakHi" (a hidden placeholder where
// the marker stands at full peak) and "clipButton" (lit at a value of 0.5 or more).
// On a vertical meter (taller than wide) the bar covers the share above the level; on
// a horizontal one the share up to it. The meter keeps no time: no decay or hold of
// its own. It sends "NID_VALUE_CHANGE" through its own value and
// "NID_CLIPLIGHT_UNLATCHED" when the user clears a latched light. UI thread only.
class LLevelMeter : public LControl {
public:
  using MeterHandlers = LNotificationHandler<LLevelMeter>;

  LLevelMeter(const RCPtr<LControl>& parent, const String& name);

  // Draws the own value as the level with peak 0 (unless the meter sets it itself).
  void OnValueChanged() override;
  SVRESULT Initialize() override;
  // Takes the orientation and the peak origins, hides the parts; a re-skin re-reads them.
  void OnDescriptorApplied() override;
  int32_t Receive(const RCPtr<LNotificationDistributor>& source, const RCPtr<LNotification>& notification) override;
  SVRESULT UnsubscribeVirtual(const RCPtr<LNotificationDistributor>& source, const char16_t* idText) override;

  SVRESULT SetLevel(double level, double peak);
  // Clip light (lit when the count changed, off on an unchanged count unless latched),
  // own value, bar and marker. 0.
  SVRESULT SetLevelAndClip(double level, double peak, int32_t clipCount);
  // E_FAIL without a clip button; otherwise the light goes off and latching follows `latch`.
  SVRESULT SetClipLatch(bool latch);
  bool IsClipLit() const;
  int32_t GetClipCount() const { return mClipCount; }
  void SetClipCount(int32_t count) { mClipCount = count; }
  bool IsVertical() const { return mVertical != 0; }

private:
  void FindParts();
  void UpdateClipLight(int32_t clipCount);
  void SizeBar(double level);
  void PlacePeak(double peak);
  int32_t OnClipButtonClick(const RCPtr<LNotificationDistributor>& source, const RCPtr<LNotification>& notification);

  RCPtr<MeterHandlers> mMeterHandlers;
  int32_t mClipCount = 0;
  bool mLatched = false;
  PointT<double> mLowPeakOrigin;
  PointT<double> mHighPeakOrigin;
  RCPtr<LControl> mPeakMarker;
  RCPtr<LControl> mOverlay;
  RCPtr<LControl> mClipButton;
  bool mUpdating = false;
  int32_t mVertical = 0;
};

}  // namespace SV
