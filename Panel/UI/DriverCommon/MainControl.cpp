#include "Panel/UI/DriverCommon/MainControl.h"

#include <stdexcept>

#include "DeviceControl/GeneratedCode/Engine/inc/ParamPayloads.h"
#include "DeviceControl/GeneratedCode/Engine/inc/RootModuleEngine.h"
#include "SVFramework/Application/FrameworkApp.h"
#include "SVFramework/Controls/Panel.h"
#include "SVFramework/ObjectBase/Exception.h"
#include "SVFramework/notification/NotificationCenter.h"
#include "SVFramework/notification/NotificationCenterManager.h"

namespace SV {
namespace {

constexpr uint32_t kIconError = 16;

}  // namespace

LMainControl::LMainControl(const RCPtr<LControl>& parent, const String& name)
    : LControl(parent, name), IRootModule(false) {}

LMainControl::~LMainControl() {
  mHandlers.Reset();
  mDeviceView.Reset();
  mStatusPanel.Reset();
  mDeviceSelectorPanel.Reset();
}

SVRESULT LMainControl::Initialize() {
  const SVRESULT initialized = LControl::Initialize();
  if (initialized >= 0) {
    mHandlers = Handlers::Create(this);
    FindChildren();
    if (mDeviceView) SubscribeToEngine();
    WireParamIDs();
  }
  if (const RCPtr<LRootModuleEngine> engine = GetRootModuleEngine()) engine->SetDeviceCommunicationEnabled(true);
  return initialized;
}

void LMainControl::FindChildren() {
  try {
    mDeviceView = RCPtr<IDevice>(dynamic_cast<IDevice*>(FindChild(u"viewDevice").Get()));
    if (!mDeviceView) SV_RAISE(std::runtime_error, "LMainControl couldn't find viewDevice", "SV::LMainControl::Initialize");
  } catch (const std::runtime_error&) {
    // Without a device view the control shows and forwards nothing; edits still work.
    return;
  }
  mStatusPanel = RCPtr<LPanel>(dynamic_cast<LPanel*>(FindChild(u"viewStatus").Get()));
  mDeviceSelectorPanel = RCPtr<LPanel>(dynamic_cast<LPanel*>(FindChild(u"panelDeviceSelector").Get()));
}

void LMainControl::SubscribeToEngine() {
  const SVRESULT subscribed = mHandlers->AddHandler(&LMainControl::ReceiveParamModuleStateChange,
                                                    RCPtr<LNotificationDistributor>(GetApplicationNotificationCenter()),
                                                    kStateChangeID);
  SV_RAISE_ON_FAILURE(subscribed, "SV::LMainControl::Initialize");
}

void LMainControl::WireParamIDs() {
  const RCPtr<LRootModuleEngine> engine = GetRootModuleEngine();
  IRootModule::SetFirstParamID(nullptr, engine ? engine->GetFirstParamID() : 0, 0);
}

int32_t LMainControl::OnAttachedToWindow(uintptr_t) {
  if (const RCPtr<LRootModuleEngine> engine = GetRootModuleEngine()) engine->SetDeviceCommunicationEnabled(true);
  return 0;
}

void LMainControl::OnRootWindowChanged() {
  if (!mAttached && GetRootWindow()) {
    mAttached = true;
    ShowProductNameAsTitle();
    OnAttachedToWindow(0);
  }
  LControl::OnRootWindowChanged();
}

void LMainControl::ShowProductNameAsTitle() {
  LFrameworkApp* const application = GetFrameworkApp();
  if (GetText().IsEmpty() && application && LControl::GetParent() == nullptr) SetText(application->GetProductName());
}

SVRESULT LMainControl::SetParamValue(const ParamDescriptor& descriptor, const Variant& value) {
  if (descriptor.paramID == mApplyingParamID && descriptor.subKey == mApplyingSubKey) return S_OK;
  if (const RCPtr<LRootModuleEngine> engine = GetRootModuleEngine()) engine->SetParamValue(descriptor, value);
  return S_OK;
}

void LMainControl::OnParamValueChanged(const ParamDescriptor& descriptor, const Variant& value) {
  SetParamValue(descriptor, value);
}

RCPtr<IDevice> LMainControl::GetDevice() { return mDeviceView; }

RCPtr<LDeviceCommunicationInterface> LMainControl::GetCommunicationInterface() { return nullptr; }

int32_t LMainControl::ReceiveParamModuleStateChange(const RCPtr<LNotificationDistributor>&,
                                                    const RCPtr<LNotification>& notification) {
  const RCPtr<LRefCountedObject> payload = notification->GetPayload();
  if (const auto change = RCPtr<ParamChangePayload>::DynamicCastFrom(payload)) {
    OnParamModuleStateChange(change->GetFirst(), change->GetSecond());
  } else if (const auto changes = RCPtr<ParamValuesPayload>::DynamicCastFrom(payload)) {
    RouteValues(*changes);
  }
  return 1;
}

void LMainControl::RouteValues(const Variant& packed) {
  const ParamValues& values = static_cast<const ParamValues&>(packed);
  const uint32_t count = values.GetCount();
  for (uint32_t index = 0; index < count; ++index) {
    Variant value, subKey;
    int32_t paramID = -1;
    if (values.GetAt(index, value, paramID, subKey) < 0) continue;
    OnParamModuleStateChange(ParamDescriptor(paramID, subKey), value);
  }
}

int32_t LMainControl::OnParamModuleStateChange(const ParamDescriptor& descriptor, const Variant& value) {
  mApplyingParamID = descriptor.paramID;
  mApplyingSubKey = descriptor.subKey;
  if (descriptor.paramID == kHardwareCheckParamID) {
    if (value.IsEmpty()) CheckHardwareConfiguration();
  } else if (descriptor.paramID != kDeviceTextParamID && !value.IsEmpty()) {
    if (const RCPtr<LParameterizedModule> module = GetModuleForParamID(descriptor.paramID))
      module->SetParamValueLocal(descriptor, value, true);
  }
  mApplyingParamID = -1;
  mApplyingSubKey = Variant();
  return 0;
}

void LMainControl::CheckHardwareConfiguration() {
  const RCPtr<LRootModuleEngine> engine = GetRootModuleEngine();
  Array<Variant> devices;
  if (engine && engine->GetDeviceList(devices) >= 0) return;
  ShowAppMessageBox(GetString(u"HARDWARE_CONFIG_ERROR_MESSAGE"), GetString(u"HARDWARE_CONFIG_ERROR_TITLE"), kIconError);
  GetApplicationNotificationCenter()->PostNotification(u"NID_APP_EXIT_REQ", nullptr);
}

int32_t LMainControl::Receive(const RCPtr<LNotificationDistributor>& source, const RCPtr<LNotification>& notification) {
  if (!IsCreated()) return 1;
  if (mHandlers) {
    const int32_t handled = mHandlers->Dispatch(source, notification);
    if (handled != 0) return handled;
  }
  return LControl::Receive(source, notification);
}

}  // namespace SV
