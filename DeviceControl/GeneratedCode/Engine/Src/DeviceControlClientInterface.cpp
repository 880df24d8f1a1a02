#include "DeviceControl/GeneratedCode/Engine/inc/DeviceControlClientInterface.h"

#include "DeviceControl/GeneratedCode/Engine/inc/ParamDescriptors.h"
#include "SVFramework/Utilities/Storage/StringT.h"

namespace SV {

namespace {

// The entry's status, or -1 when the entry is missing (never bound when the library
// did not load).
template <class Entry, class... Arguments>
SVRESULT Forward(Entry entry, Arguments... arguments) {
  return entry ? entry(arguments...) : DeviceControlClientInterface::kUnavailable;
}

}  // namespace

DeviceControlClientInterface::DeviceControlClientInterface(const char16_t* libraryPath) {
  if (mLibrary.Load(LibraryPath(libraryPath))) BindEntryPoints();
}

DeviceControlClientInterface::~DeviceControlClientInterface() {
  if (mEntries.releaseAll) mEntries.releaseAll();
  mLibrary.Unload();
}

std::string DeviceControlClientInterface::LibraryPath(const char16_t* libraryPath) {
  if (libraryPath && libraryPath[0] != 0) return String(libraryPath).ToUTF8().GetString();
  const std::string folder = Platform::ProgramFolder();
  return folder.empty() ? std::string() : Platform::JoinPath(folder, kLibraryFileName);
}

template <class Entry>
void DeviceControlClientInterface::Bind(Entry& entry, const char* name) {
  entry = reinterpret_cast<Entry>(mLibrary.FindSymbol(name));
}

void DeviceControlClientInterface::BindEntryPoints() {
  Bind(mEntries.findDevices, "TAVI_FindDevices");
  Bind(mEntries.findRemoteDevices, "TAVI_FindRemoteDevices");
  Bind(mEntries.connectDevice, "TAVI_ConnectDevice");
  Bind(mEntries.requestParamRanges, "TAVI_RequestParamRanges");
  Bind(mEntries.requestParamValues, "TAVI_RequestParamValues");
  Bind(mEntries.getParamRanges, "TAVI_GetParamRanges");
  Bind(mEntries.getParamValues, "TAVI_GetParamValues");
  Bind(mEntries.getParamValue, "TAVI_GetParamValue");
  Bind(mEntries.setParamValue, "TAVI_SetParamValue");
  Bind(mEntries.setParamValues, "TAVI_SetParamValues");
  Bind(mEntries.disconnectDevice, "TAVI_DisconnectDevice");
  Bind(mEntries.isDeviceConnected, "TAVI_IsDeviceConnected");
  Bind(mEntries.getDeviceInfo, "TAVI_GetDeviceInfo");
  Bind(mEntries.releaseAll, "TAVI_ReleaseAll");
}

SVRESULT DeviceControlClientInterface::FindDevices(void* a, void* b, void* c) {
  return Forward(mEntries.findDevices, a, b, c);
}

SVRESULT DeviceControlClientInterface::FindRemoteDevices(const Guid* guids, uint32_t count, Variant* found,
                                                         int32_t mode) {
  return Forward(mEntries.findRemoteDevices, guids, count, found, mode);
}

SVRESULT DeviceControlClientInterface::ConnectDevice(const Variant* device,
                                                     DeviceControlClientApi::ParamValuesCallback callback,
                                                     void* context) {
  return Forward(mEntries.connectDevice, device, callback, context);
}

SVRESULT DeviceControlClientInterface::RequestParamRanges(const Variant* device, const ParamRanges* ranges) {
  return Forward(mEntries.requestParamRanges, device, ranges);
}

SVRESULT DeviceControlClientInterface::RequestParamValues(const Variant* device,
                                                          const ParamDescriptors* descriptors) {
  return Forward(mEntries.requestParamValues, device, descriptors);
}

SVRESULT DeviceControlClientInterface::RequestParamValue(const Variant* device, const ParamDescriptor& descriptor) {
  if (!mEntries.requestParamValues) return kUnavailable;
  ParamDescriptors single;
  single.SetFromArray(&descriptor, 1);
  return mEntries.requestParamValues(device, &single);
}

SVRESULT DeviceControlClientInterface::GetParamRanges(const Variant* device, void* a, void* b) {
  return Forward(mEntries.getParamRanges, device, a, b);
}

SVRESULT DeviceControlClientInterface::GetParamValues(const Variant* device, void* a, void* b) {
  return Forward(mEntries.getParamValues, device, a, b);
}

SVRESULT DeviceControlClientInterface::GetParamValue(const Variant* device, const ParamDescriptor* descriptor,
                                                     Variant* value) {
  return Forward(mEntries.getParamValue, device, descriptor, value);
}

SVRESULT DeviceControlClientInterface::SetParamValue(const Variant* device, const ParamDescriptor* descriptor,
                                                     const Variant* value) {
  return Forward(mEntries.setParamValue, device, descriptor, value);
}

SVRESULT DeviceControlClientInterface::SetParamValues(const Variant* device, const ParamValues* values) {
  return Forward(mEntries.setParamValues, device, values);
}

bool DeviceControlClientInterface::IsDeviceConnected(const Variant* device) {
  return mEntries.isDeviceConnected && mEntries.isDeviceConnected(device) == 0;
}

SVRESULT DeviceControlClientInterface::DisconnectDevice(const Variant* device) {
  return Forward(mEntries.disconnectDevice, device);
}

SVRESULT DeviceControlClientInterface::GetDeviceInfo(const Variant* device, DeviceInfoRecord* record) {
  return Forward(mEntries.getDeviceInfo, device, record);
}

}  // namespace SV
