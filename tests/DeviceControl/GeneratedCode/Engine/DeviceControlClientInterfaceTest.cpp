#include "DeviceControl/GeneratedCode/Engine/inc/DeviceControlClientInterface.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <atomic>
#include <climits>
#include <functional>
#include <memory>
#include <string>

#include "DeviceControl/GeneratedCode/Engine/inc/ParamDescriptors.h"
#include "DeviceControl/GeneratedCode/Engine/inc/ParamRanges.h"
#include "DeviceControl/GeneratedCode/Engine/inc/ParamValues.h"
#include "tests/Support/TestClientLibrary.h"

namespace SV {
namespace {

using Testing::TestClientLibrary;

// Every operation of the proxy, called with harmless arguments; each answers the
// library's status.
struct ForwardedCall {
  const char* entryPoint;
  std::function<SVRESULT(DeviceControlClientInterface&, const Variant&)> call;
};

std::vector<ForwardedCall> ForwardedCalls() {
  static ParamRanges ranges;
  static ParamDescriptors descriptors;
  static ParamValues values;
  static ParamDescriptor descriptor(3);
  static Variant value;
  return {
      {"TAVI_FindDevices", [](auto& proxy, auto&) { return proxy.FindDevices(nullptr, nullptr, nullptr); }},
      {"TAVI_FindRemoteDevices",
       [](auto& proxy, auto&) {
         Variant found;
         return proxy.FindRemoteDevices(nullptr, 0, &found, 1);
       }},
      {"TAVI_ConnectDevice", [](auto& proxy, auto& device) { return proxy.ConnectDevice(&device, nullptr, nullptr); }},
      {"TAVI_RequestParamRanges", [](auto& proxy, auto& device) { return proxy.RequestParamRanges(&device, &ranges); }},
      {"TAVI_RequestParamValues",
       [](auto& proxy, auto& device) { return proxy.RequestParamValues(&device, &descriptors); }},
      {"TAVI_GetParamRanges", [](auto& proxy, auto& device) { return proxy.GetParamRanges(&device, nullptr, nullptr); }},
      {"TAVI_GetParamValues", [](auto& proxy, auto& device) { return proxy.GetParamValues(&device, nullptr, nullptr); }},
      {"TAVI_GetParamValue",
       [](auto& proxy, auto& device) {
         Variant out;
         return proxy.GetParamValue(&device, &descriptor, &out);
       }},
      {"TAVI_SetParamValue", [](auto& proxy, auto& device) { return proxy.SetParamValue(&device, &descriptor, &value); }},
      {"TAVI_SetParamValues", [](auto& proxy, auto& device) { return proxy.SetParamValues(&device, &values); }},
      {"TAVI_DisconnectDevice", [](auto& proxy, auto& device) { return proxy.DisconnectDevice(&device); }},
      {"TAVI_GetDeviceInfo",
       [](auto& proxy, auto& device) {
         DeviceInfoRecord record;
         return proxy.GetDeviceInfo(&device, &record);
       }},
  };
}

Variant DeviceIdentifier(int64_t identifier) {
  Variant device;
  device.SetInt64(identifier);
  return device;
}

TEST(DeviceControlClientInterface, WithoutTheLibraryEveryOperationAnswersMinusOne) {
  DeviceControlClientInterface proxy(u"/nonexistent/folder/libDeviceControlClient.so");
  ASSERT_FALSE(proxy.IsLibraryLoaded());
  const Variant device = DeviceIdentifier(1);
  for (const ForwardedCall& forwarded : ForwardedCalls())
    EXPECT_EQ(forwarded.call(proxy, device), -1) << forwarded.entryPoint;
  EXPECT_EQ(proxy.RequestParamValue(&device, ParamDescriptor(-8)), -1);
  EXPECT_FALSE(proxy.IsDeviceConnected(&device));
}

TEST(DeviceControlClientInterface, TheDefaultPathIsTheProgramFolderNotTheWorkingFolder) {
  // The working folder holds a library of the right name; the program's folder does not.
  const std::string libraryFolder = std::string(SV_RECORDING_CLIENT_LIBRARY).substr(
      0, std::string(SV_RECORDING_CLIENT_LIBRARY).rfind('/'));
  char previous[PATH_MAX];
  ASSERT_NE(getcwd(previous, sizeof previous), nullptr);
  ASSERT_EQ(chdir(libraryFolder.c_str()), 0);
  auto proxy = std::make_unique<DeviceControlClientInterface>();
  EXPECT_EQ(chdir(previous), 0);
  EXPECT_FALSE(proxy->IsLibraryLoaded());
}

TEST(DeviceControlClientInterface, ARelativePathIsNeverLookedForAlongTheSearchPath) {
  DeviceControlClientInterface proxy(u"libDeviceControlClient.so");
  EXPECT_FALSE(proxy.IsLibraryLoaded());
}

TEST(DeviceControlClientInterface, EveryOperationCallsItsEntryPointAndPassesItsStatusThrough) {
  TestClientLibrary library;
  ASSERT_TRUE(library.IsLoaded());
  DeviceControlClientInterface proxy(library.Path().GetString());
  ASSERT_TRUE(proxy.IsLibraryLoaded());
  const Variant device = DeviceIdentifier(42);
  int32_t status = 11;
  for (const ForwardedCall& forwarded : ForwardedCalls()) {
    library.SetStatus(forwarded.entryPoint, status);
    EXPECT_EQ(forwarded.call(proxy, device), status) << forwarded.entryPoint;
    EXPECT_EQ(library.CallCount(forwarded.entryPoint), 1) << forwarded.entryPoint;
    status = -status - 1;
  }
}

TEST(DeviceControlClientInterface, DeviceAndListArgumentsReachTheLibraryUnchanged) {
  TestClientLibrary library;
  DeviceControlClientInterface proxy(library.Path().GetString());
  const Variant device = DeviceIdentifier(42);
  const ParamRange run{0, 24};
  ParamRanges ranges;
  ranges.Set(&run, 1);
  proxy.RequestParamRanges(&device, &ranges);
  Variant seenDevice, seenRanges;
  library.LastArguments("TAVI_RequestParamRanges", seenDevice, seenRanges);
  EXPECT_EQ(seenDevice, device);
  EXPECT_EQ(seenRanges, ranges);
}

TEST(DeviceControlClientInterface, RequestParamValueSendsAListOfTheOneDescriptor) {
  TestClientLibrary library;
  DeviceControlClientInterface proxy(library.Path().GetString());
  const Variant device = DeviceIdentifier(5);
  EXPECT_EQ(proxy.RequestParamValue(&device, ParamDescriptor(-8)), 0);
  Variant seenDevice, seenList;
  library.LastArguments("TAVI_RequestParamValues", seenDevice, seenList);
  ParamDescriptors expected;
  const ParamDescriptor single(-8);
  expected.SetFromArray(&single, 1);
  EXPECT_EQ(seenList, expected);
}

TEST(DeviceControlClientInterface, IsDeviceConnectedHoldsOnlyForStatusZero) {
  TestClientLibrary library;
  DeviceControlClientInterface proxy(library.Path().GetString());
  const Variant device = DeviceIdentifier(5);
  EXPECT_TRUE(proxy.IsDeviceConnected(&device));
  library.SetStatus("TAVI_IsDeviceConnected", 1);
  EXPECT_FALSE(proxy.IsDeviceConnected(&device));
}

TEST(DeviceControlClientInterface, TheDestructorReleasesTheLibraryOnce) {
  TestClientLibrary library;
  std::atomic<int32_t> releases{0};
  library.CountReleasesInto(releases);
  { DeviceControlClientInterface proxy(library.Path().GetString()); }
  EXPECT_EQ(releases.load(), 1);
}

TEST(DeviceControlClientInterface, APartialLibraryAnswersItsExportsAndMinusOneForTheRest) {
  const std::u16string path = String(SV_PARTIAL_CLIENT_LIBRARY).GetString();
  auto proxy = std::make_unique<DeviceControlClientInterface>(path.c_str());
  ASSERT_TRUE(proxy->IsLibraryLoaded());
  const Variant device = DeviceIdentifier(5);
  DeviceInfoRecord record;
  EXPECT_EQ(proxy->GetDeviceInfo(&device, &record), 7);
  EXPECT_TRUE(record.IsAvailable());
  EXPECT_EQ(proxy->DisconnectDevice(&device), 8);
  EXPECT_TRUE(proxy->IsDeviceConnected(&device));
  EXPECT_EQ(proxy->ConnectDevice(&device, nullptr, nullptr), -1);
  EXPECT_EQ(proxy->RequestParamValue(&device, ParamDescriptor(-8)), -1);
  Variant found;
  EXPECT_EQ(proxy->FindRemoteDevices(nullptr, 0, &found, 0), -1);
  proxy.reset();  // no TAVI_ReleaseAll to call: unloading alone must not fail
}

}  // namespace
}  // namespace SV
