#include "Panel/Engine/PresetEditorCommon/MidiManager.h"

#include "DeviceControl/GeneratedCode/Engine/inc/RootModuleEngine.h"
#include "Panel/Engine/PresetEditorCommon/MidiDeviceConnectionStatusChangedNotification.h"
#include "Platform/Midi/MidiServices.h"
#include "SVFramework/Midi/MidiCaptureNotificationData.h"
#include "SVFramework/Midi/MidiComm.h"
#include "SVFramework/ObjectBase/Exception.h"
#include "SVFramework/notification/NotificationCenterManager.h"

namespace SV {

namespace {

constexpr const char16_t* kMidiDataCaptured = LMidiCommInterface::kMidiDataCapturedID;
constexpr const char* kControllerPortNames[] = {"Corvex", "Corvex USB"};

// Whether the device of an open handle is still there (MMSYSERR_NOERROR).
::Platform::Midi::MMRESULT ReadCaps(::Platform::Midi::MidiServices& services, ::Platform::Midi::HMIDIIN handle) {
  ::Platform::Midi::MIDIINCAPS caps;
  return services.MidiInGetDevCaps(handle, &caps, sizeof(caps));
}

::Platform::Midi::MMRESULT ReadCaps(::Platform::Midi::MidiServices& services, ::Platform::Midi::HMIDIOUT handle) {
  ::Platform::Midi::MIDIOUTCAPS caps;
  return services.MidiOutGetDevCaps(handle, &caps, sizeof(caps));
}

}  // namespace

// ---- creation and shut-down ----------------------------------------------------

RCPtr<LMidiManager> LMidiManager::Create() {
  RCPtr<LMidiManager> manager(new LMidiManager());
  manager->Initialize();
  return manager;
}

LMidiManager::~LMidiManager() = default;

SVRESULT LMidiManager::Initialize() {
  {
    MutexLock lock(mDispatchLock);
    mHandler = Handler::Create(this);
  }
  mPortManager = LMidiCommInterface::Create();
  if (!mPortManager) return E_FAIL;
  mStatusChecker = LMidiDeviceStatusChecker::Create(mPortManager);
  mStatusChecker->SetInputDeviceNames(GetPortNames());
  mStatusChecker->SetOutputDeviceNames(GetPortNames());
  mPollingEvent = LEvent::Create(true);
  mPollingThreader = LEventGatedThreader::Create(mPollingEvent, RCPtr<LThreadWorker>(this), NullObjectPtr(), 0);
  AddInternalReferences(1);  // the polling thread's reference to its worker
  mReceivingEnabled.store(true);
  {
    MutexLock lock(mDispatchLock);
    const RCPtr<LNotificationDistributor> center(GetApplicationNotificationCenter());
    mHandler->AddHandler(&LMidiManager::OnDeviceStatusChanged, center,
                         LMidiDeviceStatusChecker::kInputStatusChangedID, 0);
    mHandler->AddHandler(&LMidiManager::OnDeviceStatusChanged, center,
                         LMidiDeviceStatusChecker::kOutputStatusChangedID, 0);
  }
  OpenPorts();
  return S_OK;
}

SVRESULT LMidiManager::ReleaseInternalReferences() {
  mReceivingEnabled.store(false);
  UnsubscribeAll();
  RemoveAllClients();
  RCPtr<LEventGatedThreader> threader = std::move(mPollingThreader);
  if (threader) {
    AddInternalReferences(-1);
    threader.Reset();  // stops and joins the polling thread
  }
  return S_OK;
}

StringArrayT<char16_t, char> LMidiManager::GetPortNames() {
  StringArrayT<char16_t, char> names;
  for (const char* name : kControllerPortNames) names.Append(String(name));
  return names;
}

// ---- ports ---------------------------------------------------------------------

bool LMidiManager::IsConnected() const { return mInputPort && mOutputPort; }

SVRESULT LMidiManager::OpenPorts() {
  if (IsConnected()) return S_FALSE;
  if (!mPortManager) return E_FAIL;
  RCPtr<LRefCountedObject> input = mInputPort;
  RCPtr<LRefCountedObject> output = mOutputPort;
  for (const String& name : GetPortNames()) {
    if (input) break;
    mPortManager->OpenCapturePort(name, input);
  }
  for (const String& name : GetPortNames()) {
    if (output) break;
    mPortManager->OpenRenderPort(name, output);
  }
  SetPorts(std::move(input), std::move(output));
  return IsConnected() ? S_OK : E_FAIL;
}

SVRESULT LMidiManager::ClosePorts() {
  SetPorts(nullptr, nullptr);
  return S_OK;
}

// The ports held before are let go outside the lock: closing one may take a while.
void LMidiManager::SetPorts(RCPtr<LRefCountedObject> input, RCPtr<LRefCountedObject> output) {
  MutexLock lock(mPortsLock);
  std::swap(mInputPort, input);
  std::swap(mOutputPort, output);
}

int32_t LMidiManager::OnDeviceStatusChanged(const RCPtr<LNotificationDistributor>&,
                                            const RCPtr<LNotification>& notification) {
  if (RCPtr<LMidiDeviceConnectionStatusChangedNotification>::DynamicCastFrom(notification->GetPayload())) {
    ClosePorts();
    OpenPorts();
  }
  return 1;
}

// ---- sending -------------------------------------------------------------------

SVRESULT LMidiManager::SendSysEx(IArray<signed char>& message, const RCPtr<LRefCountedObject>& port) {
  if (!port || !mPortManager) return kSendFailed;
  const SVRESULT framed = ControllerMessages::FrameSystemExclusive(message);
  if (framed < 0) return framed;
  return mPortManager->SendByteArray(port, message);
}

SVRESULT LMidiManager::SendPresetToDevice(int32_t) {
  if (!mOutputPort) return kSendFailed;
  const RCPtr<LRootModuleEngine> engine = GetRootModuleEngine();
  if (!engine) return E_FAIL;
  Array<ParamValue> values;
  const ParamRange preset{engine->GetFirstParamID(), static_cast<int32_t>(ControllerMessages::kParameterCount)};
  engine->GetParamValues(preset, values, -1);
  return SendPreset(values);
}

// A value of 0x80 or more would reach the controller as a status byte: nothing is
// sent, and the send has failed.
SVRESULT LMidiManager::SendPreset(const Array<ParamValue>& values) {
  Array<signed char> message;
  const SVRESULT built = ControllerMessages::BuildPresetMessage(values, message);
  if (built == E_INVALIDARG) return kSendFailed;
  if (built < 0) return built;
  const SVRESULT sent = SendSysEx(message, mOutputPort);
  return sent < 0 ? kSendFailed : sent;
}

SVRESULT LMidiManager::SendNonPresetParameter(String name, int32_t value, int32_t) {
  if (!IsConnected()) return kSendFailed;
  Array<signed char> message;
  if (ControllerMessages::BuildGlobalSettingMessage(name, value, message) < 0) return kSendFailed;
  const SVRESULT sent = SendSysEx(message, mOutputPort);
  return sent < 0 ? kSendFailed : sent;
}

SVRESULT LMidiManager::SendIdentityRequest(RCPtr<LRefCountedObject> port) {
  if (!port) return E_FAIL;
  ControllerMessages::IdentityRequestBuffer request;
  ControllerMessages::BuildIdentityRequest(request);
  return SendSysEx(request, port);
}

SVRESULT LMidiManager::SendRawMessage(const IArray<signed char>& bytes) {
  if (!mStatusChecker || !mStatusChecker->CheckOutputDevices() || !mPortManager) return kSendFailed;
  return mPortManager->SendByteArray(mOutputPort, bytes);
}

// ---- requests ------------------------------------------------------------------

SVRESULT LMidiManager::GetPresetFromMidiDevice(int32_t) {
  if (!IsConnected()) return kSendFailed;
  Array<signed char> request;
  ControllerMessages::BuildPresetRequest(request);
  BindReplyHandler("SV::LMidiManager::GetPresetFromMidiDevice");
  mPresetReply.Reset();
  mAwaitingPreset.store(true);
  const SVRESULT result = RunAttempts(mPresetReply, true, [&] { return SendSysEx(request, mOutputPort); });
  mAwaitingPreset.store(false);
  UnbindReplyHandler("SV::LMidiManager::GetPresetFromMidiDevice");
  return result;
}

SVRESULT LMidiManager::RequestFirmwareVersion(String& version) {
  {
    MutexLock lock(mReplyLock);
    mFirmwareVersion.Empty();
  }
  if (!IsConnected()) return E_FAIL;
  BindReplyHandler("SV::LMidiManager::RequestFirmwareVersion");
  mIdentityReply.Reset();
  {
    MutexLock lock(mReplyLock);
    mAwaitingIdentity = true;
  }
  const SVRESULT result = RunAttempts(mIdentityReply, false, [&] { return SendIdentityRequest(mOutputPort); });
  {
    MutexLock lock(mReplyLock);
    mAwaitingIdentity = false;
    if (result == S_OK) version = mFirmwareVersion;
  }
  UnbindReplyHandler("SV::LMidiManager::RequestFirmwareVersion");
  return result == kNoReply ? E_FAIL : result;
}

bool LMidiManager::IsDeviceFirmwareVersionUseable() {
  if (!IsConnected()) return false;
  BindReplyHandler("SV::LMidiManager::IsDeviceFirmwareVersionUseable");
  mFirmwareCheck.Reset();
  RunAttempts(mFirmwareCheck, false, [&] { return SendIdentityRequest(mOutputPort); });
  const bool useable = mFirmwareCheck.IsGreen();
  UnbindReplyHandler("SV::LMidiManager::IsDeviceFirmwareVersionUseable");
  return useable;
}

SVRESULT LMidiManager::RequestNonPresetParameterFromDevice(String, int32_t) {
  if (!IsConnected()) return E_FAIL;
  BindReplyHandler("SV::LMidiManager::RequestNonPresetParameterFromDevice");
  mNonPresetReply.Reset();
  UnbindReplyHandler("SV::LMidiManager::RequestNonPresetParameterFromDevice");
  return S_OK;
}

template <class SendRequest>
SVRESULT LMidiManager::RunAttempts(TrafficLight& reply, bool stopOnSendFailure, SendRequest sendRequest) {
  SVRESULT result = kNoReply;
  for (int32_t attempt = 0; attempt < kRequestAttempts; ++attempt) {
    if (sendRequest() < 0) {
      result = kSendFailed;
      if (stopOnSendFailure) return result;
      continue;
    }
    if (WaitForReply(reply)) return S_OK;
    result = kNoReply;
  }
  return result;
}

// A reply that came during the send is seen without a wait.
bool LMidiManager::WaitForReply(TrafficLight& reply) {
  return reply.IsGreen() || reply.Wait(mReplyWaitMilliseconds.load()) == ::SV::Platform::WaitSignalled;
}

void LMidiManager::BindReplyHandler(const char* function) {
  SVRESULT result = E_FAIL;
  {
    MutexLock lock(mDispatchLock);
    if (mHandler && mPortManager) {
      result = mHandler->AddHandler(&LMidiManager::OnMidiDataCaptured,
                                    RCPtr<LNotificationDistributor>(mPortManager), kMidiDataCaptured, 0);
    }
  }
  SV_RAISE_ON_FAILURE(result, function);
}

// Under the dispatch lock: once this returns, the reply handler runs no more.
void LMidiManager::UnbindReplyHandler(const char* function) {
  SVRESULT result = E_FAIL;
  {
    MutexLock lock(mDispatchLock);
    if (mHandler && mPortManager) {
      const SVRESULT left = Unsubscribe(RCPtr<LNotificationDistributor>(mPortManager), kMidiDataCaptured);
      result = mHandler->RemoveHandler(mPortManager.Get(), kMidiDataCaptured) ? left : E_FAIL;
    }
  }
  SV_RAISE_ON_FAILURE(result, function);
}

// ---- replies -------------------------------------------------------------------

int32_t LMidiManager::OnMidiDataCaptured(const RCPtr<LNotificationDistributor>& source,
                                         const RCPtr<LNotification>& notification) {
  if (source.Get() != static_cast<LNotificationDistributor*>(mPortManager.Get())) return 1;
  const RCPtr<LMidiCaptureNotificationData> captured =
      RCPtr<LMidiCaptureNotificationData>::DynamicCastFrom(notification->GetPayload());
  if (!captured) return 1;
  const IArray<signed char>& message = captured->GetBytes();
  if (ControllerMessages::IsPresetDump(message)) TakePresetDump(message);
  if (ControllerMessages::IsIdentityReply(message)) TakeIdentityReply(message);
  return 1;
}

// Exactly one byte per parameter, positions 7 to 30. Only a dump that Get Preset
// waits for is written: one that comes during another request (sent from the
// controller's panel, or late) would overwrite the user's values unasked. A second
// dump while the signal is green is ignored.
void LMidiManager::TakePresetDump(const IArray<signed char>& message) {
  if (!mAwaitingPreset.load() || mPresetReply.IsGreen()) return;
  const RCPtr<LRootModuleEngine> engine = GetRootModuleEngine();
  if (!engine) return;
  Array<ParamValue> values;
  if (ControllerMessages::ParsePresetDump(message, engine->GetFirstParamID(), values) < 0) return;
  for (const ParamValue& value : values) engine->SetParamValue(value.descriptor, value.value);
  mPresetReply.SetGreen();
}

// The text is written only while a request waits for it, under the reply lock.
void LMidiManager::TakeIdentityReply(const IArray<signed char>& message) {
  MutexLock lock(mReplyLock);
  if (!mAwaitingIdentity) return;
  if (ControllerMessages::ParseIdentityReply(message, mFirmwareVersion) >= 0) mIdentityReply.SetGreen();
}

// ---- notifications -------------------------------------------------------------

int32_t LMidiManager::Receive(const RCPtr<LNotificationDistributor>& source,
                              const RCPtr<LNotification>& notification) {
  if (!mReceivingEnabled.load()) return 0;
  MutexLock lock(mDispatchLock);
  return mHandler ? mHandler->Dispatch(source, notification) : 0;
}

SVRESULT LMidiManager::UnsubscribeVirtual(const RCPtr<LNotificationDistributor>& source, const char16_t* idText) {
  {
    MutexLock lock(mDispatchLock);
    if (mHandler) mHandler->RemoveHandler(source.Get(), idText);
  }
  return Unsubscribe(source, idText);
}

// ---- presence polling ----------------------------------------------------------

SVRESULT LMidiManager::PauseStatusPolling() {
  std::unique_lock lock(mPollLock);
  if (!mPollingOn) return S_FALSE;
  if (mPollingThreader) mPollingThreader->SetInterval(LEventGatedThreader::NoInterval);
  mPollSkip = true;
  mPollChanged.wait(lock, [&] { return !mCheckRunning; });
  mPollingOn = false;
  mPollSkip = false;
  return S_OK;
}

SVRESULT LMidiManager::ResumeStatusPolling() {
  {
    std::lock_guard lock(mPollLock);
    if (mPollingOn) return S_FALSE;
    mPollingOn = true;
    if (mPollingThreader) mPollingThreader->SetInterval(kPollIntervalMilliseconds);
  }
  if (mPollingEvent) mPollingEvent->Set();
  return S_OK;
}

bool LMidiManager::IsStatusPollingOn() const {
  std::lock_guard lock(mPollLock);
  return mPollingOn;
}

SVRESULT LMidiManager::Run(const RCPtr<LRefCountedObject>&) {
  {
    std::lock_guard lock(mPollLock);
    mPollCount.fetch_add(1);
    if (!mPollingOn || mPollSkip || !mStatusChecker) {
      mPollChanged.notify_all();
      return S_OK;
    }
    mCheckRunning = true;
  }
  // The flag must fall also when a check throws, or a pause would wait for ever.
  struct CheckEnd {
    LMidiManager& manager;
    ~CheckEnd() {
      std::lock_guard lock(manager.mPollLock);
      manager.mCheckRunning = false;
      manager.mPollChanged.notify_all();
    }
  } checkEnd{*this};
  mStatusChecker->CheckInputDevices();
  mStatusChecker->CheckOutputDevices();
  LookAtHeldPorts();
  return S_OK;
}

void LMidiManager::LookAtHeldPorts() {
  RCPtr<LRefCountedObject> input;
  RCPtr<LRefCountedObject> output;
  {
    MutexLock lock(mPortsLock);
    input = mInputPort;
    output = mOutputPort;
  }
  LookAtHeldPort<LMidiCapturePort>(input, mStatusChecker->GetInputDevices(),
                                    &LMidiDeviceStatusChecker::IsInputDevicePresent,
                                    LMidiDeviceStatusChecker::kInputStatusChangedID, mHeldInput);
  LookAtHeldPort<LMidiRenderPort>(output, mStatusChecker->GetOutputDevices(),
                                   &LMidiDeviceStatusChecker::IsOutputDevicePresent,
                                   LMidiDeviceStatusChecker::kOutputStatusChangedID, mHeldOutput);
}

// A port whose name the check did not find is announced as vanished by the check. A
// device on its way out may still be listed while its connections have already
// dropped (JACK takes them down before the ports), so only two looks in a row that
// find the port gone and its name listed count.
template <class Port>
void LMidiManager::LookAtHeldPort(const RCPtr<LRefCountedObject>& held,
                                  const Array<LMidiDeviceStatusChecker::DeviceInfo>& watched, PresenceLook isPresent,
                                  const char16_t* idText, HeldPortWatch& seen) {
  const RCPtr<Port> port = RCPtr<Port>::DynamicCastFrom(held);
  const RCPtr<LMidiComm> portManager = RCPtr<LMidiComm>::DynamicCastFrom(mPortManager);
  if (!port || !portManager) return;
  const auto handle = port->GetHandle();
  const uintptr_t handleValue = reinterpret_cast<uintptr_t>(handle);
  bool listed = false;
  for (const LMidiDeviceStatusChecker::DeviceInfo& device : watched) {
    listed = listed || (device.connected && device.name.ToLower() == port->GetName().ToLower());
  }
  const bool cameBack = listed && handleValue != seen.reported &&
                        ReadCaps(portManager->GetServices(), handle) != ::Platform::Midi::MMSYSERR_NOERROR &&
                        isPresent(mPortManager, port->GetName());
  const bool confirmed = cameBack && seen.suspected == handleValue;
  seen.suspected = cameBack ? handleValue : 0;
  if (!confirmed) return;
  seen.reported = handleValue;
  if (const RCPtr<LNotificationCenter> center = GetApplicationNotificationCenter()) {
    center->PostNotification(idText, LMidiDeviceConnectionStatusChangedNotification::Create(
                                         port->GetName(), LMidiDeviceConnectionStatusChangedNotification::Appeared));
  }
}

}  // namespace SV
