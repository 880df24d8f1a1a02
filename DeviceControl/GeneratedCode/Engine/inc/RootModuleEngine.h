#pragma once
#include <atomic>
#include <cstdint>

#include "DeviceControl/GeneratedCode/Engine/inc/DeviceCommunicationInterface.h"
#include "DeviceControl/GeneratedCode/Engine/inc/Guid.h"
#include "DeviceControl/GeneratedCode/Engine/inc/ParamCache.h"
#include "DeviceControl/GeneratedCode/Engine/inc/ParamRanges.h"
#include "DeviceControl/GeneratedCode/Engine/inc/ParamValue.h"
#include "DeviceControl/GeneratedCode/Engine/inc/RootModule.h"
#include "SVFramework/Threads/Event.h"
#include "SVFramework/Threads/Mutex.h"
#include "SVFramework/Threads/RetriggerableThreader.h"
#include "SVFramework/Threads/ThreadWorker.h"
#include "SVFramework/Utilities/Storage/Array.h"
#include "SVFramework/notification/NotificationClient.h"
#include "SVFramework/notification/NotificationHandler.h"

namespace SV {

// The owner of the controller's parameter model and of the device connection, and
// the one door through which the rest of the system sets and reads parameter
// values. It announces every parameter change ("NID_PARAM_MODULE_STATE_CHANGE"),
// every change of the connection state ("NID_DEVICE_CONNECTION_STATE_CHANGE") and
// of the remote device list ("NID_REMOTE_DEVICE_LIST_CHANGE") by posting to the
// "application" center, from whatever thread the change happened on. While device
// communication is enabled (and the client library is there) its own thread looks
// for devices and connects a pending one.
// Calling order: construct, Initialize once, then anything. Thread rules: any
// thread may set and read values; the engine lock is taken before the root's and
// the communication interface's locks. The thread stops when the last outside
// reference goes.
class LRootModuleEngine : public LNotificationClient, public LThreadWorker {
public:
  enum DeviceConnectionState : int32_t {
    NoDevice = 0,
    ConnectionPending = 1,       // a selected device waits for its connection
    RemoteDeviceRemembered = 2,  // a remembered device waits for its reconnection
    Connected = 3,               // values are accepted
  };

  // Waits per look for a device-list change, looks before a full enumeration, and
  // the pause after an enumeration or while communication is off.
  static constexpr uint32_t kListWaitMilliseconds = 1500;
  static constexpr int32_t kListWaitsPerEnumeration = 8;
  static constexpr int32_t kPauseMilliseconds = 1500;

  LRootModuleEngine();
  ~LRootModuleEngine() override;

  // Subscribes to change requests on the "application" center (raising a failed
  // subscription), creates the communication interface, the cache of the preset's
  // values and the root module from `firstParamID`, announces all current values as
  // one set and, when a device is known, selects it (which connects: state 3).
  // E_FAIL only when the handler table cannot be made; else 0.
  SVRESULT Initialize(int32_t firstParamID);
  // Switches the device loop on or off. Enabling fetches the device list once, the
  // first time only, and keeps that result: a negative one (no client library)
  // leaves communication off and is answered by every later enabling.
  SVRESULT SetDeviceCommunicationEnabled(bool enabled);
  // E_FAIL unless the connection state is 3; else the root's write result (a
  // negative one refreshes the connection state). A value for the preset that is
  // not one byte is refused with -1.
  SVRESULT SetParamValue(const ParamDescriptor& descriptor, const Variant& value);
  int32_t GetFirstParamID() const;
  // Fills `values` from `startIndex` on with the run's IDs and their values, growing
  // it as needed; a negative start empties it first and starts at 0. Always 0.
  SVRESULT GetParamValues(const ParamRange& range, Array<ParamValue>& values, int32_t startIndex);
  SVRESULT GetDeviceList(Array<Variant>& devices);
  // Connects the device through the root: its result. On success (or, with
  // `connectLater`, for an available device) it becomes the selected device.
  SVRESULT SelectDevice(const Variant& device, bool connectLater);
  SVRESULT DisconnectDevice();
  SVRESULT EnumerateDevices(Array<Variant>& devices);
  // Recomputes the connection state and posts it when it changed.
  void UpdateConnectionState();
  // Announces changes: nothing for none, one pair per value for one or two, one set
  // for three or more.
  void OnRootModuleChanged(const Array<ParamValue>& values);

