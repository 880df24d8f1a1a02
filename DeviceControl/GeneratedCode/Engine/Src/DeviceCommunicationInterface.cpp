#include "DeviceControl/GeneratedCode/Engine/inc/DeviceCommunicationInterface.h"

#include <atomic>
#include <chrono>
#include <thread>

#include "DeviceControl/GeneratedCode/Engine/inc/DeviceCommunicationReceiver.h"
#include "DeviceControl/GeneratedCode/Engine/inc/DeviceCommunicationThreadWorker.h"
#include "DeviceControl/GeneratedCode/Engine/inc/DeviceControlClientInterface.h"
#include "DeviceControl/GeneratedCode/Engine/inc/DeviceLists.h"
#include "DeviceControl/GeneratedCode/Engine/inc/ParamPayloads.h"
#include "DeviceControl/GeneratedCode/Engine/inc/PseudoParamIDs.h"
#include "SVFramework/Threads/EventGatedThreader.h"
#include "SVFramework/Threads/LEvent.h"
#include "SVFramework/Threads/Mutex.h"
#include "SVFramework/Utilities/Storage/RCPtrQueue.h"

namespace SV {

namespace {

constexpr int32_t kQuickLook = 0;
constexpr int32_t kFullEnumeration = 1;
constexpr SVRESULT kNoProxy = -1;
constexpr SVRESULT kNotConnected = -3;
constexpr uint32_t kQueueSlots = 256;

// The identifiers of a packed array into `devices`; anything else is no device.
void ExtractDevices(const Variant& found, Array<Variant>& devices) {
  const uint32_t count = found.GetArrayItemCount();
  devices.SetCount(count);
  for (uint32_t i = 0; i < count; ++i) found.GetArrayItem(i, devices.GetAt(i));
}

Variant DeviceSelectionValue(int64_t device, bool ready) {
  Variant members[2];
  members[0].SetInt64(device);
  members[1].SetBool(ready);
  Variant value;
  value.SetArray(members, 2);
  return value;
}

}  // namespace

// Fields in the order they are built; the threader is declared last so that, were it
// still held, its thread stops before anything it uses goes.
struct LDeviceCommunicationInterface::State {
  Mutex communicationLock;  // guards currentDevice
  RCPtr<LEvent> event;
  Mutex queueLock;
  RCPtrQueue<ParamValuesPayload> queue{&queueLock, kQueueSlots};
  Mutex deliveryLock;  // held for a whole drain
  RCPtr<LDeviceCommunicationThreadWorker> worker;
  std::unique_ptr<DeviceControlClientInterface> proxy;
  Variant currentDevice;
  std::atomic<bool> deliveryEnabled{false};
  std::atomic<DeviceCommunicationReceiver*> receiver{nullptr};
  String libraryPath;
  RCPtr<LEventGatedThreader> threader;
};

LDeviceCommunicationInterface::LDeviceCommunicationInterface(const String& libraryPath)
    : mState(std::make_unique<State>()) {
  mState->libraryPath = libraryPath;
  mState->worker = LDeviceCommunicationThreadWorker::Create();
  mState->event = LEvent::Create();
  mState->threader = LEventGatedThreader::Create(mState->event, mState->worker, RCPtr<LRefCountedObject>(this), 0);
  AddInternalReferences(1);
}

LDeviceCommunicationInterface::~LDeviceCommunicationInterface() {
  SetDeliveryEnabled(false);
  if (mState->proxy) {
    const Variant device = CurrentDevice();
    mState->proxy->DisconnectDevice(&device);
    mState->proxy.reset();
  }
  mState->receiver.store(nullptr);
}

SVRESULT LDeviceCommunicationInterface::ReleaseInternalReferences() {
  if (RCPtr<LEventGatedThreader> threader = std::move(mState->threader)) {
    threader.Reset();
    AddInternalReferences(-1);
  }
  return GetInternalRefCount() == 0 && GetRefCount() == 1 ? S_OK : E_FAIL;
}

SVRESULT LDeviceCommunicationInterface::Initialize() {
  if (mState->proxy) return S_FALSE;
  const std::u16string path(mState->libraryPath.GetString());
  mState->proxy = std::make_unique<DeviceControlClientInterface>(path.c_str());
  return S_OK;
}

bool LDeviceCommunicationInterface::HasProxy() const { return mState->proxy != nullptr; }

Variant LDeviceCommunicationInterface::CurrentDevice() {
  MutexLock guard(mState->communicationLock);
  return mState->currentDevice;
}

bool LDeviceCommunicationInterface::IsDeviceReady() { return true; }

bool LDeviceCommunicationInterface::SelectDevice(int64_t device) {
  DeviceCommunicationReceiver* receiver = mState->receiver.load();
  if (!receiver) return false;
  MutexLock guard(mState->communicationLock);
  const bool ready = IsDeviceReady();
  ParamValues selection;
  selection.SetSingleValue(ParamDescriptor(PseudoParamID::DeviceSelection), DeviceSelectionValue(device, ready));
  receiver->ReceiveParamValues(selection);
  return ready;
}

void LDeviceCommunicationInterface::Synchronize() { MutexLock guard(mState->communicationLock); }

SVRESULT LDeviceCommunicationInterface::EnumerateDevices(const Array<Guid>&, Array<Variant>& devices) {
  devices.SetCount(1);
  return S_OK;
}

SVRESULT LDeviceCommunicationInterface::QueryDevices(const Array<Guid>& guids, Array<Variant>& devices,
                                                     int32_t mode) {
  Variant found;
  const SVRESULT result = mState->proxy->FindRemoteDevices(guids.GetData(), guids.GetCount(), &found, mode);
  if (result >= 0) ExtractDevices(found, devices);
  return result;
}

SVRESULT LDeviceCommunicationInterface::WaitForDeviceListChange(const Array<Guid>& guids, Array<Variant>& devices,
                                                                uint32_t timeoutMilliseconds) {
  if (!HasProxy()) return kNoProxy;
  const Array<Variant> known = devices;
  for (uint32_t elapsed = 0;; elapsed += kPollIntervalMilliseconds) {
    if (QueryDevices(guids, devices, kQuickLook) < 0) return E_FAIL;
    if (!SameDevices(devices, known)) return S_OK;
    if (elapsed >= timeoutMilliseconds) return S_FALSE;
    std::this_thread::sleep_for(std::chrono::milliseconds(kPollIntervalMilliseconds));
  }
}

SVRESULT LDeviceCommunicationInterface::FindRemoteDevices(const Array<Guid>& guids, Array<Variant>& devices) {
  if (!HasProxy()) return kNoProxy;
  return QueryDevices(guids, devices, kFullEnumeration);
}

SVRESULT LDeviceCommunicationInterface::ConnectDevice(const Variant& device) {
  if (!HasProxy()) return kNoProxy;
  {
    MutexLock guard(mState->communicationLock);
    mState->currentDevice = device;
  }
  return mState->proxy->ConnectDevice(&device, &OnParamValuesReceived, this);
}

SVRESULT LDeviceCommunicationInterface::RequestParamRanges(const ParamRanges& ranges) {
  if (!HasProxy()) return kNoProxy;
  const Variant device = CurrentDevice();
  return mState->proxy->RequestParamRanges(&device, &ranges);
}

SVRESULT LDeviceCommunicationInterface::RequestParamValues(const ParamDescriptors& descriptors) {
  if (!HasProxy()) return kNoProxy;
  const Variant device = CurrentDevice();
  return mState->proxy->RequestParamValues(&device, &descriptors);
}

SVRESULT LDeviceCommunicationInterface::RequestParamValue(const ParamDescriptor& descriptor) {
  if (!HasProxy()) return kNoProxy;
  const Variant device = CurrentDevice();
  return mState->proxy->RequestParamValue(&device, descriptor);
}

SVRESULT LDeviceCommunicationInterface::GetParamRanges(void* a, void* b) {
  if (!HasProxy()) return kNoProxy;
  const Variant device = CurrentDevice();
  return mState->proxy->GetParamRanges(&device, a, b);
}

SVRESULT LDeviceCommunicationInterface::GetParamValues(void* a, void* b) {
  if (!HasProxy()) return kNoProxy;
  const Variant device = CurrentDevice();
  return mState->proxy->GetParamValues(&device, a, b);
}

SVRESULT LDeviceCommunicationInterface::GetParamValue(const ParamDescriptor& descriptor, Variant& value) {
  if (HasProxy()) {
    const Variant device = CurrentDevice();
    return mState->proxy->GetParamValue(&device, &descriptor, &value);
  }
  int32_t typeIndex = 0;
  GetDeviceTypeIndex(typeIndex);
  switch (descriptor.paramID) {
    case PseudoParamID::DeviceReady: value.SetBool(IsDeviceReady()); return S_OK;
    case PseudoParamID::DeviceText: return GetDeviceText(value);
    case PseudoParamID::MakerName: value.SetString(kDeviceTexts[typeIndex]); return S_OK;
    case PseudoParamID::ProductName: value.SetString(kDeviceTexts[typeIndex + 1]); return S_OK;
    default: return E_FAIL;
  }
}

SVRESULT LDeviceCommunicationInterface::SetParamValue(const ParamDescriptor& descriptor, const Variant& value) {
  if (!mState->receiver.load()) return E_FAIL;
  const int32_t id = descriptor.paramID;
  if (id == PseudoParamID::DeviceSelection) return SelectDevice(value.GetInt64()) ? S_OK : S_FALSE;
  if (id >= -14 && id <= -12) return E_FAIL;
  if (HasProxy()) {
    const Variant device = CurrentDevice();
    return mState->proxy->SetParamValue(&device, &descriptor, &value);
  }
  return id == PseudoParamID::DeviceText ? SetDeviceText(value) : E_FAIL;
}

SVRESULT LDeviceCommunicationInterface::SetParamValues(const ParamValues& values) {
  if (!HasProxy()) return kNoProxy;
  const Variant device = CurrentDevice();
  return mState->proxy->SetParamValues(&device, &values);
}

bool LDeviceCommunicationInterface::IsConnected() { return true; }

SVRESULT LDeviceCommunicationInterface::CheckConnection() {
  if (!HasProxy()) return kNoProxy;
  return IsConnected() ? S_OK : kNotConnected;
}

SVRESULT LDeviceCommunicationInterface::DisconnectDevice() {
  if (!HasProxy()) return kNoProxy;
  const Variant device = CurrentDevice();
  return mState->proxy->DisconnectDevice(&device);
}

SVRESULT LDeviceCommunicationInterface::GetDeviceInfo(const Variant& device, DeviceInfoRecord& record) {
  if (!HasProxy()) return kNoProxy;
  return mState->proxy->GetDeviceInfo(&device, &record);
}

SVRESULT LDeviceCommunicationInterface::GetDeviceText(Variant& value) {
  if (!HasProxy()) return kNoProxy;
  const Variant device = CurrentDevice();
  const ParamDescriptor text(PseudoParamID::DeviceText);
  return mState->proxy->GetParamValue(&device, &text, &value);
}

SVRESULT LDeviceCommunicationInterface::SetDeviceText(const Variant& value) {
  if (!HasProxy()) return kNoProxy;
  const Variant device = CurrentDevice();
  const ParamDescriptor text(PseudoParamID::DeviceText);
  return mState->proxy->SetParamValue(&device, &text, &value);
}

SVRESULT LDeviceCommunicationInterface::GetDeviceTypeIndex(int32_t& index) {
  index = 0;
  return S_OK;
}

void LDeviceCommunicationInterface::SetReceiver(DeviceCommunicationReceiver* receiver) {
  mState->receiver.store(receiver);
}

void LDeviceCommunicationInterface::SetDeliveryEnabled(bool enabled) {
  mState->deliveryEnabled.store(enabled);
  if (!enabled) MutexLock waitForHandOver(mState->deliveryLock);
}

void LDeviceCommunicationInterface::OnParamValuesReceived(void* context, int32_t, const ParamValues* values) {
  auto* self = static_cast<LDeviceCommunicationInterface*>(context);
  if (!self || !values) return;
  self->mState->queue.Enqueue(ParamValuesPayload::Create(*values));
  self->mState->event->Set();
}

void LDeviceCommunicationInterface::DrainReceivedValues() {
  MutexLock guard(mState->deliveryLock);
  while (mState->queue.GetCount() > 0) {
    RCPtr<ParamValuesPayload> set = mState->queue.Dequeue();
    DeviceCommunicationReceiver* receiver = mState->receiver.load();
    if (set && mState->deliveryEnabled.load() && receiver) receiver->ReceiveParamValues(*set);
  }
}

}  // namespace SV
