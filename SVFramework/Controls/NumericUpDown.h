#pragma once
#include <cstdint>

#include "SVFramework/Controls/Button.h"
#include "SVFramework/Controls/Panel.h"
#include "SVFramework/Controls/TextBox.h"
#include "SVFramework/notification/NotificationHandler.h"

namespace SV {

// A numeric field ("Framework.NumericUpDown"): the skin children "textBox" (a text
// box), "buttonUp" and "buttonDown" (auto-repeating buttons). It shows the control's
// value (position, range and taper of LControl) as text with `decimals` digits after
// the point, steps it by `step` with the buttons and the Up and Down keys, and checks
// the text when the text box validates it: a number is clamped into the range and
// becomes the value; a text without a decimal digit, with a misplaced "-", two points
// or a value that is not finite is replaced by the current value. The text box's
// validation notifications are passed on from the up-down. Numbers are read and
// written in decimal syntax whatever the user's locale. UI thread only.
class LNumericUpDown : public LPanel {
public:
  LNumericUpDown(const RCPtr<LControl>& parent, const String& name);

  // Reads the leading number (0 when there is none) and makes it the value, clamped; 0.
  SVRESULT SetText(const String& text) override;
  // Shows the new value in the text box, then lets the text box validate it.
  void OnValueChanged() override;
  // As the base; on success rebuilds the filter and shows the value in the new range.
  SVRESULT SetValueRange(double minimum, double maximum, int32_t taper) override;
  // Up and Down (no modifiers) press the up and down buttons; other keys go on.
  SVRESULT RouteUnhandledKey(const RCPtr<LKeyParam>& key) override;
  SVRESULT Initialize() override;
  void OnDescriptorApplied() override;
  int32_t Receive(const RCPtr<LNotificationDistributor>& source, const RCPtr<LNotification>& notification) override;
  SVRESULT ReleaseInternalReferences() override;

  // The current value with `decimals` digits after the point.
  String FormatValue() const;
  double GetValue() const { return NormalizedToValue(GetNormalizedValue()); }
  const RCPtr<LTextBox>& GetTextBox() const { return mTextBox; }
  const RCPtr<LButton>& GetUpButton() const { return mUpButton; }
  const RCPtr<LButton>& GetDownButton() const { return mDownButton; }
  double GetStep() const { return mStep; }
  int32_t GetDecimals() const { return mDecimals; }
  // The program keeps the defaults (step 1, no decimals); these serve fields that
  // need others. Decimals below 0 count as 0; the filter follows.
  void SetStep(double step) { mStep = step; }
  void SetDecimals(int32_t decimals);

private:
  using UpDownHandlers = LNotificationHandler<LNumericUpDown>;

  void UpdateCharacterFilter();
  int32_t OnTextValidating(const RCPtr<LNotificationDistributor>& source, const RCPtr<LNotification>& notification);
  int32_t OnTextValidated(const RCPtr<LNotificationDistributor>& source, const RCPtr<LNotification>& notification);
  int32_t OnButtonStep(const RCPtr<LNotificationDistributor>& source, const RCPtr<LNotification>& notification);
  void CheckEnteredText(LTextValidationParams& params);

  RCPtr<UpDownHandlers> mHandler;
  RCPtr<LTextBox> mTextBox;
  RCPtr<LButton> mUpButton;
  RCPtr<LButton> mDownButton;
  double mStep = 1.0;
  int32_t mDecimals = 0;
};

}  // namespace SV
