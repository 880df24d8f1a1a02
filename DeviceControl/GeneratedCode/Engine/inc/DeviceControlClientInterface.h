#pragma once
#include <cstdint>
#include <string>

#include "DeviceControl/GeneratedCode/Engine/inc/DeviceControlClientApi.h"
#include "DeviceControl/GeneratedCode/Engine/inc/ParamDescriptor.h"
#include "Platform/DynamicLibrary/DynamicLibrary.h"

namespace SV {

// Binds the optional device-control client library at run time and offers its 14
// entry points. Without the library, or without one entry point, the operation
// answers -1 (IsDeviceConnected false) and nothing else happens; library statuses
// pass through unchanged. The library is loaded once, by absolute path, for the
// proxy's whole life. No lock: callers on several threads call it unserialised,
// and the library's callback may run at the same time.
class DeviceControlClientInterface {
public:
  // The library's file name, looked for in the program's own folder.
  static constexpr const char* kLibraryFileName = "libDeviceControlClient.so";
  static constexpr SVRESULT kUnavailable = -1;

  // Loads the library at `libraryPath` (an absolute UTF-16 path), or with a null or
  // empty path the library of the program's own folder, and looks up every entry
  // point. A library that cannot be loaded is not reported.
  explicit DeviceControlClientInterface(const char16_t* libraryPath = nullptr);
  // Calls TAVI_ReleaseAll when it is exported, then unloads the library.
  virtual ~DeviceControlClientInterface();
  DeviceControlClientInterface(const DeviceControlClientInterface&) = delete;
  DeviceControlClientInterface& operator=(const DeviceControlClientInterface&) = delete;

  bool IsLibraryLoaded() const { return mLibrary.IsLoaded(); }

  virtual SVRESULT FindDevices(void* a, void* b, void* c);
  virtual SVRESULT FindRemoteDevices(const Guid* guids, uint32_t count, Variant* found, int32_t mode);
  virtual SVRESULT ConnectDevice(const Variant* device, DeviceControlClientApi::ParamValuesCallback callback,
                                 void* context);
  virtual SVRESULT RequestParamRanges(const Variant* device, const ParamRanges* ranges);
  virtual SVRESULT RequestParamValues(const Variant* device, const ParamDescriptors* descriptors);
  // TAVI_RequestParamValues with a list of the one descriptor.
  virtual SVRESULT RequestParamValue(const Variant* device, const ParamDescriptor& descriptor);
  virtual SVRESULT GetParamRanges(const Variant* device, void* a, void* b);
  virtual SVRESULT GetParamValues(const Variant* device, void* a, void* b);
  virtual SVRESULT GetParamValue(const Variant* device, const ParamDescriptor* descriptor, Variant* value);
  virtual SVRESULT SetParamValue(const Variant* device, const ParamDescriptor* descriptor, const Variant* value);
  virtual SVRESULT SetParamValues(const Variant* device, const ParamValues* values);
  // True only when the entry point exists and answers 0.
  virtual bool IsDeviceConnected(const Variant* device);
  virtual SVRESULT DisconnectDevice(const Variant* device);
  virtual SVRESULT GetDeviceInfo(const Variant* device, DeviceInfoRecord* record);

private:
  struct EntryPoints {
    DeviceControlClientApi::FindDevices findDevices = nullptr;
    DeviceControlClientApi::FindRemoteDevices findRemoteDevices = nullptr;
    DeviceControlClientApi::ConnectDevice connectDevice = nullptr;
    DeviceControlClientApi::RequestParamRanges requestParamRanges = nullptr;
    DeviceControlClientApi::RequestParamValues requestParamValues = nullptr;
    DeviceControlClientApi::GetParamRanges getParamRanges = nullptr;
    DeviceControlClientApi::GetParamValues getParamValues = nullptr;
    DeviceControlClientApi::GetParamValue getParamValue = nullptr;
    DeviceControlClientApi::SetParamValue setParamValue = nullptr;
    DeviceControlClientApi::SetParamValues setParamValues = nullptr;
    DeviceControlClientApi::DisconnectDevice disconnectDevice = nullptr;
    DeviceControlClientApi::IsDeviceConnected isDeviceConnected = nullptr;
    DeviceControlClientApi::GetDeviceInfo getDeviceInfo = nullptr;
    DeviceControlClientApi::ReleaseAll releaseAll = nullptr;
  };

  static std::string LibraryPath(const char16_t* libraryPath);
  void BindEntryPoints();
  template <class Entry> void Bind(Entry& entry, const char* name);

  Platform::DynamicLibrary mLibrary;
  EntryPoints mEntries;
};

}  // namespace SV
