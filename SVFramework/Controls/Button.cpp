#include "SVFramework/Controls/Button.h"

#include <vector>

#include "SVFramework/Application/FrameworkApp.h"
#include "SVFramework/ControlBase/ConditionBits.h"
#include "SVFramework/ControlBase/KeyParam.h"
#include "SVFramework/ObjectBase/Exception.h"
#include "SVFramework/System/Keys/VirtualKeys.h"

namespace SV {

namespace {

bool Arrived(uint32_t bit, uint32_t previous, uint32_t current) {
  return (current & bit) != 0 && (previous & bit) == 0;
}

bool Left(uint32_t bit, uint32_t previous, uint32_t current) {
  return (previous & bit) != 0 && (current & bit) == 0;
}

// Create parameters read exactly as written: lower-cased, not trimmed.
bool ReadUntrimmedBoolean(const LStringTable* parameters, const char16_t* id, bool& value) {
  String text;
  if (!parameters || !parameters->GetString(id, text)) return false;
  value = text.ToLower() == String(u"true");
  return true;
}

}  // namespace

LButton::LButton(const RCPtr<LControl>& parent, const String& name) : LControl(parent, name) {}

LButton::~LButton() = default;

double LButton::Now() {
  LFrameworkApp* application = GetFrameworkApp();
  return application ? application->GetTime() : 0.0;
}

SVRESULT LButton::Initialize() {
  const SVRESULT base = LControl::Initialize();
  if (base < 0) return base;
  mButtonHandlers = Handlers::Create(this);
  const SVRESULT bound =
      mButtonHandlers->AddDirectHandler(&LButton::OnSimulateClickNotification, u"NID_SIMULATE_CLICK");
  SV_RAISE_ON_FAILURE(bound, "SV::LButton::Initialize");
  const RCPtr<LControlDescriptor>& descriptor = GetDescriptor();
  const LStringTable* parameters = descriptor ? descriptor->CreateParams.Get() : nullptr;
  bool flag = false;
  if (ReadUntrimmedBoolean(parameters, u"AUTO_VALUE_SET", flag)) SetAutoValueSet(flag);
  if (ReadUntrimmedBoolean(parameters, u"IS_RADIO", flag)) SetRadio(flag);
  // Shown from the start: a button without a look would be invisible and never hit.
  UpdateLook();
  return S_OK;
}

int32_t LButton::Receive(const RCPtr<LNotificationDistributor>& source, const RCPtr<LNotification>& notification) {
  if (!IsCreated()) return 1;
  if (mButtonHandlers) {
    const int32_t handled = mButtonHandlers->Dispatch(source, notification);
    if (handled != 0) return handled;
  }
  return LControl::Receive(source, notification);
}

SVRESULT LButton::SetAutoValueSet(bool autoValue) {
  mAutoValueSet = autoValue;
  return S_OK;
}

SVRESULT LButton::SetRadio(bool radio) {
  mRadio = radio;
  return S_OK;
}

bool LButton::SetChecked(bool checked) {
  SetNormalizedValue(checked ? 1.0 : 0.0);
  return IsChecked();
}

void LButton::OnValueChanged() {
  if (mRadio && IsChecked()) TurnRadioSiblingsOff();
  UpdateLook();
}

void LButton::TurnRadioSiblingsOff() {
  LControl* parent = GetParent();
  if (!parent) return;
  // Held while turning off: a sibling's listeners may change the tree meanwhile.
  std::vector<RCPtr<LButton>> radios;
  const RCPtrArray<LControl, 1, 0>& siblings = parent->GetChildren();
  for (uint32_t index = siblings.GetCount(); index-- > 0;) {
    auto* sibling = dynamic_cast<LButton*>(siblings[index].Get());
    if (sibling && sibling != this && sibling->mRadio) radios.emplace_back(sibling);
  }
  for (const RCPtr<LButton>& radio : radios) radio->SetNormalizedValue(0.0);
}

void LButton::SetEnabled(bool enabled) {
  LControl::SetEnabled(enabled);
  UpdateLook();
}

void LButton::OnBeforeLeftClick(const RCPtr<LMouseButtonParam>&) {
  if (!mAutoValueSet || mClickingFromKeyboard) return;
  SetNormalizedValue(!mRadio && IsChecked() ? 0.0 : 1.0);
}

bool LButton::ContainsPoint(PointT<int32_t> point) const {
  return !mPassThrough && LControl::ContainsPoint(point);
}

SVRESULT LButton::HandleKey(const RCPtr<LKeyParam>& key) {
  if (!key) return S_FALSE;
  const uint32_t code = key->key.code;
  const uint32_t enter = (VirtualKey::kReturn << 16) | KeyCode::kKeyDown;
  const uint32_t space = (VirtualKey::kSpace << 16) | KeyCode::kKeyDown;
  if (code != enter && code != space) return S_FALSE;
  SimulateClick();
  return S_OK;
}

int32_t LButton::StateLook() const {
  const uint32_t conditions = GetConditions();
  const bool pressed = HasCapture() && (conditions & Condition::kLeftDrag) != 0;
  const bool hovered = IsHovered();
  if (pressed && (hovered || mStickyPress)) return kLookPressed;
  if (hovered || pressed) return kLookHover;
  return kLookNormal;
}

SVRESULT LButton::UpdateLook() {
  if (mPassThrough || mSimulating) return S_OK;
  const bool on = IsChecked();
  int32_t look = 0;
  if (!IsEnabled(true)) {
    look = on ? kLookDisabledOn : kLookDisabledOff;
  } else {
    look = StateLook() + (on ? kLookOnOffset : 0) + (HasFocus() ? kFocusedOffset : 0);
  }
  SetExclusiveLook(look);
  return S_OK;
}

void LButton::OnConditionsChanged(const RCPtr<LConditionsParam>& param) {
  if (param) {
    const uint32_t previous = param->previous, current = param->current;
    if (mAutoRepeat && Arrived(Condition::kHoverOrChildHover, previous, current)) {
      mLastTick = Now();  // time spent outside does not count
    } else if (Arrived(Condition::kLeftDown, previous, current)) {
      if (mAutoRepeat && IsEnabled(true) && !mRepeating) StartRepeating();
    } else if (Left(Condition::kCapture, previous, current) && mRepeating) {
      StopRepeating();
    }
  }
  UpdateLook();
}

void LButton::StartRepeating() {
  mRepeating = true;
  HoldIdle();
  mLastTick = Now();
  mTimeToNextRepeat = mFirstRepeatDelay;
  DistributeAutoRepeat();
}

void LButton::StopRepeating() {
  mRepeating = false;
  ReleaseIdleIfUnused();
}

void LButton::HoldIdle() {
  if (mIdleHeld) return;
  mIdleHeld = AcquireIdle() >= 0 && GetIdleCount() > 0;
}

void LButton::ReleaseIdleIfUnused() {
  if (!mIdleHeld || mRepeating || mSimulating) return;
  mIdleHeld = false;
  ReleaseIdle();
}

void LButton::DistributeAutoRepeat() {
  Distribute(LNotification::Obtain(u"NID_BUTTON_AUTOREPEAT", nullptr));
}

void LButton::ClickFromKeyboard() {
  LRootWindow* rootWindow = GetRootWindow();
  const int32_t buttonsHeld = rootWindow ? rootWindow->GetMouseButtons() : 0;
  // A keyboard click does not run the before-click hook: it never toggles.
  mClickingFromKeyboard = true;
  OnLeftClick(MakeMouseButtonParam(1, PointT<int32_t>{0, 0}, 0, 0, buttonsHeld, 0));
  mClickingFromKeyboard = false;
}

void LButton::OnIdle() {
  if (mSimulating && Now() - mSimulatedStart >= mSimulatedHold) FinishSimulatedPress();
  if (mRepeating && IsHovered() && IsEnabled(true)) StepRepeat();
}

void LButton::FinishSimulatedPress() {
  const RCPtr<LButton> keepAlive(this);
  mSimulating = false;
  ReleaseIdleIfUnused();
  mSimulatedStart = 0;
  UpdateLook();
  if (mAutoRepeat) DistributeAutoRepeat();
  ClickFromKeyboard();
}

void LButton::StepRepeat() {
  const double now = Now();
  mTimeToNextRepeat -= now - mLastTick;
  mLastTick = now;
  if (mTimeToNextRepeat > 0) return;
  mTimeToNextRepeat = mRepeatInterval;  // the overshoot is dropped
  DistributeAutoRepeat();
}

SVRESULT LButton::SimulateClick() {
  const RCPtr<LButton> keepAlive(this);
  if (mSimulating) {
    if (mAutoRepeat) DistributeAutoRepeat();
    ClickFromKeyboard();
  }
  mSimulating = true;
  SetFocus(true);
  HoldIdle();
  mSimulatedStart = Now();
  SetExclusiveLook(kLookPressed + (IsChecked() ? kLookOnOffset : 0));
  InvalidateRect(RectT<double>{0, 0, GetRect().width, GetRect().height}, false);
  return S_OK;
}

int32_t LButton::OnSimulateClickNotification(const RCPtr<LNotificationDistributor>&, const RCPtr<LNotification>&) {
  if (IsEnabled(true)) SimulateClick();
  return 1;
}

String LButton::GetTooltipText() {
  if (IsTextTruncated()) return GetText();
  return LControl::GetTooltipText();
}

}  // namespace SV
