#include "SVFramework/Controls/ProgressBar.h"

#include <cmath>
#include <limits>
#include <string>

#include "SVFramework/Application/FrameworkApp.h"
#include "SVFramework/ControlBase/ControlFactory.h"
#include "SVFramework/ControlBase/PixelRounding.h"
#include "SVFramework/Controls/Label.h"

namespace SV {
namespace {

constexpr const char16_t* kTextKeys[] = {u"HOURS_SINGULAR",   u"HOURS_PLURAL",   u"MINUTES_SINGULAR", u"MINUTES_PLURAL",
                                         u"SECONDS_SINGULAR", u"SECONDS_PLURAL", u"REMAINING"};
constexpr double kReferenceInterval = 1.0;  // seconds between reference points

// The framework's table: the application's, else the one the control factory loaded.
RCPtr<LStringTable> FrameworkStringTable() {
  if (LFrameworkApp* application = GetFrameworkApp())
    if (const RCPtr<LStringTable>& table = application->GetFrameworkStringTable()) return table;
  const RCPtr<LControlFactory>& factory = GetApplicationControlFactory();
  return factory ? factory->GetFrameworkStringTable() : RCPtr<LStringTable>();
}

String Number(int32_t value) { return String(std::to_string(value).c_str()); }

}  // namespace

LProgressBar::LProgressBar(const RCPtr<LControl>& parent, const String& name) : LControl(parent, name) {}

LProgressBar::~LProgressBar() = default;

RCPtr<LLabel> LProgressBar::FindLabel(const char16_t* name) const {
  return RCPtr<LLabel>(dynamic_cast<LLabel*>(FindChild(name).Get()));
}

SVRESULT LProgressBar::Initialize() {
  const SVRESULT result = LControl::Initialize();
  mBarHandlers = BarHandlers::Create(this);
  mOverlay = FindChild(u"activeOverlay");
  mTimeLabel = FindLabel(u"timeRemainingLabel");
  mPercentLabel = FindLabel(u"percentCompleteLabel");
  if (mTimeLabel) mTimeLabel->SetVisible(false);
  ReadTexts();
  SetNormalizedValue(0);
  SetValueRange(0, 100, 0);
  return result;
}

void LProgressBar::ReadTexts() {
  const RCPtr<LStringTable> table = FrameworkStringTable();
  for (int32_t text = 0; text < kTextCount; ++text) {
    mTexts[text] = String();
    if (table) table->GetString(kTextKeys[text], mTexts[text]);
  }
}

void LProgressBar::OnDescriptorApplied() {
  SetNotFocusable(true);
  OnValueChanged();
}

void LProgressBar::OnValueChanged() {
  const RCPtr<LControl> self(this);
  const double percent = GetNormalizedValue() * 100;
  SizeBar(percent);
  if (mPercentLabel) mPercentLabel->SetText(String::FromDouble(percent, 0));
  if (mEstimating) Estimate();
}

void LProgressBar::SizeBar(double percent) {
  if (!mOverlay || !mOverlay->GetLayout()) return;
  const double width = RoundHalfAwayFromZero(GetRect().width * percent / 100);
  if (!(width >= 1)) {
    mOverlay->SetVisible(false);
    return;
  }
  mOverlay->SetVisible(true);
  LSizeSpec size = mOverlay->GetLayout()->Size[0];
  size.reference = SizeReference::Self;
  size.name = String();
  size.abs = width;
  mOverlay->SetPlacement(0, mOverlay->GetLayout()->Placement[0], size);
}

// The fraction still to go at the average speed since the start. The reference point
// moves at most once a second, and only a value past it in a later instant counts.
void LProgressBar::Estimate() {
  const double now = GetApplicationTime();
  const double value = GetNormalizedValue();
  if (value - mReferenceValue > 0 && now - mReferenceTime > 0) {
    if (now - mReferenceTime > kReferenceInterval) {
      mReferenceValue = value;
      mReferenceTime = now;
    }
    const double remaining = (1 - value) / ((value - mStartValue) / (now - mStartTime));
    SetTimeRemaining(ClampSeconds(remaining));
  }
  if (value >= 1) mEstimating = false;
}

// Very slow progress gives more seconds than an int holds; unclamped, the conversion
// wrapped them into nonsense such as "0 Seconds Remaining".
int32_t LProgressBar::ClampSeconds(double seconds) {
  const double rounded = RoundHalfAwayFromZero(seconds);
  if (!(rounded > 0)) return 0;
  constexpr double kMost = std::numeric_limits<int32_t>::max();
  return rounded >= kMost ? std::numeric_limits<int32_t>::max() : static_cast<int32_t>(rounded);
}

void LProgressBar::SetTimeEstimate(bool on) {
  if (on == mEstimating) return;
  mEstimating = on;
  if (!on) return;
  mStartTime = mReferenceTime = GetApplicationTime();
  mStartValue = mReferenceValue = GetNormalizedValue();
}

String LProgressBar::Unit(int32_t count, Text singular, Text plural) const {
  return Number(count) + u" " + mTexts[count == 1 ? singular : plural] + u" ";
}

SVRESULT LProgressBar::SetTimeRemaining(int32_t seconds) {
  if (!mTimeLabel) return S_FALSE;
  mTimeLabel->SetVisible(true);
  const int32_t hours = seconds >= 3600 ? seconds / 3600 : 0;
  const int32_t withinHour = seconds - 3600 * (seconds / 3600);
  const int32_t minutes = seconds >= 60 ? withinHour / 60 : 0;
  const int32_t rest = seconds > 0 ? withinHour % 60 : 0;
  String text;
  if (hours > 0) {
    text = Unit(hours, kHourOne, kHours);
    if (minutes == 0) text = text + u"0 " + mTexts[kMinutes] + u" ";
  }
  if (minutes > 0) text = text + Unit(minutes, kMinuteOne, kMinutes);
  text = text + Unit(rest, kSecondOne, kSeconds) + mTexts[kRemaining];
  return mTimeLabel->SetText(text);
}

int32_t LProgressBar::Receive(const RCPtr<LNotificationDistributor>& source, const RCPtr<LNotification>& notification) {
  if (IsCreated() && mBarHandlers) {
    const int32_t handled = mBarHandlers->Dispatch(source, notification);
    if (handled != 0) return handled;
  }
  return LControl::Receive(source, notification);
}

SVRESULT LProgressBar::UnsubscribeVirtual(const RCPtr<LNotificationDistributor>& source, const char16_t* idText) {
  if (mBarHandlers) mBarHandlers->RemoveHandler(source.Get(), idText);
  return LControl::UnsubscribeVirtual(source, idText);
}

}  // namespace SV