  // The engine thread: 0 when started, 1 when it runs already, E_FAIL when a
  // stopping loop does not end in time. May wait for that loop: never call it
  // while holding the engine lock.
  SVRESULT StartWorker();
  // Stops the loop and waits (up to about 10 s) for it to end; true when idle.
  bool WaitForWorkerIdle();
  // Stops the loop when nothing needs it: communication off, not selecting, and no
  // device or a connected one that is not available.
  void RequestWorkerStop();
  bool IsWorkerBusy() { return mThreader.IsBusy(); }
  bool IsSelectedDeviceAvailable();
  bool IsDeviceAvailable(const Variant& device);
  DeviceConnectionState GetConnectionState() const { return mConnectionState.load(); }

  int32_t Receive(const RCPtr<LNotificationDistributor>& source, const RCPtr<LNotification>& notification) override;
  SVRESULT UnsubscribeVirtual(const RCPtr<LNotificationDistributor>& source, const char16_t* idText) override;
  // The engine thread's loop; the argument is not used.
  SVRESULT Run(const RCPtr<LRefCountedObject>& argument) override;
  // Stops the loop and leaves every subscription, so the engine can go.
  SVRESULT ReleaseInternalReferences() override;

protected:
  // The communication interface Initialize uses; the program's own by default.
  virtual RCPtr<LDeviceCommunicationInterface> CreateCommunicationInterface();

private:
  static void OnRootModuleChangedCallback(void* engine, const Array<ParamValue>& values);
  int32_t OnParamModuleChangeRequest(const RCPtr<LNotificationDistributor>& source,
                                     const RCPtr<LNotification>& notification);
  void AnnounceCurrentValues();
  void PostConnectionState(DeviceConnectionState state);
  void PostDeviceCount(uint32_t count);
  DeviceConnectionState ComputeConnectionState();
  bool StopWanted();
  void SleepUnlessStopped(int32_t milliseconds);
  void ConnectPendingDevice();
  void WaitForListChange(Array<Variant>& devices);
  void EnumerateAll(Array<Variant>& devices, bool& enumerateAgain);
  void ReplaceDeviceList(const Array<Variant>& devices);

  Mutex mLock;  // guards the pending flag, the devices, the list and the state changes
  RCPtr<LNotificationHandler<LRootModuleEngine>> mHandler;
  std::atomic<bool> mInitialized{false};
  bool mCommunicationUnavailable = false;
  std::atomic<bool> mWorkerStop{true};
  bool mConnectionPending = false;
  bool mWatchRemoteDevice = false;
  std::atomic<bool> mCommunicationEnabled{false};
  bool mFirstListFetched = false;
  std::atomic<bool> mSelecting{false};
  SVRESULT mFirstListResult = S_OK;
  std::atomic<DeviceConnectionState> mConnectionState{NoDevice};
  Array<Variant> mDeviceList;
  Variant mSelectedDevice;
  RCPtr<LDeviceCommunicationInterface> mCommunication;
  RCPtr<LParamCache> mCache;
  RCPtr<LRootModule> mRoot;
  Event mStopSignal{false};  // wakes the loop's pauses when a stop is requested
  RetriggerableThreader mThreader;
  Variant mRememberedRemoteDevice;
};

// The application object's side of GetRootModuleEngine: whatever owns the engine.
class IRootModuleEngineOwner {
public:
  virtual ~IRootModuleEngineOwner() = default;
  // A new reference to the engine; null before it is made.
  virtual RCPtr<LRootModuleEngine> GetRootModuleEngine() const = 0;
};

// Registers the owner (the application object, from its construction until its
// shut-down; null to clear). Any thread.
void SetRootModuleEngineOwner(const IRootModuleEngineOwner* owner);
// The application's engine; null when there is no owner or no engine yet.
RCPtr<LRootModuleEngine> GetRootModuleEngine();

}  // namespace SV
