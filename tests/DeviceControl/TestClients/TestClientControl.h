#pragma once
#include <atomic>
#include <cstdint>

#include "DeviceControl/GeneratedCode/Engine/inc/DeviceControlClientApi.h"

// The controls that the test client libraries export besides the library's entry
// points, so that a test can set what the library answers and read what it was
// asked. A test reaches them by loading the same library path (see
// tests/Support/TestClientLibrary.h).
namespace SV::Testing::TestClientControl {

// Forgets every record and answer; the device is available again and the device
// list empty.
using Reset = void (*)();
// How often the named entry point was called since the last reset.
using CallCount = int32_t (*)(const char* entryPoint);
// The names of all calls since the last reset, joined by ",".
using CallSequence = void (*)(char* output, uint32_t capacity);
// The status the named entry point answers from now on (0 at first).
using SetStatus = void (*)(const char* entryPoint, int32_t status);
// From the `fromQuery`-th call of TAVI_FindRemoteDevices after this one on (0 or 1:
// at once), `found` receives `list`; the calls before it receive the list set last.
using SetDevices = void (*)(const Variant* list, uint32_t fromQuery);
// The byte of availability that TAVI_GetDeviceInfo writes.
using SetDeviceAvailable = void (*)(bool available);
// Copies of the device and of the list or value argument of the named entry point's
// last call.
using LastArguments = void (*)(const char* entryPoint, Variant* device, Variant* argument);
// Calls the callback of the last TAVI_ConnectDevice with each of the sets, in order,
// from a thread of the library's own, and returns when that thread has ended; -1
// when no device was connected.
using DeliverFromOwnThread = int32_t (*)(const ParamValues* sets, uint32_t count);
// Counts every TAVI_ReleaseAll into `counter`, which outlives the library.
using CountReleasesInto = void (*)(std::atomic<int32_t>* counter);

}  // namespace SV::Testing::TestClientControl
