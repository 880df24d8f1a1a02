// A device-control client library for the tests that exports only some entry
// points (no TAVI_ReleaseAll among them); each answers a status of its own so a
// test can tell that it was called.
#include <cstdint>
#include <cstring>

#include "DeviceControl/GeneratedCode/Engine/inc/DeviceControlClientApi.h"

using SV::DeviceInfoRecord;
using SV::Variant;

extern "C" {

int32_t TAVI_GetDeviceInfo(const Variant*, DeviceInfoRecord* record) {
  if (record) std::memset(record->bytes, 1, sizeof record->bytes);
  return 7;
}

int32_t TAVI_DisconnectDevice(const Variant*) { return 8; }

int32_t TAVI_IsDeviceConnected(const Variant*) { return 0; }

}  // extern "C"
