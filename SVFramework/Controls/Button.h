#pragma once
#include <cstdint>

#include "SVFramework/ControlBase/Control.h"

namespace SV {

// The framework's push button ("Framework.Button"), also a toggle (check) button, a
// radio button, the arrows and thumb of a scroll bar and the buttons of dialogs.
// Its value is the control's normalized value: on at 0.5 or more. It shows one of
// fourteen looks chosen from its state (UpdateLook), can repeat
// "NID_BUTTON_AUTOREPEAT" while held, and can be clicked from the keyboard or by
// "NID_SIMULATE_CLICK" with a short pressed look. Clicks reach listeners as
// "NID_LEFT_CLICK". All timing polls the application clock from idle passes; the
// button holds at most one idle subscription, only while it repeats or shows a
// simulated press. UI thread only.
class LButton : public LControl {
public:
  using Handlers = LNotificationHandler<LButton>;

  // Look indices: off, off focused, on, on focused per state; disabled ignores focus.
  static constexpr int32_t kLookNormal = 0;
  static constexpr int32_t kLookHover = 1;
  static constexpr int32_t kLookPressed = 2;
  static constexpr int32_t kFocusedOffset = 3;
  static constexpr int32_t kLookDisabledOff = 6;
  static constexpr int32_t kLookOnOffset = 7;
  static constexpr int32_t kLookDisabledOn = 13;
  static constexpr int32_t kLookCount = 14;

  LButton(const RCPtr<LControl>& parent, const String& name);
  ~LButton() override;

  // --- Overrides of the control ---
  // A radio button turning on turns its radio siblings off; then the look follows.
  void OnValueChanged() override;
  // Starts and ends auto-repeat presses; then the look follows.
  void OnConditionsChanged(const RCPtr<LConditionsParam>& param) override;
  void SetEnabled(bool enabled) override;
  // With automatic value: a toggle flips, a radio button turns on.
  void OnBeforeLeftClick(const RCPtr<LMouseButtonParam>& param) override;
  // False while pass-through is set.
  bool ContainsPoint(PointT<int32_t> point) const override;
  // Enter pressed (or repeating) without modifiers runs SimulateClick: 0; else 1.
  SVRESULT HandleKey(const RCPtr<LKeyParam>& key) override;
  // Finishes a simulated press and times the repeats.
  void OnIdle() override;
  // Binds "NID_SIMULATE_CLICK" and reads "AUTO_VALUE_SET" and "IS_RADIO" (not trimmed).
  // A failed binding raises SV::Exception<SV::FailedResultException>.
  SVRESULT Initialize() override;
  // The label text when the label is cut short, else the control's tooltip text.
  String GetTooltipText() override;
  int32_t Receive(const RCPtr<LNotificationDistributor>& source, const RCPtr<LNotification>& notification) override;

  // --- The button's own operations ---
  virtual SVRESULT SetAutoValueSet(bool autoValue);
  virtual SVRESULT SetRadio(bool radio);
  // Sets the value to 1 or 0; returns whether it is now on.
  virtual bool SetChecked(bool checked);
  // Shows the look of the present state (nothing while pass-through or simulating).
  virtual SVRESULT UpdateLook();
  // Shows the pressed look at once and clicks after the simulated hold (0.15 s); a
  // simulated press already showing is completed first. Does not toggle. 0.
  virtual SVRESULT SimulateClick();

  // Answers "NID_SIMULATE_CLICK" delivered to the button: clicks when enabled; 1.
  int32_t OnSimulateClickNotification(const RCPtr<LNotificationDistributor>& source,
                                      const RCPtr<LNotification>& notification);

  // --- State and the flags owning widgets set directly ---
  bool IsChecked() const { return GetNormalizedValue() >= 0.5; }
  bool IsAutoValueSet() const { return mAutoValueSet; }
  bool IsRadio() const { return mRadio; }
  void SetAutoRepeat(bool autoRepeat) { mAutoRepeat = autoRepeat; }
  bool IsAutoRepeat() const { return mAutoRepeat; }
  void SetPassThrough(bool passThrough) { mPassThrough = passThrough; }
  bool IsPassThrough() const { return mPassThrough; }
  void SetStickyPress(bool sticky) { mStickyPress = sticky; }
  bool IsStickyPress() const { return mStickyPress; }
  bool IsRepeating() const { return mRepeating; }
  bool IsSimulating() const { return mSimulating; }
  void SetRepeatInterval(double seconds) { mRepeatInterval = seconds; }
  double GetRepeatInterval() const { return mRepeatInterval; }
  void SetFirstRepeatDelay(double seconds) { mFirstRepeatDelay = seconds; }
  double GetFirstRepeatDelay() const { return mFirstRepeatDelay; }
  void SetSimulatedHold(double seconds) { mSimulatedHold = seconds; }
  double GetSimulatedHold() const { return mSimulatedHold; }
  const RCPtr<Handlers>& GetButtonHandlers() const { return mButtonHandlers; }

private:
  static double Now();
  int32_t StateLook() const;
  void StartRepeating();
  void StopRepeating();
  void FinishSimulatedPress();
  void StepRepeat();
  void ClickFromKeyboard();
  void DistributeAutoRepeat();
  // One idle subscription at most: taken when the first of repeating and simulating
  // starts, given back when both have ended.
  void HoldIdle();
  void ReleaseIdleIfUnused();
  void TurnRadioSiblingsOff();

  RCPtr<Handlers> mButtonHandlers;
  bool mAutoValueSet = false;
  bool mRadio = false;
  bool mAutoRepeat = false;
  bool mPassThrough = false;
  bool mRepeating = false;
  bool mStickyPress = false;
  double mRepeatInterval = 0.1;
  double mFirstRepeatDelay = 0.3;
  double mLastTick = 0;
  double mTimeToNextRepeat = 0;
  double mSimulatedHold = 0.15;
  double mSimulatedStart = 0;
  bool mSimulating = false;
  bool mIdleHeld = false;
  bool mClickingFromKeyboard = false;
};

}  // namespace SV
