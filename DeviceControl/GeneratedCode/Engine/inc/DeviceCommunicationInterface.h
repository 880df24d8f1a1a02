#pragma once
#include <cstdint>
#include <memory>

#include "DeviceControl/GeneratedCode/Engine/inc/DeviceControlClientApi.h"
#include "DeviceControl/GeneratedCode/Engine/inc/Guid.h"
#include "DeviceControl/GeneratedCode/Engine/inc/ParamDescriptor.h"
#include "DeviceControl/GeneratedCode/Engine/inc/ParamDescriptors.h"
#include "DeviceControl/GeneratedCode/Engine/inc/ParamRanges.h"
#include "DeviceControl/GeneratedCode/Engine/inc/ParamValues.h"
#include "SVFramework/ObjectBase/RefCountedObject.h"
#include "SVFramework/Utilities/Storage/Array.h"
#include "SVFramework/Utilities/Storage/StringT.h"
#include "SVFramework/Utilities/Storage/Variant.h"

namespace SV {

class DeviceCommunicationReceiver;

// The engine's side of the optional device-control client library: owns the
// library proxy, remembers the connected device and passes it with every call,
// answers a few pseudo-parameters itself while it has no proxy, and carries the
// value sets the library delivers (on a thread of the library's own) over to the
// receiver (the root module) on a thread of its own: the library's callback only
// queues each set and signals; the device-communication thread drains the queue.
// It always reports a connection and a ready device, so the parameter model
// accepts values with or without the library. Library results pass through; -1
// means no proxy (or no library or entry point behind it).
// Thread rules: any thread may call the operations once Initialize has run (before
// other threads use it). The communication lock guards the current device and is
// held while SelectDevice calls the receiver (whose lock the caller may hold:
// root lock, then communication lock); library calls are made outside it. The
// delivery lock is held for a whole drain and taken before the receiver's lock.
// The thread stops when the last outside reference goes.
class LDeviceCommunicationInterface : public virtual LRefCountedObject {
public:
  // The maker and product texts, by device type index (pseudo-IDs -9 and -10).
  static constexpr const char* kDeviceTexts[] = {"Varkon", "Corvex Editor"};
  // Milliseconds between two looks for a changed device list.
  static constexpr int32_t kPollIntervalMilliseconds = 250;

  // Starts the device-communication thread, idle. The library is looked for at
  // `libraryPath` when given (absolute), else in the program's own folder.
  explicit LDeviceCommunicationInterface(const String& libraryPath = String());
  ~LDeviceCommunicationInterface() override;
  LDeviceCommunicationInterface(const LDeviceCommunicationInterface&) = delete;
  LDeviceCommunicationInterface& operator=(const LDeviceCommunicationInterface&) = delete;

  // Creates the library proxy (loading the library if it is there): 0, or 1 when a
  // proxy exists already. A library that is not there still leaves a proxy.
  virtual SVRESULT Initialize();
  // Always true.
  virtual bool IsDeviceReady();
  // Reports the selection to the receiver as pseudo-parameter -4 with the value
  // [device as int64, ready as bool]; answers IsDeviceReady, or false without a
  // receiver.
  virtual bool SelectDevice(int64_t device);
  // Returns once no other thread holds the communication lock.
  virtual void Synchronize();
  // Does nothing; the root calls it after registering itself.
  virtual void Activate() {}
  // The device list becomes one empty identifier; 0. Asks nothing of the library.
  virtual SVRESULT EnumerateDevices(const Array<Guid>& guids, Array<Variant>& devices);
  // Asks the library for its devices every 250 ms until the list differs from
  // `devices` (0, `devices` then holds the new list) or `timeoutMilliseconds` passed
  // (1; a time-out of 0 makes exactly one query). -1 without a proxy, E_FAIL when
  // the library fails.
  virtual SVRESULT WaitForDeviceListChange(const Array<Guid>& guids, Array<Variant>& devices,
                                           uint32_t timeoutMilliseconds);
  // One full enumeration by the library into `devices`; the library's result (1 asks
  // for another enumeration), -1 without a proxy.
  virtual SVRESULT FindRemoteDevices(const Array<Guid>& guids, Array<Variant>& devices);
  // Remembers the device and connects it through the library with the callback.
  virtual SVRESULT ConnectDevice(const Variant& device);
  virtual SVRESULT RequestParamRanges(const ParamRanges& ranges);
  virtual SVRESULT RequestParamValues(const ParamDescriptors& descriptors);
  virtual SVRESULT RequestParamValue(const ParamDescriptor& descriptor);
  virtual SVRESULT GetParamRanges(void* a, void* b);
  virtual SVRESULT GetParamValues(void* a, void* b);
  // Without a proxy: -2 the ready flag, -9 and -10 the maker and product texts, -8
  // GetDeviceText (-1), anything else E_FAIL. With a proxy: the library's answer.
  virtual SVRESULT GetParamValue(const ParamDescriptor& descriptor, Variant& value);
  // E_FAIL without a receiver. -4 selects the device given as the value's int64 (0
  // when ready, else 1); -12 to -14 E_FAIL; else the library's answer, or without a
  // proxy SetDeviceText for -8 (-1) and E_FAIL for anything else.
  virtual SVRESULT SetParamValue(const ParamDescriptor& descriptor, const Variant& value);
  virtual SVRESULT SetParamValues(const ParamValues& values);
  // Always true.
  virtual bool IsConnected();
  // -1 without a proxy; 0 when connected, else -3.
  virtual SVRESULT CheckConnection();
  // Disconnects the current device through the library (which stays remembered).
  virtual SVRESULT DisconnectDevice();
  virtual SVRESULT GetDeviceInfo(const Variant& device, DeviceInfoRecord& record);
  // Pseudo-parameter -8 through the library; -1 without a proxy.
  virtual SVRESULT GetDeviceText(Variant& value);
  virtual SVRESULT SetDeviceText(const Variant& value);
  // 0: the one device type this system knows.
  virtual SVRESULT GetDeviceTypeIndex(int32_t& index);

  // The root module, which receives the delivered sets; not counted.
  void SetReceiver(DeviceCommunicationReceiver* receiver);
  // Delivery to the receiver on or off. Turning it off returns only when no set is
  // being handed over; sets that arrive while it is off are dropped.
  void SetDeliveryEnabled(bool enabled);
  // The callback handed to the library: queues a copy of the values and wakes the
  // device-communication thread. Never blocks on the delivery lock.
  static void OnParamValuesReceived(void* context, int32_t unused, const ParamValues* values);

  // The device-communication thread's pass: under the delivery lock, hands every
  // queued set, oldest first, to the receiver while delivery is on, and drops it
  // otherwise.
  void DrainReceivedValues();

  // Stops the device-communication thread, whose reference on this interface counts
  // as internal.
  SVRESULT ReleaseInternalReferences() override;

private:
  struct State;

  // The current device, copied under the communication lock.
  Variant CurrentDevice();
  bool HasProxy() const;
  SVRESULT QueryDevices(const Array<Guid>& guids, Array<Variant>& devices, int32_t mode);

  std::unique_ptr<State> mState;
};

}  // namespace SV
