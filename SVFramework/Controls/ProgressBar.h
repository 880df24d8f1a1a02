#pragma once
#include <cstdint>

#include "SVFramework/ControlBase/Control.h"

namespace SV {

// Shows a percentage (its own value, range 0 .. 100) as a horizontal bar, the whole
// percentage in a label and, when asked, an estimate of the time remaining written
// out with the framework's texts ("1 Hour 2 Minutes 5 Seconds Remaining"). It draws
// nothing itself: it sizes "activeOverlay" and sets the texts of
// "percentCompleteLabel" and "timeRemainingLabel". The estimate runs on the
// application clock and only moves when the value changes. UI thread only.
class LLabel;

class LProgressBar : public LControl {
public:
  using BarHandlers = LNotificationHandler<LProgressBar>;

  LProgressBar(const RCPtr<LControl>& parent, const String& name);
  ~LProgressBar() override;

  // Bar, percent text and, while estimating, the remaining time.
  void OnValueChanged() override;
  // Finds the parts, reads the seven texts, sets the value 0 and the range 0 .. 100.
  SVRESULT Initialize() override;
  void OnDescriptorApplied() override;
  int32_t Receive(const RCPtr<LNotificationDistributor>& source, const RCPtr<LNotification>& notification) override;
  SVRESULT UnsubscribeVirtual(const RCPtr<LNotificationDistributor>& source, const char16_t* idText) override;

  // Shows the time label with `seconds` written out (0 and below: "0 Seconds
  // Remaining"); the label's text-setting result (1 without the label).
  SVRESULT SetTimeRemaining(int32_t seconds);
  // On: the estimate starts from now and the present value. Off: it stops.
  void SetTimeEstimate(bool on);
  bool IsEstimating() const { return mEstimating; }

  // The seconds remaining at the average speed since the estimate started, as the
  // label shows them: rounded and kept within [0, INT32_MAX].
  static int32_t ClampSeconds(double seconds);

private:
  enum Text { kHourOne, kHours, kMinuteOne, kMinutes, kSecondOne, kSeconds, kRemaining, kTextCount };
  RCPtr<LLabel> FindLabel(const char16_t* name) const;
  void ReadTexts();
  void SizeBar(double percent);
  void Estimate();
  String Unit(int32_t count, Text singular, Text plural) const;

  RCPtr<BarHandlers> mBarHandlers;
  RCPtr<LControl> mOverlay;
  RCPtr<LLabel> mTimeLabel;
  RCPtr<LLabel> mPercentLabel;
  String mTexts[kTextCount];
  double mStartTime = 0;
  double mStartValue = 0;
  double mReferenceTime = 0;
  double mReferenceValue = 0;
  bool mEstimating = false;
};

}  // namespace SV
