#include "DeviceControl/GeneratedCode/Engine/inc/RootModuleEngine.h"

#include <chrono>
#include <thread>

#include "DeviceControl/GeneratedCode/Engine/inc/DeviceLists.h"
#include "DeviceControl/GeneratedCode/Engine/inc/ParamDescriptors.h"
#include "DeviceControl/GeneratedCode/Engine/inc/ParamPayloads.h"
#include "DeviceControl/GeneratedCode/Engine/inc/ParameterTable.h"
#include "SVFramework/ObjectBase/Exception.h"
#include "SVFramework/Utilities/Holder.h"
#include "SVFramework/notification/NotificationCenterManager.h"

namespace SV {

namespace {

constexpr const char16_t* kChangeRequest = u"NID_PARAM_MODULE_CHANGE_REQ";
constexpr const char16_t* kStateChange = u"NID_PARAM_MODULE_STATE_CHANGE";
constexpr const char16_t* kDeviceListChange = u"NID_REMOTE_DEVICE_LIST_CHANGE";
constexpr const char16_t* kConnectionStateChange = u"NID_DEVICE_CONNECTION_STATE_CHANGE";
constexpr int32_t kIdlePolls = 10000;

// Posts to the "application" center, from any thread.
void Post(const char16_t* id, const RCPtr<LRefCountedObject>& payload) {
  if (RCPtr<LNotificationCenter> center = GetApplicationNotificationCenter()) center->PostNotification(id, payload);
}

const Array<Guid>& NoGuids() {
  static const Array<Guid> none;
  return none;
}

std::atomic<const IRootModuleEngineOwner*> gEngineOwner{nullptr};

}  // namespace

LRootModuleEngine::LRootModuleEngine() : mThreader(String()) {}

LRootModuleEngine::~LRootModuleEngine() {
  if (mRoot) mRoot->StopDelivery();
}

RCPtr<LDeviceCommunicationInterface> LRootModuleEngine::CreateCommunicationInterface() {
  return RCPtr<LDeviceCommunicationInterface>(new LDeviceCommunicationInterface());
}

SVRESULT LRootModuleEngine::Initialize(int32_t firstParamID) {
  mHandler = LNotificationHandler<LRootModuleEngine>::Create(this);
  if (!mHandler) return E_FAIL;
  const SVRESULT subscribed =
      mHandler->AddHandler(&LRootModuleEngine::OnParamModuleChangeRequest,
                           RCPtr<LNotificationDistributor>(GetApplicationNotificationCenter()), kChangeRequest, 0);
  if (subscribed < 0)
    SV_RAISE(FailedResultException, FormatResultCode(subscribed), "LRootModuleEngine::Initialize");
  mCommunication = CreateCommunicationInterface();
  mCache = LParamCache::Create(ParameterTable::kParameterCount);
  Array<Variant> devices;
  mCommunicationUnavailable = mCommunication->Initialize() < 0;
  if (!mCommunicationUnavailable) mCommunication->EnumerateDevices(NoGuids(), devices);
  mRoot = LRootModule::Create(mCommunicationUnavailable);
  mRoot->Initialize(&OnRootModuleChangedCallback, this, mCache, mCommunication, firstParamID);
  mInitialized.store(true);
  AnnounceCurrentValues();
  if (!mCommunicationUnavailable && devices.GetCount() > 0) SelectDevice(devices.GetAt(0), false);
  return S_OK;
}

void LRootModuleEngine::AnnounceCurrentValues() {
  ParamRanges ranges;
  const ParamRange preset{mRoot->GetFirstParamID(), ParameterTable::kParameterCount};
  ranges.Set(&preset, 1);
  ParamDescriptors descriptors;
  descriptors.SetFromRanges(ranges);
  Array<ParamValue> values;
  values.SetCount(descriptors.GetCount());
  for (uint32_t i = 0; i < descriptors.GetCount(); ++i) {
    ParamValue& entry = values.GetAt(i);
    descriptors.GetAt(i, entry.descriptor.paramID, entry.descriptor.subKey);
    mRoot->ReadParamValue(entry.descriptor, entry.value);
  }
  OnRootModuleChanged(values);
}

void LRootModuleEngine::OnRootModuleChangedCallback(void* engine, const Array<ParamValue>& values) {
  static_cast<LRootModuleEngine*>(engine)->OnRootModuleChanged(values);
}

void LRootModuleEngine::OnRootModuleChanged(const Array<ParamValue>& values) {
  const uint32_t count = values.GetCount();
  if (count == 0) return;
  if (count <= 2) {
    for (uint32_t i = 0; i < count; ++i)
      Post(kStateChange, ParamChangePayload::Create(values.GetAt(i).descriptor, values.GetAt(i).value));
    return;
  }
  RCPtr<ParamValuesPayload> set = ParamValuesPayload::Create();
  set->SetFromArray(values.GetData(), count);
  Post(kStateChange, set);
}

int32_t LRootModuleEngine::OnParamModuleChangeRequest(const RCPtr<LNotificationDistributor>&,
                                                      const RCPtr<LNotification>& notification) {
  RCPtr<ParamChangePayload> change = RCPtr<ParamChangePayload>::DynamicCastFrom(notification->GetPayload());
  if (change && GetConnectionState() == Connected &&
      mRoot->WriteParamValue(change->GetFirst(), change->GetSecond()) < 0)
    UpdateConnectionState();
  return 1;
}

SVRESULT LRootModuleEngine::SetParamValue(const ParamDescriptor& descriptor, const Variant& value) {
  if (GetConnectionState() != Connected) return E_FAIL;
  const SVRESULT result = mRoot->WriteParamValue(descriptor, value);
  if (result < 0) UpdateConnectionState();
  return result;
}

int32_t LRootModuleEngine::GetFirstParamID() const { return mRoot ? mRoot->GetFirstParamID() : 0; }

SVRESULT LRootModuleEngine::GetParamValues(const ParamRange& range, Array<ParamValue>& values, int32_t startIndex) {
  if (startIndex < 0) {
    values.RemoveAll();
    startIndex = 0;
  }
  const uint32_t count = range.count > 0 ? static_cast<uint32_t>(range.count) : 0;
  const uint32_t needed = static_cast<uint32_t>(startIndex) + count;
  if (values.GetCount() < needed) values.SetCount(needed);
  for (uint32_t i = 0; i < count; ++i) {
    ParamValue& entry = values.GetAt(static_cast<uint32_t>(startIndex) + i);
    entry.descriptor = ParamDescriptor(range.firstParamID + static_cast<int32_t>(i));
    mRoot->ReadParamValue(entry.descriptor, entry.value);
  }
  return S_OK;
}

SVRESULT LRootModuleEngine::GetDeviceList(Array<Variant>& devices) {
  MutexLock guard(mLock);
  if (!mCommunicationEnabled.load()) {
    mDeviceList.RemoveAll();
    const SVRESULT result = mCommunication->WaitForDeviceListChange(NoGuids(), mDeviceList, 0);
    if (result < 0) return result;
  }
  devices.Assign(mDeviceList);
  return S_OK;
}

SVRESULT LRootModuleEngine::EnumerateDevices(Array<Variant>& devices) {
  return mCommunication->EnumerateDevices(NoGuids(), devices);
}

SVRESULT LRootModuleEngine::SelectDevice(const Variant& device, bool connectLater) {
  if (!mRoot) return E_FAIL;
  mSelecting.store(true);
  DisconnectDevice();
  SVRESULT result = S_OK;
  bool startWorker = false;
  {
    MutexLock guard(mLock);
    result = mRoot->ConnectDevice(device);
    const bool available = !device.IsEmpty() && IsDeviceAvailable(device);
    if (result >= 0) {
      mSelectedDevice = device;
      startWorker = available;
    } else if (connectLater && available) {
      mConnectionPending = true;
      mSelectedDevice = device;
      startWorker = true;
    } else if (!connectLater) {
      mSelectedDevice.Empty();
    }
  }
  // Outside the lock: starting may wait for a stopping loop, which may need the lock.
  if (startWorker) StartWorker();
  mSelecting.store(false);
  UpdateConnectionState();
  if (StopWanted()) {
    mWorkerStop.store(true);
    mStopSignal.Set();
  }
  return result;
}

SVRESULT LRootModuleEngine::DisconnectDevice() {
  SVRESULT result = S_OK;
  {
    MutexLock guard(mLock);
    mConnectionPending = false;
    mRememberedRemoteDevice.Empty();
    mSelectedDevice.Empty();
    result = mCommunication->DisconnectDevice();
  }
  if (!mSelecting.load()) {
    UpdateConnectionState();
    RequestWorkerStop();
  }
  return result;
}

LRootModuleEngine::DeviceConnectionState LRootModuleEngine::ComputeConnectionState() {
  if (mCommunication->IsConnected()) return Connected;
  if (mConnectionPending) return ConnectionPending;
  if (!mWatchRemoteDevice || !IsDeviceAvailable(mSelectedDevice)) return NoDevice;
  if (GetConnectionState() == Connected) mRememberedRemoteDevice = mSelectedDevice;
  return mRememberedRemoteDevice.IsEmpty() ? NoDevice : RemoteDeviceRemembered;
}

void LRootModuleEngine::UpdateConnectionState() {
  MutexLock guard(mLock);
  const DeviceConnectionState state = ComputeConnectionState();
  if (state == GetConnectionState()) return;
  mConnectionState.store(state);
  PostConnectionState(state);
}

void LRootModuleEngine::PostConnectionState(DeviceConnectionState state) {
  RCPtr<LHolder<DeviceConnectionState>> holder = LHolder<DeviceConnectionState>::Create();
  holder->Value() = state;
  Post(kConnectionStateChange, holder);
}

void LRootModuleEngine::PostDeviceCount(uint32_t count) {
  RCPtr<LHolder<unsigned int>> holder = LHolder<unsigned int>::Create();
  holder->Value() = count;
  Post(kDeviceListChange, holder);
}

bool LRootModuleEngine::IsDeviceAvailable(const Variant& device) {
  if (device.IsEmpty()) return false;
  DeviceInfoRecord record;
  return mCommunication->GetDeviceInfo(device, record) >= 0 && record.IsAvailable();
}

bool LRootModuleEngine::IsSelectedDeviceAvailable() {
  MutexLock guard(mLock);
  return IsDeviceAvailable(mSelectedDevice);
}

SVRESULT LRootModuleEngine::SetDeviceCommunicationEnabled(bool enabled) {
  if (enabled == mCommunicationEnabled.load()) return S_OK;
  if (!mCommunication) return E_FAIL;
  mCommunicationEnabled.store(enabled);
  if (!enabled) {
    RequestWorkerStop();
    return S_OK;
  }
  if (!mFirstListFetched) {
    Array<Variant> devices;
    mFirstListResult = mCommunication->WaitForDeviceListChange(NoGuids(), devices, 0);
    mFirstListFetched = true;
  }
  if (mFirstListResult < 0) {
    mCommunicationEnabled.store(false);
    return mFirstListResult;
  }
  StartWorker();
  return mFirstListResult;
}

SVRESULT LRootModuleEngine::StartWorker() {
  if (mThreader.IsBusy()) {
    if (!mWorkerStop.load()) return S_FALSE;
    if (!WaitForWorkerIdle()) return E_FAIL;
  }
  mWorkerStop.store(false);
  mStopSignal.Reset();
  // The threader's reference counts as internal from the trigger on, so that a release
  // of the last outside reference before the loop starts still stops it.
  const RCPtr<LThreadWorker> job(this);
  AddInternalReferences(1);
  if (mThreader.TriggerNoWait(job, NullObjectPtr(), Thread::PriorityNormal) >= 0) return S_OK;
  AddInternalReferences(-1);
  return E_FAIL;
}

bool LRootModuleEngine::WaitForWorkerIdle() {
  if (!mThreader.IsBusy()) return true;
  mWorkerStop.store(true);
  mStopSignal.Set();
  for (int32_t poll = 0; poll < kIdlePolls && mThreader.IsBusy(); ++poll)
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  return !mThreader.IsBusy();
}

bool LRootModuleEngine::StopWanted() {
  if (!mThreader.IsBusy() || mWorkerStop.load() || mCommunicationEnabled.load() || mSelecting.load()) return false;
  const DeviceConnectionState state = GetConnectionState();
  return state == NoDevice || (state == Connected && !IsSelectedDeviceAvailable());
}

void LRootModuleEngine::RequestWorkerStop() {
  if (!StopWanted()) return;
  mWorkerStop.store(true);
  mStopSignal.Set();
}

void LRootModuleEngine::SleepUnlessStopped(int32_t milliseconds) {
  if (!mWorkerStop.load()) mStopSignal.Wait(milliseconds);
}

SVRESULT LRootModuleEngine::Run(const RCPtr<LRefCountedObject>&) {
  // The threader's reference on this engine, counted as internal since the trigger,
  // stops counting when the loop ends.
  if (RCPtr<LNotificationCenter> center = GetApplicationNotificationCenter()) {
    int32_t waits = 0;
    bool enumerateAgain = false;
    Array<Variant> devices;
    while (!mWorkerStop.load()) {
      ConnectPendingDevice();
      if (!mCommunicationEnabled.load()) {
        SleepUnlessStopped(kPauseMilliseconds);
      } else if (!enumerateAgain && waits < kListWaitsPerEnumeration) {
        ++waits;
        WaitForListChange(devices);
      } else {
        waits = 0;
        EnumerateAll(devices, enumerateAgain);
      }
    }
  }
  AddInternalReferences(-1);
  return S_OK;
}

void LRootModuleEngine::ConnectPendingDevice() {
  if (!IsSelectedDeviceAvailable()) return;
  UpdateConnectionState();
  MutexLock guard(mLock);
  const DeviceConnectionState state = GetConnectionState();
  Variant device;
  if (state == ConnectionPending)
    device = mSelectedDevice;
  else if (state == RemoteDeviceRemembered)
    device = mRememberedRemoteDevice;
  if (device.IsEmpty() || mRoot->ConnectDevice(device) < 0) return;
  if (state == RemoteDeviceRemembered) mRememberedRemoteDevice.Empty();
  if (state == ConnectionPending) mConnectionPending = false;
  mConnectionState.store(Connected);
  PostConnectionState(Connected);
}

void LRootModuleEngine::WaitForListChange(Array<Variant>& devices) {
  {
    MutexLock guard(mLock);
    devices.Assign(mDeviceList);
  }
  const SVRESULT result = mCommunication->WaitForDeviceListChange(NoGuids(), devices, kListWaitMilliseconds);
  if (!mWorkerStop.load() && result == S_OK) ReplaceDeviceList(devices);
}

void LRootModuleEngine::EnumerateAll(Array<Variant>& devices, bool& enumerateAgain) {
  devices.RemoveAll();
  const SVRESULT result = mCommunication->FindRemoteDevices(NoGuids(), devices);
  if (mWorkerStop.load()) return;
  if (result >= 0) {
    enumerateAgain = result == S_FALSE;
    bool changed = false;
    {
      MutexLock guard(mLock);
      changed = !SameDevices(devices, mDeviceList);
    }
    if (changed) ReplaceDeviceList(devices);
  }
  SleepUnlessStopped(kPauseMilliseconds);
}

void LRootModuleEngine::ReplaceDeviceList(const Array<Variant>& devices) {
  {
    MutexLock guard(mLock);
    mDeviceList.Assign(devices);
  }
  PostDeviceCount(devices.GetCount());
}

int32_t LRootModuleEngine::Receive(const RCPtr<LNotificationDistributor>& source,
                                   const RCPtr<LNotification>& notification) {
  if (!mHandler || !mInitialized.load()) return 0;
  return mHandler->Dispatch(source, notification);
}

SVRESULT LRootModuleEngine::UnsubscribeVirtual(const RCPtr<LNotificationDistributor>& source,
                                               const char16_t* idText) {
  if (mHandler) mHandler->RemoveHandler(source.Get(), idText);
  return Unsubscribe(source, idText);
}

SVRESULT LRootModuleEngine::ReleaseInternalReferences() {
  WaitForWorkerIdle();
  UnsubscribeAll();
  return GetInternalRefCount() == 0 && GetRefCount() == 1 ? S_OK : E_FAIL;
}

void SetRootModuleEngineOwner(const IRootModuleEngineOwner* owner) { gEngineOwner.store(owner); }

RCPtr<LRootModuleEngine> GetRootModuleEngine() {
  const IRootModuleEngineOwner* owner = gEngineOwner.load();
  return owner ? owner->GetRootModuleEngine() : nullptr;
}

}  // namespace SV
