#pragma once
#include <dlfcn.h>

#include <atomic>
#include <cstdint>
#include <initializer_list>
#include <string>
#include <vector>

#include "DeviceControl/GeneratedCode/Engine/inc/ParamValues.h"
#include "SVFramework/Utilities/Storage/StringT.h"
#include "SVFramework/Utilities/Storage/Variant.h"
#include "tests/DeviceControl/TestClients/TestClientControl.h"

namespace SV::Testing {

// The recording test client library as a test sees it: loads the same file the
// code under test loads (the loader then shares one copy), resets it, and offers its
// controls. Keeping it loaded keeps the library's records across the proxy's unload.
class TestClientLibrary {
public:
  explicit TestClientLibrary(const char* path = SV_RECORDING_CLIENT_LIBRARY)
      : mPath(path), mHandle(dlopen(path, RTLD_NOW | RTLD_LOCAL)) {
    Reset();
  }
  ~TestClientLibrary() {
    if (!mHandle) return;
    Reset();
    dlclose(mHandle);
  }
  TestClientLibrary(const TestClientLibrary&) = delete;
  TestClientLibrary& operator=(const TestClientLibrary&) = delete;

  bool IsLoaded() const { return mHandle != nullptr; }
  // The library's path as the code under test takes it.
  String Path() const { return String(mPath.c_str()); }

  // Also forgets a release counter, which may not outlive the test.
  void Reset() { Control<TestClientControl::Reset>("TestClient_Reset")(); }
  int32_t CallCount(const char* entryPoint) {
    return Control<TestClientControl::CallCount>("TestClient_CallCount")(entryPoint);
  }
  std::string CallSequence() {
    char text[4096];
    Control<TestClientControl::CallSequence>("TestClient_CallSequence")(text, sizeof text);
    return text;
  }
  void SetStatus(const char* entryPoint, int32_t status) {
    Control<TestClientControl::SetStatus>("TestClient_SetStatus")(entryPoint, status);
  }
  void SetDevices(const Variant& list, uint32_t fromQuery = 0) {
    Control<TestClientControl::SetDevices>("TestClient_SetDevices")(&list, fromQuery);
  }
  void SetDeviceAvailable(bool available) {
    Control<TestClientControl::SetDeviceAvailable>("TestClient_SetDeviceAvailable")(available);
  }
  // The device and list (or value) arguments of the entry point's last call.
  void LastArguments(const char* entryPoint, Variant& device, Variant& argument) {
    Control<TestClientControl::LastArguments>("TestClient_LastArguments")(entryPoint, &device, &argument);
  }
  int32_t DeliverFromOwnThread(const ParamValues* sets, uint32_t count) {
    return Control<TestClientControl::DeliverFromOwnThread>("TestClient_DeliverFromOwnThread")(sets, count);
  }
  void CountReleasesInto(std::atomic<int32_t>& counter) {
    Control<TestClientControl::CountReleasesInto>("TestClient_CountReleasesInto")(&counter);
  }

private:
  template <class Function>
  Function Control(const char* name) {
    return reinterpret_cast<Function>(dlsym(mHandle, name));
  }

  std::string mPath;
  void* mHandle;
};

// A packed array of int64 device identifiers.
inline Variant DeviceList(std::initializer_list<int64_t> identifiers) {
  std::vector<Variant> devices;
  for (int64_t identifier : identifiers) {
    devices.emplace_back();
    devices.back().SetInt64(identifier);
  }
  Variant list;
  list.SetArray(devices.data(), static_cast<uint32_t>(devices.size()));
  return list;
}

}  // namespace SV::Testing
