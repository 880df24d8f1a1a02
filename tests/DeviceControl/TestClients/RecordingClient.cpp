// A device-control client library for the tests: all 14 entry points, each
// recorded, answering what the test set through the controls of TestClientControl.h.
#include <algorithm>
#include <atomic>
#include <cstring>
#include <map>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "DeviceControl/GeneratedCode/Engine/inc/DeviceControlClientApi.h"
#include "DeviceControl/GeneratedCode/Engine/inc/ParamDescriptor.h"
#include "DeviceControl/GeneratedCode/Engine/inc/ParamDescriptors.h"
#include "DeviceControl/GeneratedCode/Engine/inc/ParamRanges.h"
#include "DeviceControl/GeneratedCode/Engine/inc/ParamValues.h"
#include "SVFramework/Utilities/Storage/Variant.h"

using SV::DeviceInfoRecord;
using SV::Guid;
using SV::ParamDescriptor;
using SV::ParamDescriptors;
using SV::ParamRanges;
using SV::ParamValues;
using SV::Variant;
using SV::DeviceControlClientApi::ParamValuesCallback;

namespace {

struct LastCall {
  Variant device;
  Variant argument;
};

struct ClientState {
  std::mutex lock;
  std::vector<std::string> calls;
  std::map<std::string, int32_t> statuses;
  std::map<std::string, LastCall> lastCalls;
  Variant devicesBefore;
  Variant devicesAfter;
  uint32_t changeAtQuery = 0;
  uint32_t queries = 0;
  bool deviceAvailable = true;
  ParamValuesCallback callback = nullptr;
  void* context = nullptr;
  std::atomic<int32_t>* releaseCounter = nullptr;
};

ClientState& State() {
  static ClientState state;
  return state;
}

// Records the call and answers its status; `device` and `argument` may be null.
int32_t Record(const char* entryPoint, const Variant* device, const Variant* argument) {
  ClientState& state = State();
  std::lock_guard guard(state.lock);
  state.calls.emplace_back(entryPoint);
  LastCall& last = state.lastCalls[entryPoint];
  last.device.Empty();
  last.argument.Empty();
  if (device) last.device.Assign(*device);
  if (argument) last.argument.Assign(*argument);
  return state.statuses[entryPoint];
}

Variant DescriptorAsValue(const ParamDescriptor* descriptor) {
  Variant id;
  if (descriptor) id.SetInt32(descriptor->paramID);
  return id;
}

}  // namespace

