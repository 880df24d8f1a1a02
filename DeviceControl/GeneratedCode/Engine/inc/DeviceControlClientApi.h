#pragma once
#include <cstddef>
#include <cstdint>

#include "DeviceControl/GeneratedCode/Engine/inc/Guid.h"

// The entry points of the optional device-control client library, as the proxy
// binds them. Every entry returns a signed 32-bit status, negative on failure. All
// pointers are to the system's own values (Variant and the parameter lists), which
// the library reads and writes through their operations.
namespace SV {

class Variant;
class ParamValues;
class ParamDescriptors;
class ParamRanges;
struct ParamDescriptor;

// The 256-byte device-information record that TAVI_GetDeviceInfo fills. The system
// reads only the availability byte.
struct DeviceInfoRecord {
  static constexpr size_t kSize = 256;
  static constexpr size_t kAvailableOffset = 252;

  bool IsAvailable() const { return bytes[kAvailableOffset] != 0; }

  uint8_t bytes[kSize] = {};
};

static_assert(sizeof(DeviceInfoRecord) == DeviceInfoRecord::kSize);

namespace DeviceControlClientApi {

// Called by the library, on a thread of its own choosing, for every set of values
// it delivers for the connected device, with the context given to TAVI_ConnectDevice.
// The middle argument carries nothing.
using ParamValuesCallback = void (*)(void* context, int32_t unused, const ParamValues* values);

using FindDevices = int32_t (*)(void* a, void* b, void* c);
// `mode` 0: a quick look; 1: a full enumeration, whose status 1 asks for another.
// `found` receives the identifiers as a packed array.
using FindRemoteDevices = int32_t (*)(const Guid* guids, uint32_t count, Variant* found, int32_t mode);
using ConnectDevice = int32_t (*)(const Variant* device, ParamValuesCallback callback, void* context);
using RequestParamRanges = int32_t (*)(const Variant* device, const ParamRanges* ranges);
using RequestParamValues = int32_t (*)(const Variant* device, const ParamDescriptors* descriptors);
using GetParamRanges = int32_t (*)(const Variant* device, void* a, void* b);
using GetParamValues = int32_t (*)(const Variant* device, void* a, void* b);
using GetParamValue = int32_t (*)(const Variant* device, const ParamDescriptor* descriptor, Variant* value);
using SetParamValue = int32_t (*)(const Variant* device, const ParamDescriptor* descriptor, const Variant* value);
using SetParamValues = int32_t (*)(const Variant* device, const ParamValues* values);
using DisconnectDevice = int32_t (*)(const Variant* device);
// Status 0 means connected.
using IsDeviceConnected = int32_t (*)(const Variant* device);
using GetDeviceInfo = int32_t (*)(const Variant* device, DeviceInfoRecord* record);
using ReleaseAll = int32_t (*)();

}  // namespace DeviceControlClientApi
}  // namespace SV
