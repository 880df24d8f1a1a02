#include "Panel/UI/DriverCommon/PresetManager.h"

// The framework's headers come first: the device side's declare an SV::Platform that
// would hide the platform layer's namespace from them.
#include "SVFramework/Controls/FileDialog.h"
#include "DeviceControl/GeneratedCode/Engine/inc/ParamRanges.h"
#include "DeviceControl/GeneratedCode/Engine/inc/RootModuleEngine.h"
#include "Panel/UI/DriverCommon/PresetFileFormat.h"
#include "Panel/UI/DriverCommon/PresetFileLoadNotificationData.h"
#include "Panel/UI/DriverCommon/PresetFileReader.h"
#include "Panel/UI/DriverCommon/PresetFileWriter.h"
#include "SVFramework/Application/FrameworkApp.h"
#include "SVFramework/ObjectBase/Exception.h"
#include "SVFramework/Utilities/IniFileManager.h"
#include "SVFramework/Utilities/StringPayload.h"
#include "SVFramework/notification/NotificationCenterManager.h"

namespace SV {

RCPtr<LPresetManager> LPresetManager::Create() {
  RCPtr<LPresetManager> manager(new LPresetManager);
  const SVRESULT subscribed =
      manager->mHandler->AddHandler(&LPresetManager::OnLoadControlPanelSettings,
                                    RCPtr<LNotificationDistributor>(GetApplicationNotificationCenter()), kLoadSettingsID);
  SV_RAISE_ON_FAILURE(subscribed, "SV::LPresetManager::Create");
  manager->mSubscribed = true;
  return manager;
}

LPresetManager::LPresetManager() : mHandler(LNotificationHandler<LPresetManager>::Create(this)) {}

LPresetManager::~LPresetManager() = default;

int32_t LPresetManager::LoadPresetFile(const String& path) {
  Announce(kPreLoadID, RCPtr<LRefCountedObject>());
  const int32_t result = ReadPresetFile(path);
  Announce(kPostLoadID, RCPtr<LRefCountedObject>(LPresetFileLoadNotificationData::Create(result)));
  return result;
}

int32_t LPresetManager::ReadPresetFile(const String& path) {
  const RCPtr<LRootModuleEngine> engine = GetRootModuleEngine();
  const int32_t firstParamID = engine ? engine->GetFirstParamID() : 0;
  return ReadPresetFileAt(path, [&](int32_t parameterIndex, const Variant& value) {
    if (engine) engine->SetParamValue(ParamDescriptor(firstParamID + parameterIndex), value);
  });
}

SVRESULT LPresetManager::SavePresetFile(const String& path) {
  const RCPtr<LRootModuleEngine> engine = GetRootModuleEngine();
  if (!engine) return E_FAIL;
  Array<ParamValue> values;
  engine->GetParamValues(ParamRange{engine->GetFirstParamID(), PresetFileFormat::kParameterCount}, values, -1);
  // The values are in hand before the file is touched: a short set writes nothing.
  if (values.GetCount() != static_cast<uint32_t>(PresetFileFormat::kParameterCount)) return E_FAIL;
  return WritePresetFile(path, values);
}

void LPresetManager::StoreLastFolderPath(const LFileDialog& dialog) {
  LFrameworkApp* application = GetFrameworkApp();
  IIniFileManager* settings = application ? application->GetIniFileManager() : nullptr;
  if (!settings) return;
  const int32_t userSettings = application->OpenSettingsFile(kUserSettingsFile);
  settings->SetIniValueStr(userSettings, kLastFolderKey, dialog.GetFolder());
}

int32_t LPresetManager::OnLoadControlPanelSettings(const RCPtr<LNotificationDistributor>&,
                                                   const RCPtr<LNotification>& notification) {
  const RCPtr<LStringPayload> path = RCPtr<LStringPayload>::DynamicCastFrom(notification->GetPayload());
  if (path) LoadPresetFile(*path);
  return 1;
}

SVRESULT LPresetManager::BuildRecord(int32_t parameterIndex, const Variant& value, IBuffer& record) {
  return PresetFileFormat::BuildRecord(static_cast<uint32_t>(parameterIndex), value, record);
}

SVRESULT LPresetManager::ParseRecord(const uint8_t* bytes, uint32_t size, uint32_t offset, int32_t& parameterIndex,
                                     Variant& value) {
  uint32_t index = 0;
  const SVRESULT length = PresetFileFormat::ParseRecord(bytes, size, offset, index, value);
  if (Succeeded(length)) parameterIndex = static_cast<int32_t>(index);
  return length;
}

int32_t LPresetManager::Receive(const RCPtr<LNotificationDistributor>& source,
                                const RCPtr<LNotification>& notification) {
  return mHandler ? mHandler->Dispatch(source, notification) : 0;
}

SVRESULT LPresetManager::UnsubscribeVirtual(const RCPtr<LNotificationDistributor>& source, const char16_t* idText) {
  if (mHandler) mHandler->RemoveHandler(source.Get(), idText);
  return Unsubscribe(source, idText);
}

SVRESULT LPresetManager::ReleaseInternalReferences() {
  RemoveAllClients();
  UnsubscribeAll();
  mSubscribed = false;
  return GetInternalRefCount() == 0 && GetRefCount() == 1 ? S_OK : E_FAIL;
}

void LPresetManager::Announce(const char16_t* idText, const RCPtr<LRefCountedObject>& payload) {
  Distribute(LNotification::Obtain(idText, payload));
}

}  // namespace SV