extern "C" {

int32_t TAVI_FindDevices(void*, void*, void*) { return Record("TAVI_FindDevices", nullptr, nullptr); }

int32_t TAVI_FindRemoteDevices(const Guid*, uint32_t, Variant* found, int32_t mode) {
  Variant modeValue;
  modeValue.SetInt32(mode);
  const int32_t status = Record("TAVI_FindRemoteDevices", nullptr, &modeValue);
  ClientState& state = State();
  std::lock_guard guard(state.lock);
  ++state.queries;
  if (found) found->Assign(state.queries >= state.changeAtQuery ? state.devicesAfter : state.devicesBefore);
  return status;
}

int32_t TAVI_ConnectDevice(const Variant* device, ParamValuesCallback callback, void* context) {
  const int32_t status = Record("TAVI_ConnectDevice", device, nullptr);
  ClientState& state = State();
  std::lock_guard guard(state.lock);
  if (status >= 0) {
    state.callback = callback;
    state.context = context;
  }
  return status;
}

int32_t TAVI_RequestParamRanges(const Variant* device, const ParamRanges* ranges) {
  return Record("TAVI_RequestParamRanges", device, ranges);
}

int32_t TAVI_RequestParamValues(const Variant* device, const ParamDescriptors* descriptors) {
  return Record("TAVI_RequestParamValues", device, descriptors);
}

int32_t TAVI_GetParamRanges(const Variant* device, void*, void*) {
  return Record("TAVI_GetParamRanges", device, nullptr);
}

int32_t TAVI_GetParamValues(const Variant* device, void*, void*) {
  return Record("TAVI_GetParamValues", device, nullptr);
}

// Answers the ParamID itself as an int32 value.
int32_t TAVI_GetParamValue(const Variant* device, const ParamDescriptor* descriptor, Variant* value) {
  const Variant id = DescriptorAsValue(descriptor);
  const int32_t status = Record("TAVI_GetParamValue", device, &id);
  if (value && status >= 0) value->Assign(id);
  return status;
}

int32_t TAVI_SetParamValue(const Variant* device, const ParamDescriptor* descriptor, const Variant* value) {
  const Variant pair[2] = {DescriptorAsValue(descriptor), value ? *value : Variant()};
  Variant argument;
  argument.SetArray(pair, 2);
  return Record("TAVI_SetParamValue", device, &argument);
}

int32_t TAVI_SetParamValues(const Variant* device, const ParamValues* values) {
  return Record("TAVI_SetParamValues", device, values);
}

int32_t TAVI_DisconnectDevice(const Variant* device) { return Record("TAVI_DisconnectDevice", device, nullptr); }

int32_t TAVI_IsDeviceConnected(const Variant* device) { return Record("TAVI_IsDeviceConnected", device, nullptr); }

int32_t TAVI_GetDeviceInfo(const Variant* device, DeviceInfoRecord* record) {
  const int32_t status = Record("TAVI_GetDeviceInfo", device, nullptr);
  ClientState& state = State();
  std::lock_guard guard(state.lock);
  if (record && status >= 0) {
    std::memset(record->bytes, 0x5A, sizeof record->bytes);
    record->bytes[DeviceInfoRecord::kAvailableOffset] = state.deviceAvailable ? 1 : 0;
  }
  return status;
}

int32_t TAVI_ReleaseAll() {
  const int32_t status = Record("TAVI_ReleaseAll", nullptr, nullptr);
  ClientState& state = State();
  std::lock_guard guard(state.lock);
  if (state.releaseCounter) state.releaseCounter->fetch_add(1);
  return status;
}

void TestClient_Reset() {
  ClientState& state = State();
  std::lock_guard guard(state.lock);
  state.calls.clear();
  state.statuses.clear();
  state.lastCalls.clear();
  state.devicesBefore.Empty();
  state.devicesAfter.Empty();
  state.changeAtQuery = 0;
  state.queries = 0;
  state.deviceAvailable = true;
  state.callback = nullptr;
  state.context = nullptr;
  state.releaseCounter = nullptr;
}

int32_t TestClient_CallCount(const char* entryPoint) {
  ClientState& state = State();
  std::lock_guard guard(state.lock);
  int32_t count = 0;
  for (const std::string& call : state.calls) count += call == entryPoint ? 1 : 0;
  return count;
}

void TestClient_CallSequence(char* output, uint32_t capacity) {
  ClientState& state = State();
  std::lock_guard guard(state.lock);
  std::string joined;
  for (const std::string& call : state.calls) joined += (joined.empty() ? "" : ",") + call;
  if (capacity == 0) return;
  const size_t length = std::min<size_t>(joined.size(), capacity - 1);
  std::memcpy(output, joined.data(), length);
  output[length] = 0;
}

void TestClient_SetStatus(const char* entryPoint, int32_t status) {
  ClientState& state = State();
  std::lock_guard guard(state.lock);
  state.statuses[entryPoint] = status;
}

void TestClient_SetDevices(const Variant* list, uint32_t fromQuery) {
  ClientState& state = State();
  std::lock_guard guard(state.lock);
  state.devicesBefore.Assign(state.devicesAfter);
  state.devicesAfter.Empty();
  if (list) state.devicesAfter.Assign(*list);
  state.queries = 0;
  state.changeAtQuery = fromQuery;
}

void TestClient_SetDeviceAvailable(bool available) {
  ClientState& state = State();
  std::lock_guard guard(state.lock);
  state.deviceAvailable = available;
}

void TestClient_LastArguments(const char* entryPoint, Variant* device, Variant* argument) {
  ClientState& state = State();
  std::lock_guard guard(state.lock);
  const LastCall& last = state.lastCalls[entryPoint];
  if (device) device->Assign(last.device);
  if (argument) argument->Assign(last.argument);
}

int32_t TestClient_DeliverFromOwnThread(const ParamValues* sets, uint32_t count) {
  ParamValuesCallback callback = nullptr;
  void* context = nullptr;
  {
    ClientState& state = State();
    std::lock_guard guard(state.lock);
    callback = state.callback;
    context = state.context;
  }
  if (!callback) return -1;
  std::vector<ParamValues> copies(sets, sets + count);
  std::thread deliverer([&] {
    for (const ParamValues& set : copies) callback(context, 0, &set);
  });
  deliverer.join();
  return 0;
}

void TestClient_CountReleasesInto(std::atomic<int32_t>* counter) {
  ClientState& state = State();
  std::lock_guard guard(state.lock);
  state.releaseCounter = counter;
}

}  // extern "C"
