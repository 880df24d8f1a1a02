#include "SVFramework/Controls/NumericUpDown.h"

#include <algorithm>
#include <string>

#include "SVFramework/ControlBase/KeyParam.h"
#include "SVFramework/Controls/NumberText.h"
#include "SVFramework/System/Keys/VirtualKeys.h"
#include "SVFramework/notification/Notification.h"

namespace SV {

namespace {

std::u16string ToStd(const String& text) { return std::u16string(text.View()); }

// Whether the text is refused before it is read: a "-" after the first character,
// two points, or nothing that holds a digit ("", "-", ".").
bool IsMalformed(const std::u16string& text) {
  if (text.find(u'-', 1) != std::u16string::npos) return true;
  if (std::count(text.begin(), text.end(), u'.') >= 2) return true;
  return text.find_first_of(u"0123456789") == std::u16string::npos;
}

}  // namespace

LNumericUpDown::LNumericUpDown(const RCPtr<LControl>& parent, const String& name) : LPanel(parent, name) {}

String LNumericUpDown::FormatValue() const { return String(FormatNumber(GetValue(), mDecimals).c_str()); }

SVRESULT LNumericUpDown::SetText(const String& text) {
  const double number = ReadLeadingNumber(ToStd(text)).value_or(0.0);
  SetNormalizedValue(ValueToNormalized(number));
  return S_OK;
}

void LNumericUpDown::OnValueChanged() {
  if (!mTextBox) return;
  mTextBox->SetText(FormatValue(), true);
  mTextBox->CanLoseFocus();
}

SVRESULT LNumericUpDown::SetValueRange(double minimum, double maximum, int32_t taper) {
  const SVRESULT result = LPanel::SetValueRange(minimum, maximum, taper);
  if (result < 0) return result;
  UpdateCharacterFilter();
  if (mTextBox) mTextBox->SetText(FormatValue(), true);
  return result;
}

void LNumericUpDown::SetDecimals(int32_t decimals) {
  mDecimals = std::max(decimals, 0);
  UpdateCharacterFilter();
}

void LNumericUpDown::UpdateCharacterFilter() {
  if (!mTextBox) return;
  std::u16string filter = u"0123456789";
  if (mDecimals > 0) filter += u'.';
  if (NormalizedToValue(0.0) < 0 || NormalizedToValue(1.0) < 0) filter += u'-';
  mTextBox->SetCharacterFilter(filter, true);
}

SVRESULT LNumericUpDown::RouteUnhandledKey(const RCPtr<LKeyParam>& key) {
  if (key && (key->key.code & KeyCode::kKeyDown) && (key->key.code & KeyCode::kModifierMask) == 0) {
    const uint32_t virtualKey = key->key.GetVirtualKey();
    const RCPtr<LButton>& button = virtualKey == VirtualKey::kUp ? mUpButton : mDownButton;
    if ((virtualKey == VirtualKey::kUp || virtualKey == VirtualKey::kDown) && button) {
      DeliverNotification(button.Get(), u"NID_SIMULATE_CLICK", nullptr);
      return S_OK;
    }
  }
  return LPanel::RouteUnhandledKey(key);
}

SVRESULT LNumericUpDown::Initialize() {
  const SVRESULT result = LPanel::Initialize();
  mTextBox = RCPtr<LTextBox>(dynamic_cast<LTextBox*>(FindChild(u"textBox").Get()));
  mUpButton = RCPtr<LButton>(dynamic_cast<LButton*>(FindChild(u"buttonUp").Get()));
  mDownButton = RCPtr<LButton>(dynamic_cast<LButton*>(FindChild(u"buttonDown").Get()));
  for (const RCPtr<LButton>& button : {mUpButton, mDownButton})
    if (button) button->SetAutoRepeat(true);
  UpdateCharacterFilter();
  mHandler = UpDownHandlers::Create(this);
  if (!mHandler) return result;
  if (mTextBox) {
    mHandler->AddHandler(&LNumericUpDown::OnTextValidating, mTextBox, u"NID_TEXTBOX_VALIDATING", 0);
    mHandler->AddHandler(&LNumericUpDown::OnTextValidated, mTextBox, u"NID_TEXTBOX_VALIDATED", 0);
  }
  for (const RCPtr<LButton>& button : {mUpButton, mDownButton})
    if (button) mHandler->AddHandler(&LNumericUpDown::OnButtonStep, button, u"NID_BUTTON_AUTOREPEAT", 0);
  return result;
}

void LNumericUpDown::OnDescriptorApplied() {
  LPanel::OnDescriptorApplied();
  SetNotFocusable(false);
  if (mUpButton) mUpButton->SetNotFocusable(true);
  if (mDownButton) mDownButton->SetNotFocusable(true);
}

int32_t LNumericUpDown::Receive(const RCPtr<LNotificationDistributor>& source,
                                const RCPtr<LNotification>& notification) {
  if (IsCreated() && mHandler) {
    if (const int32_t handled = mHandler->Dispatch(source, notification)) return handled;
  }
  return LPanel::Receive(source, notification);
}

SVRESULT LNumericUpDown::ReleaseInternalReferences() {
  mHandler.Reset();
  mTextBox.Reset();
  mUpButton.Reset();
  mDownButton.Reset();
  return LPanel::ReleaseInternalReferences();
}

int32_t LNumericUpDown::OnTextValidating(const RCPtr<LNotificationDistributor>&,
                                         const RCPtr<LNotification>& notification) {
  auto* params = dynamic_cast<LTextValidationParams*>(notification->GetPayload().Get());
  if (!params) return 1;
  Distribute(LNotification::Obtain(u"NID_TEXTBOX_VALIDATING", notification->GetPayload()));
  if (params->valid) CheckEnteredText(*params);
  return 1;
}

void LNumericUpDown::CheckEnteredText(LTextValidationParams& params) {
  const double minimum = NormalizedToValue(0.0), maximum = NormalizedToValue(1.0);
  const double current = GetValue();
  const std::u16string text = ToStd(params.text);
  // A text that holds no digit or no finite number is refused like a malformed one:
  // it must never become a value of 0 or NaN.
  const std::optional<double> entered = IsMalformed(text) ? std::nullopt : ReadLeadingNumber(text);
  if (!entered) params.text = FormatValue();
  const double candidate =
      std::clamp(entered.value_or(current), std::min(minimum, maximum), std::max(minimum, maximum));
  if (candidate != current) {
    SetNormalizedValue(ValueToNormalized(candidate));
    params.text = FormatValue();
  } else if (current == minimum || current == maximum || current == 0) {
    params.text = FormatValue();
  }
  params.valid = true;
}

int32_t LNumericUpDown::OnTextValidated(const RCPtr<LNotificationDistributor>&,
                                        const RCPtr<LNotification>& notification) {
  Distribute(LNotification::Obtain(u"NID_TEXTBOX_VALIDATED", notification->GetPayload()));
  return 1;
}

int32_t LNumericUpDown::OnButtonStep(const RCPtr<LNotificationDistributor>& source, const RCPtr<LNotification>&) {
  const LNotificationDistributor* const from = source.Get();
  double next = GetValue();
  if (mUpButton && from == static_cast<LNotificationDistributor*>(mUpButton.Get())) next += mStep;
  else if (mDownButton && from == static_cast<LNotificationDistributor*>(mDownButton.Get())) next -= mStep;
  else return 1;
  SetNormalizedValue(ValueToNormalized(next));
  return 1;
}

}  // namespace SV
