#include "SVFramework/Midi/MidiComm.h"

#include <algorithm>
#include <climits>

#include "Platform/Midi/MidiServices.h"
#include "Platform/Midi/MidiShortMessage.h"
#include "SVFramework/Midi/DefaultMidiServices.h"
#include "SVFramework/Midi/MidiMessageLength.h"

namespace SV {

using namespace ::Platform::Midi;

namespace {

// A first byte that the send path sends as a short message.
bool BeginsShortMessage(uint8_t firstByte) { return firstByte >= 0x80 && firstByte != 0xF0 && firstByte != 0xF7; }

// The product names of deviceCount devices, up to the first whose capabilities
// cannot be read; false when there was such a device.
template <class Caps, class GetCaps>
bool ReadProductNames(uint32_t deviceCount, GetCaps getCaps, StringArray& names) {
  for (uint32_t device = 0; device < deviceCount; ++device) {
    Caps caps;
    if (getCaps(device, caps) != MMSYSERR_NOERROR) return false;
    String name;
    name.Assign(caps.szPname, MAXPNAMELEN - 1);
    names.Append(name);
  }
  return true;
}

}  // namespace

RCPtr<LMidiComm> LMidiComm::Create(std::shared_ptr<MidiServices> services) {
  if (!services) services = GetDefaultMidiServices();
  return RCPtr<LMidiComm>(new LMidiComm(std::move(services)));
}

LMidiComm::LMidiComm(std::shared_ptr<MidiServices> services)
    : mServices(std::move(services)), mThreadPool(LThreadPool::Create(1, 2)) {}

// A callback that began before the last port closed may still wait for the port
// lock, which is about to go with this object.
LMidiComm::~LMidiComm() {
  mServices->WaitForCallbacks();
  mThreadPool.Reset();
}

// ---- opening ports -------------------------------------------------------------

SVRESULT LMidiComm::OpenCapturePort(const String& name, RCPtr<LRefCountedObject>& port) {
  port.Reset();
  MutexLock lock(mPortLock);
  StringArray names;
  EnumerateCaptureDevices(names);
  int32_t position = -1;
  const int32_t matches = CountNameMatches(names, name, position);
  if (matches >= 2) return E_INVALIDARG;
  RCPtr<LMidiCapturePort> opened;
  const SVRESULT found = matches == 1 ? FindOrReopenCapturePort(name, opened) : S_FALSE;
  if (found == S_FALSE) opened = OpenNewCapturePort(name);
  port = opened.Get();
  return opened ? S_OK : E_FAIL;
}

SVRESULT LMidiComm::OpenRenderPort(const String& name, RCPtr<LRefCountedObject>& port) {
  port.Reset();
  MutexLock lock(mPortLock);
  StringArray names;
  EnumerateRenderDevices(names);
  int32_t position = -1;
  const int32_t matches = CountNameMatches(names, name, position);
  if (matches >= 2) return E_INVALIDARG;
  RCPtr<LMidiRenderPort> opened;
  const SVRESULT found =
      matches == 1 ? FindOrReopenRenderPort(names[static_cast<uint32_t>(position)], opened) : S_FALSE;
  if (found == S_FALSE) opened = OpenNewRenderPort(name);
  port = opened.Get();
  return opened ? S_OK : E_FAIL;
}

// S_FALSE when no listed port has the name; S_OK with the port when its device is
// still there or it could be opened and started again; E_FAIL (port closed) otherwise.
SVRESULT LMidiComm::FindOrReopenCapturePort(const String& name, RCPtr<LMidiCapturePort>& port) {
  port = FindPortByName(mCapturePorts, name);
  if (!port) return S_FALSE;
  MIDIINCAPS caps;
  if (mServices->MidiInGetDevCaps(port->GetHandle(), &caps, sizeof(caps)) == MMSYSERR_NOERROR) return S_OK;
  if (port->Open() == MMSYSERR_NOERROR && mServices->MidiInStart(port->GetHandle()) == MMSYSERR_NOERROR) return S_OK;
  port->Close();
  port.Reset();
  return E_FAIL;
}

// As FindOrReopenCapturePort, looking the port up by the listed device name.
SVRESULT LMidiComm::FindOrReopenRenderPort(const String& listedName, RCPtr<LMidiRenderPort>& port) {
  port = FindPortByName(mRenderPorts, listedName);
  if (!port) return S_FALSE;
  MIDIOUTCAPS caps;
  if (mServices->MidiOutGetDevCaps(port->GetHandle(), &caps, sizeof(caps)) == MMSYSERR_NOERROR) return S_OK;
  if (port->Open() == MMSYSERR_NOERROR) return S_OK;
  port.Reset();
  return E_FAIL;
}

RCPtr<LMidiCapturePort> LMidiComm::OpenNewCapturePort(const String& name) {
  RCPtr<LMidiCapturePort> port = CreateCapturePort(name, RCPtr<LMidiComm>(this));
  if (!port || port->Open() != MMSYSERR_NOERROR) return nullptr;
  AddToList(mCapturePorts, port);
  if (mServices->MidiInStart(port->GetHandle()) == MMSYSERR_NOERROR) return port;
  port->Close();
  port->AddInternalReferences(-1);
  RemoveFromList(mCapturePorts, port.Get());
  return nullptr;
}

RCPtr<LMidiRenderPort> LMidiComm::OpenNewRenderPort(const String& name) {
  RCPtr<LMidiRenderPort> port = CreateRenderPort(name, RCPtr<LMidiComm>(this));
  if (!port || port->Open() != MMSYSERR_NOERROR) return nullptr;
  AddToList(mRenderPorts, port);
  return port;
}

RCPtr<LMidiCapturePort> LMidiComm::CreateCapturePort(const String& name, const RCPtr<LMidiComm>& owner) {
  if (name.IsEmpty() || !owner) return nullptr;
  return RCPtr<LMidiCapturePort>(new LMidiCapturePort(name, owner));
}

RCPtr<LMidiRenderPort> LMidiComm::CreateRenderPort(const String& name, const RCPtr<LMidiComm>& owner) {
  if (name.IsEmpty() || !owner) return nullptr;
  return RCPtr<LMidiRenderPort>(new LMidiRenderPort(name, owner));
}

// ---- the lists -----------------------------------------------------------------

template <class Port>
RCPtr<Port> LMidiComm::FindPortByName(const RCPtrArray<Port, 1, 0>& ports, const String& name) {
  const String wanted = name.ToLower();
  for (uint32_t index = 0; index < ports.GetCount(); ++index) {
    if (ports[index]->GetName().ToLower() == wanted) return ports[index];
  }
  return nullptr;
}

// The list's reference is internal: the port takes itself out when its last outside
// holder lets go.
template <class Port>
void LMidiComm::AddToList(RCPtrArray<Port, 1, 0>& ports, const RCPtr<Port>& port) {
  ports.Append(port);
  port->AddInternalReferences(1);
}

template <class Port>
SVRESULT LMidiComm::RemoveFromList(RCPtrArray<Port, 1, 0>& ports, const Port* port) {
  for (uint32_t index = 0; index < ports.GetCount(); ++index) {
    if (ports[index].Get() != port) continue;
    RCPtr<Port> removed;
    ports.RemoveItem(index, removed);
    return S_OK;
  }
  return E_FAIL;
}

SVRESULT LMidiComm::RemoveCapturePort(const LMidiCapturePort* port) {
  MutexLock lock(mPortLock);
  return RemoveFromList(mCapturePorts, port);
}

SVRESULT LMidiComm::RemoveRenderPort(const LMidiRenderPort* port) {
  MutexLock lock(mPortLock);
  return RemoveFromList(mRenderPorts, port);
}

uint32_t LMidiComm::GetCapturePortCount() const {
  MutexLock lock(mPortLock);
  return mCapturePorts.GetCount();
}

uint32_t LMidiComm::GetRenderPortCount() const {
  MutexLock lock(mPortLock);
  return mRenderPorts.GetCount();
}

// ---- device names --------------------------------------------------------------

SVRESULT LMidiComm::EnumerateCaptureDevices(StringArray& names) {
  StringArray listed;
  const bool complete = ReadProductNames<MIDIINCAPS>(
      mServices->MidiInGetNumDevs(),
      [this](uint32_t device, MIDIINCAPS& caps) { return mServices->MidiInGetDevCaps(device, &caps, sizeof(caps)); },
      listed);
  names = MakeUniqueNames(listed);
  return complete ? S_OK : E_FAIL;
}

SVRESULT LMidiComm::EnumerateRenderDevices(StringArray& names) {
  StringArray listed;
  const bool complete = ReadProductNames<MIDIOUTCAPS>(
      mServices->MidiOutGetNumDevs(),
      [this](uint32_t device, MIDIOUTCAPS& caps) { return mServices->MidiOutGetDevCaps(device, &caps, sizeof(caps)); },
      listed);
  names = MakeUniqueNames(listed);
  return complete ? S_OK : E_FAIL;
}

int32_t LMidiComm::CountNameMatches(const StringArray& names, const String& name, int32_t& position) {
  const String lower = name.ToLower();
  position = -1;
  int32_t count = 0;
  for (int32_t at = names.FindContaining(lower, false); at >= 0;
       at = names.FindContaining(lower, false, static_cast<uint32_t>(at) + 1)) {
    if (names[static_cast<uint32_t>(at)].ToLower() == lower) {
      position = at;
      return 1;
    }
    if (position < 0) position = at;
    ++count;
  }
  return count;
}

// ---- sending -------------------------------------------------------------------

int32_t LMidiComm::SendBuffer(const RCPtr<LRefCountedObject>& port, const RCPtr<LIBuffer>& buffer) {
  if (!buffer) return E_INVALIDARG;
  return SendBytes(port, buffer->GetData(), buffer->GetSize());
}

int32_t LMidiComm::SendByteArray(const RCPtr<LRefCountedObject>& port, const IArray<int8_t>& bytes) {
  return SendBytes(port, bytes.GetData(), bytes.GetCount());
}

int32_t LMidiComm::SendBytes(const RCPtr<LRefCountedObject>& port, const void* bytes, uint32_t length) {
  const RCPtr<LMidiRenderPort> renderPort = RCPtr<LMidiRenderPort>::DynamicCastFrom(port);
  if (!renderPort || bytes == nullptr || length == 0 || length > INT32_MAX) return E_INVALIDARG;
  const auto sending = renderPort->LockForSending();
  renderPort->GetGate().Wait(mGateWaitMilliseconds.load());
  const auto* data = static_cast<const uint8_t*>(bytes);
  if (BeginsShortMessage(data[0])) return SendShortMessage(*renderPort, data, length);
  return SendLongMessage(*renderPort, bytes, length);
}

int32_t LMidiComm::SendShortMessage(LMidiRenderPort& port, const uint8_t* bytes, uint32_t length) {
  const uint32_t word = MidiShortMessage::Pack(bytes, std::min<uint32_t>(length, 4));
  if (mServices->MidiOutShortMsg(port.GetHandle(), word) != MMSYSERR_NOERROR) return E_FAIL;
  return GetMidiMessageLength(bytes[0]);
}

int32_t LMidiComm::SendLongMessage(LMidiRenderPort& port, const void* bytes, uint32_t length) {
  const HMIDIOUT handle = port.GetHandle();
  MIDIHDR header;
  header.lpData = const_cast<char*>(static_cast<const char*>(bytes));
  header.dwBufferLength = length;
  header.dwBytesRecorded = length;
  if (mServices->MidiOutPrepareHeader(handle, &header, kMidiHeaderSize) != MMSYSERR_NOERROR) return E_FAIL;
  port.BeginLongMessage();
  bool sent = mServices->MidiOutLongMsg(handle, &header, kMidiHeaderSize) == MMSYSERR_NOERROR &&
              WaitForCompletion(port, handle) && !port.LongMessageWasTakenBack();
  // The header lives on this stack: the platform must have handed it back before
  // this returns.
  if (mServices->MidiOutUnprepareHeader(handle, &header, kMidiHeaderSize) == MIDIERR_STILLPLAYING) {
    mServices->MidiOutReset(handle);
    mServices->MidiOutUnprepareHeader(handle, &header, kMidiHeaderSize);
    sent = false;
  }
  port.GetGate().SetGreen();
  return sent ? static_cast<int32_t>(length) : E_FAIL;
}

// A message the platform did not confirm in time is taken back (the reset hands it
// back with MOM_DONE), so that it can be unprepared, and counts as not sent.
bool LMidiComm::WaitForCompletion(LMidiRenderPort& port, HMIDIOUT handle) {
  if (port.GetGate().Wait(mCompletionWaitMilliseconds.load()) == ::SV::Platform::WaitSignalled) return true;
  mServices->MidiOutReset(handle);
  return false;
}

void LMidiComm::SetSendWaits(int32_t gateMilliseconds, int32_t completionMilliseconds) {
  mGateWaitMilliseconds.store(gateMilliseconds);
  mCompletionWaitMilliseconds.store(completionMilliseconds);
}

// ---- callbacks and delivery ----------------------------------------------------

void LMidiComm::MidiInProc(HMIDIIN handle, uint32_t message, uintptr_t instance, uintptr_t param1,
                           uintptr_t param2) {
  if (instance == 0) return;
  reinterpret_cast<LMidiComm*>(instance)->OnMidiInEvent(handle, message, param1, param2);
}

void LMidiComm::MidiOutProc(HMIDIOUT handle, uint32_t message, uintptr_t instance, uintptr_t param1,
                            uintptr_t param2) {
  if (instance == 0) return;
  reinterpret_cast<LMidiComm*>(instance)->OnMidiOutEvent(handle, message, param1, param2);
}

void LMidiComm::OnMidiInEvent(HMIDIIN handle, uint32_t message, uintptr_t param1, uintptr_t param2) {
  MutexLock lock(mPortLock);
  LMidiCapturePort* port = nullptr;
  for (uint32_t index = mCapturePorts.GetCount(); index-- > 0 && port == nullptr;) {
    if (mCapturePorts[index]->GetHandle() == handle) port = mCapturePorts[index].Get();
  }
  if (port == nullptr) return;
  auto* header = reinterpret_cast<MIDIHDR*>(param1);
  switch (message) {
    case MIM_DATA:
    case MIM_MOREDATA:
      port->OnShortMessage(static_cast<uint32_t>(param1), static_cast<uint32_t>(param2));
      break;
    case MIM_LONGDATA:
      port->OnBufferReturned(header);
      break;
    case MIM_LONGERROR:
      if (header != nullptr) port->ReAddBuffer(header);
      break;
    default:
      break;
  }
}

void LMidiComm::OnMidiOutEvent(HMIDIOUT handle, uint32_t message, uintptr_t, uintptr_t) {
  MutexLock lock(mPortLock);
  if (message != MOM_DONE) return;
  for (uint32_t index = mRenderPorts.GetCount(); index-- > 0;) {
    if (mRenderPorts[index]->GetHandle() != handle) continue;
    mRenderPorts[index]->GetGate().SetGreen();
    return;
  }
}

void LMidiComm::QueueCapturedMessage(const RCPtr<LMidiCaptureNotificationData>& message) {
  mThreadPool->QueueJob(RCPtr<LThreadWorker>(this), message, 0);
}

SVRESULT LMidiComm::Run(const RCPtr<LRefCountedObject>& argument) {
  if (const RCPtr<LNotificationCenter> center = GetNotificationCenter()) {
    center->PostNotification(kMidiDataCapturedID, argument);
  }
  Deliver(RCPtr<LMidiCaptureNotificationData>::DynamicCastFrom(argument));
  return S_OK;
}

}  // namespace SV
