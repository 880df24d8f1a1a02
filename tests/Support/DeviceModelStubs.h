#pragma once
#include <map>
#include <mutex>
#include <string>
#include <vector>

#include "DeviceControl/GeneratedCode/Engine/inc/DeviceCommunicationInterface.h"
#include "DeviceControl/GeneratedCode/Engine/inc/ParamValue.h"
#include "SVFramework/Utilities/Storage/Array.h"

namespace SV::Testing {

// A communication interface whose connection, value and device calls are recorded
// and answered by the test instead of a library; the rest is the real interface.
class StubCommunicationInterface : public LDeviceCommunicationInterface {
public:
  SVRESULT ConnectDevice(const Variant& device) override { return Record("ConnectDevice", connectResult); }
  SVRESULT DisconnectDevice() override { return Record("DisconnectDevice", 0); }
  SVRESULT RequestParamRanges(const ParamRanges& ranges) override {
    lastRanges.Assign(ranges);
    return Record("RequestParamRanges", 0);
  }
  SVRESULT RequestParamValue(const ParamDescriptor& descriptor) override {
    lastRequested = descriptor;
    return Record("RequestParamValue", 0);
  }
  SVRESULT SetParamValue(const ParamDescriptor& descriptor, const Variant& value) override {
    if (descriptor.paramID == -4) return LDeviceCommunicationInterface::SetParamValue(descriptor, value);
    {
      std::lock_guard guard(mLock);
      sent.emplace_back(descriptor, value);
    }
    return Record("SetParamValue", setResult);
  }
  SVRESULT GetParamValue(const ParamDescriptor& descriptor, Variant& value) override {
    Record("GetParamValue", 0);
    value.SetInt32(descriptor.paramID);
    return S_OK;
  }
  SVRESULT GetDeviceInfo(const Variant& device, DeviceInfoRecord& record) override {
    record.bytes[DeviceInfoRecord::kAvailableOffset] = deviceAvailable ? 1 : 0;
    return Record("GetDeviceInfo", 0);
  }

  int CallsTo(const std::string& operation) {
    std::lock_guard guard(mLock);
    return mCalls[operation];
  }

  SVRESULT connectResult = 0;
  SVRESULT setResult = 0;
  bool deviceAvailable = false;
  std::vector<ParamValue> sent;
  ParamRanges lastRanges;
  ParamDescriptor lastRequested;

private:
  SVRESULT Record(const std::string& operation, SVRESULT result) {
    std::lock_guard guard(mLock);
    ++mCalls[operation];
    return result;
  }

  std::mutex mLock;
  std::map<std::string, int> mCalls;
};

// Collects what a root module announces through its change callback.
struct ChangeRecorder {
  static void Callback(void* context, const Array<ParamValue>& values) {
    auto* recorder = static_cast<ChangeRecorder*>(context);
    for (uint32_t i = 0; i < values.GetCount(); ++i) recorder->changes.push_back(values.GetAt(i));
    ++recorder->calls;
  }
  std::vector<ParamValue> changes;
  int calls = 0;
};

}  // namespace SV::Testing
