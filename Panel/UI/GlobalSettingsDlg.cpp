#include "Panel/UI/GlobalSettingsDlg.h"

#include <cmath>
#include <iterator>

#include "Panel/UI/DriverCommon/AppString.h"
#include "Panel/UI/MidiManagerSource.h"
#include "SVFramework/Application/AppMessageBox.h"
#include "SVFramework/Application/FrameworkApp.h"
#include "SVFramework/ControlBase/ControlCreation.h"
#include "SVFramework/ObjectBase/Exception.h"

namespace SV {

namespace {

constexpr const char* kGlobalSettingsInitialize = "SV::LGlobalSettingsDlg::Initialize";
constexpr double kFirstSensitiveFirmware = 1.12;
constexpr double kSensitivityMinimum = 0;
constexpr double kSensitivityMaximum = 100;
constexpr double kSensitivityDefault = 50;
// The value each curve item stands for on the controller, by item index.
constexpr int32_t kCurveValues[] = {0, 6, 5, 4, 1, 2, 3};

template <class ChildClass>
RCPtr<ChildClass> RequireChild(const LControl& dialog, const char16_t* name, const char* message) {
  RCPtr<ChildClass> child(dynamic_cast<ChildClass*>(dialog.FindChild(name).Get()));
  if (!child) SV_RAISE_NULL_POINTER(message, kGlobalSettingsInitialize);
  return child;
}

void PrepareSensitivity(LNumericUpDown& upDown) {
  upDown.SetValueRange(kSensitivityMinimum, kSensitivityMaximum, 0);
  upDown.SetNormalizedValue(upDown.ValueToNormalized(kSensitivityDefault));
}

void SetChildVisible(const LControl& dialog, const char16_t* name, bool visible) {
  if (const RCPtr<LControl> child = dialog.FindChild(name)) child->SetVisible(visible);
}

}  // namespace

RCPtr<LControl>& LGlobalSettingsDlg::Create(RCPtr<LControl>& out, const RCPtr<LControl>& parent,
                                            const RCPtr<LControlDescriptor>& descriptor) {
  return LControlCreation::Create<LGlobalSettingsDlg>(out, parent, descriptor);
}

LGlobalSettingsDlg::LGlobalSettingsDlg(const RCPtr<LControl>& parent, const String& name) : LDialog(parent, name) {}

LGlobalSettingsDlg::~LGlobalSettingsDlg() = default;

SVRESULT LGlobalSettingsDlg::Initialize() {
  const SVRESULT result = LDialog::Initialize();
  if (result < 0) return result;
  mHandlers = Handlers::Create(this);
  if (!mHandlers) SV_RAISE_NULL_POINTER("Could not get notification handler", kGlobalSettingsInitialize);
  FindChildren();
  BindSendButton();
  ShowSensitivityControls(false);
  mMidiManager = GetApplicationMidiManager();
  mFirmwareRead = false;
  mFirmwareRequests = 0;
  mFirmwareCheckRunning = AcquireIdle() >= 0;
  return result;
}

void LGlobalSettingsDlg::FindChildren() {
  mWhiteCurve = RequireChild<LComboBox>(*this, u"whiteKeyVelocityCurveComboBox",
                                        "Could not find child whiteKeyVelocityCurveComboBox");
  mBlackCurve = RequireChild<LComboBox>(*this, u"blackKeyVelocityCurveComboBox",
                                        "Could not find child blackKeyVelocityCurveComboBox");
  mWhiteSensitivity = RequireChild<LNumericUpDown>(*this, u"whiteKeyVelocitySensitivityNumericUpDown",
                                                   "Could not find child whiteKeyVelocitySensitivityNumericUpDown");
  PrepareSensitivity(*mWhiteSensitivity);
  mBlackSensitivity = RequireChild<LNumericUpDown>(*this, u"blackKeyVelocitySensitivityNumericUpDown",
                                                   "Could not find child blackKeyVelocitySensitivityNumericUpDown");
  PrepareSensitivity(*mBlackSensitivity);
  mSendButton = RequireChild<LButton>(*this, u"sendGlobalSettingsButton", "sendSettingsButton child not found");
}

void LGlobalSettingsDlg::BindSendButton() {
  const SVRESULT bound = mHandlers->AddHandler(&LGlobalSettingsDlg::SendGlobalSettings, mSendButton, u"NID_LEFT_CLICK");
  if (bound < 0) SV_RAISE(FailedResultException, FormatResultCode(bound), kGlobalSettingsInitialize);
}

void LGlobalSettingsDlg::OnIdle() { CheckFirmwareOnIdle(); }

int32_t LGlobalSettingsDlg::Receive(const RCPtr<LNotificationDistributor>& source,
                                    const RCPtr<LNotification>& notification) {
  if (!IsCreated()) return 1;
  if (mHandlers) {
    const int32_t handled = mHandlers->Dispatch(source, notification);
    if (handled != 0) return handled;
  }
  return LDialog::Receive(source, notification);
}

SVRESULT LGlobalSettingsDlg::UnsubscribeVirtual(const RCPtr<LNotificationDistributor>& source, const char16_t* idText) {
  if (mHandlers) mHandlers->RemoveHandler(source.Get(), idText);
  return LDialog::UnsubscribeVirtual(source, idText);
}

SVRESULT LGlobalSettingsDlg::ReleaseInternalReferences() {
  mWhiteCurve = nullptr;
  mBlackCurve = nullptr;
  mWhiteSensitivity = nullptr;
  mBlackSensitivity = nullptr;
  mSendButton = nullptr;
  mMidiManager = nullptr;
  return LDialog::ReleaseInternalReferences();
}

// --- Sending ---

int32_t LGlobalSettingsDlg::CurveValueForItem(int32_t itemIndex) {
  if (itemIndex < 0 || itemIndex >= static_cast<int32_t>(std::size(kCurveValues))) return 0;
  return kCurveValues[itemIndex];
}

SVRESULT LGlobalSettingsDlg::SendSetting(const char16_t* name, int32_t value) {
  if (!mMidiManager) return LMidiManager::kSendFailed;
  return mMidiManager->SendNonPresetParameter(String(name), value, 1);
}

bool LGlobalSettingsDlg::SendSensitivity(const char16_t* name, const RCPtr<LNumericUpDown>& upDown) {
  if (!upDown || !upDown->IsVisible(false)) return true;
  return SendSetting(name, static_cast<int32_t>(std::trunc(upDown->GetValue()))) >= 0;
}

int32_t LGlobalSettingsDlg::SendGlobalSettings(const RCPtr<LNotificationDistributor>&, const RCPtr<LNotification>&) {
  const RCPtr<LGlobalSettingsDlg> self(this);
  const bool sent =
      SendSetting(u"WHITE KEY CURVE", CurveValueForItem(mWhiteCurve ? mWhiteCurve->GetSelectedIndex() : -1)) >= 0 &&
      SendSetting(u"BLACK KEY CURVE", CurveValueForItem(mBlackCurve ? mBlackCurve->GetSelectedIndex() : -1)) >= 0 &&
      SendSensitivity(u"WHITE KEY SENSITIVITY", mWhiteSensitivity) &&
      SendSensitivity(u"BLACK KEY SENSITIVITY", mBlackSensitivity);
  if (sent) {
    ShowAppMessageBox(GetAppString(u"LABEL_GLOBALSETTINGS_SUCCESS_MESSAGEBOX_TEXT"),
                      GetAppString(u"LABEL_GLOBALSETTINGS_SUCCESS_MESSAGEBOX_CAPTION"), kMessageBoxOk);
  } else {
    ShowAppMessageBox(GetAppString(u"LABEL_GLOBALSETTINGS_FAILED_MIDI_ERROR_MESSAGEBOX_TEXT"),
                      GetAppString(u"LABEL_GLOBALSETTINGS_FAILED_MIDI_ERROR_MESSAGEBOX_CAPTION"), kMessageBoxOk);
  }
  return 1;
}

void LGlobalSettingsDlg::ShowSensitivityControls(bool visible) {
  if (mBlackSensitivity) mBlackSensitivity->SetVisible(visible);
  if (mWhiteSensitivity) mWhiteSensitivity->SetVisible(visible);
  SetChildVisible(*this, u"blackKeyVelocitySensitivityLabel", visible);
  SetChildVisible(*this, u"whiteKeyVelocitySensitivityLabel", visible);
}

// --- The firmware gate ---

bool LGlobalSettingsDlg::IsFirmwareRequestDue() const {
  if (mFirmwareRequests == 0) return true;
  if (mFirmwareRequests >= kFirmwareRequestLimit) return false;
  const uint32_t elapsed = static_cast<uint32_t>(GetApplicationTickCount()) - mLastFirmwareRequestTick;
  return elapsed >= kFirmwareRequestIntervalMilliseconds;
}

void LGlobalSettingsDlg::CheckFirmwareOnIdle() {
  if (mFirmwareRead || !mMidiManager || !IsFirmwareRequestDue()) return;
  const RCPtr<LGlobalSettingsDlg> self(this);
  String version;
  const SVRESULT answered = mMidiManager->RequestFirmwareVersion(version);
  ++mFirmwareRequests;
  // Counted from the end of the request: the user gets a second between two waits.
  mLastFirmwareRequestTick = static_cast<uint32_t>(GetApplicationTickCount());
  if (answered < 0) {
    if (mFirmwareRequests >= kFirmwareRequestLimit) EndFirmwareCheck();
    return;
  }
  if (version.ToDouble() >= kFirstSensitiveFirmware) ShowSensitivityControls(true);
  mFirmwareRead = true;
  EndFirmwareCheck();
}

void LGlobalSettingsDlg::EndFirmwareCheck() {
  if (!mFirmwareCheckRunning) return;
  mFirmwareCheckRunning = false;
  ReleaseIdle();
}

}  // namespace SV
