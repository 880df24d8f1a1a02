#include "SVFramework/Midi/MidiCapturePort.h"

#include <algorithm>

#include "Platform/Midi/MidiServices.h"
#include "SVFramework/Midi/MidiComm.h"
#include "SVFramework/Midi/MidiPortNames.h"

namespace SV {

using namespace ::Platform::Midi;

namespace {

constexpr uint8_t kSystemExclusiveStart = 0xF0;
constexpr uint8_t kSystemExclusiveEnd = 0xF7;

}  // namespace

LMidiCapturePort::CaptureBuffer::CaptureBuffer() {
  mHeader.lpData = mData;
  mHeader.dwBufferLength = kBufferSize;
  mHeader.dwUser = reinterpret_cast<uintptr_t>(this);
}

LMidiCapturePort::CaptureBuffer::~CaptureBuffer() { Unbind(); }

void LMidiCapturePort::CaptureBuffer::Bind(MidiServices& services, HMIDIIN handle) {
  mServices = &services;
  mBoundHandle = handle;
  services.MidiInPrepareHeader(handle, &mHeader, kMidiHeaderSize);
}

void LMidiCapturePort::CaptureBuffer::Unbind() {
  if (mBoundHandle == nullptr) return;
  mServices->MidiInUnprepareHeader(mBoundHandle, &mHeader, kMidiHeaderSize);
  mBoundHandle = nullptr;
}

MMRESULT LMidiCapturePort::CaptureBuffer::Arm() {
  mHeader.dwFlags &= ~MHDR_DONE;
  mHeader.dwBytesRecorded = 0;
  const MMRESULT prepared = mServices->MidiInPrepareHeader(mBoundHandle, &mHeader, kMidiHeaderSize);
  if (prepared != MMSYSERR_NOERROR) return prepared;
  return mServices->MidiInAddBuffer(mBoundHandle, &mHeader, kMidiHeaderSize);
}

LMidiCapturePort::LMidiCapturePort(const String& name, const RCPtr<LMidiComm>& owner)
    : mName(name), mOwner(owner) {}

LMidiCapturePort::~LMidiCapturePort() {
  Close();
  UnprepareBuffers();
}

MidiServices& LMidiCapturePort::Services() const { return mOwner->GetServices(); }

MMRESULT LMidiCapturePort::Open() {
  Close();
  MidiServices& services = Services();
  const auto readName = [&services](uint32_t device, String& name) {
    MIDIINCAPS caps;
    if (services.MidiInGetDevCaps(device, &caps, sizeof(caps)) != MMSYSERR_NOERROR) return false;
    name.Assign(caps.szPname, MAXPNAMELEN - 1);
    return true;
  };
  const int32_t device = ChooseMidiDevice(mName, services.MidiInGetNumDevs(), readName, mDeviceName);
  if (device < 0) return MMSYSERR_NODRIVER;
  MMRESULT result = OpenDevice(static_cast<uint32_t>(device));
  if (result == MMSYSERR_NOERROR) {
    mClosing = false;
    result = AddBuffers();
  }
  if (result != MMSYSERR_NOERROR && GetHandle() != nullptr) Close();
  return result;
}

MMRESULT LMidiCapturePort::OpenDevice(uint32_t device) {
  HMIDIIN handle = nullptr;
  const MMRESULT result = Services().MidiInOpen(&handle, device, &LMidiComm::MidiInProc,
                                                reinterpret_cast<uintptr_t>(mOwner.Get()),
                                                CALLBACK_FUNCTION | MIDI_IO_STATUS);
  mHandle.store(handle, std::memory_order_release);
  return result;
}

void LMidiCapturePort::Close() {
  const HMIDIIN handle = GetHandle();
  if (handle == nullptr) return;
  mClosing = true;
  Services().MidiInStop(handle);
  // The buffers come back through the input callback before the reset returns; it
  // does not re-add them, since the port is closing.
  Services().MidiInReset(handle);
  UnprepareBuffers();
  CloseDevice(handle);
  mHandle.store(nullptr, std::memory_order_release);
  mPending.Reset();
}

// A device that still holds buffers refuses to close; they are asked back once more,
// so that the platform keeps no buffer of a port that may be destroyed next.
MMRESULT LMidiCapturePort::CloseDevice(HMIDIIN handle) {
  const MMRESULT result = Services().MidiInClose(handle);
  if (result != MIDIERR_STILLPLAYING) return result;
  Services().MidiInReset(handle);
  return Services().MidiInClose(handle);
}

MMRESULT LMidiCapturePort::AddBuffers() {
  const HMIDIIN handle = GetHandle();
  if (handle == nullptr) return MMSYSERR_ERROR;
  for (CaptureBuffer& buffer : mBuffers) {
    buffer.Bind(Services(), handle);
    const MMRESULT result = buffer.Arm();
    if (result == MMSYSERR_NOERROR) continue;
    UnprepareBuffers();
    return result;
  }
  return MMSYSERR_NOERROR;
}

MMRESULT LMidiCapturePort::ReAddBuffer(MIDIHDR* header) {
  if (mClosing || GetHandle() == nullptr) return MMSYSERR_HANDLEBUSY;
  CaptureBuffer* buffer = FindBuffer(header);
  if (buffer == nullptr || !buffer->IsBound()) return MMSYSERR_ERROR;
  return buffer->Arm();
}

void LMidiCapturePort::UnprepareBuffers() {
  for (CaptureBuffer& buffer : mBuffers) buffer.Unbind();
}

LMidiCapturePort::CaptureBuffer* LMidiCapturePort::FindBuffer(const MIDIHDR* header) {
  for (CaptureBuffer& buffer : mBuffers) {
    if (&buffer.Header() == header) return &buffer;
  }
  return nullptr;
}

uint32_t LMidiCapturePort::ShortMessageLength(uint8_t status) {
  if (status >= 0x80 && status < 0xC0) return 3;
  if (status >= 0xE0 && status < 0xF0) return 3;
  if (status >= 0xC0 && status < 0xE0) return 2;
  return 1;
}

void LMidiCapturePort::OnShortMessage(uint32_t message, uint32_t timestamp) {
  const uint8_t bytes[4] = {static_cast<uint8_t>(message), static_cast<uint8_t>(message >> 8),
                            static_cast<uint8_t>(message >> 16), static_cast<uint8_t>(message >> 24)};
  const RCPtr<LMidiCaptureNotificationData> captured = LMidiCaptureNotificationData::Create(mName, this);
  captured->SetTimestamp(timestamp);
  captured->Append(bytes, ShortMessageLength(bytes[0]));
  Queue(captured);
}

// Only the port's own buffers are read: the platform recorded at most their length.
void LMidiCapturePort::OnBufferReturned(MIDIHDR* header) {
  if (header == nullptr || FindBuffer(header) == nullptr) return;
  const uint32_t recorded = std::min(header->dwBytesRecorded, kBufferSize);
  const bool complete =
      recorded < kBufferSize || static_cast<uint8_t>(header->lpData[recorded - 1]) == kSystemExclusiveEnd;
  OnSysExData(header->lpData, static_cast<int32_t>(recorded), complete);
  ReAddBuffer(header);
}

void LMidiCapturePort::OnSysExData(const char* bytes, int32_t count, bool complete) {
  if (count <= 0) return;
  const bool beginsMessage = static_cast<uint8_t>(bytes[0]) == kSystemExclusiveStart;
  if (mPending && beginsMessage) DropPending();
  if (!mPending) {
    if (complete && !beginsMessage) return;
    mPending = LMidiCaptureNotificationData::Create(mName, this);
  }
  AppendToPending(bytes, static_cast<uint32_t>(count), complete);
  if (!complete) return;
  Queue(mPending);
  mPending.Reset();
}

// F0 never stands inside a message: a message still pending when one begins was cut
// by a status byte just where a buffer ended, and its end will not come. It is
// dropped, so that the new message is not appended to it.
void LMidiCapturePort::DropPending() {
  mDroppedBytes.fetch_add(mPending->GetCount(), std::memory_order_relaxed);
  mDroppedMessages.fetch_add(1, std::memory_order_relaxed);
  mPending.Reset();
}

// A message that never ends must not grow without bound: beyond the limit bytes are
// dropped and counted, and a cut message that ends in F7 keeps its F7 in its last place.
void LMidiCapturePort::AppendToPending(const char* bytes, uint32_t count, bool complete) {
  const uint32_t room = kMaximumSystemExclusiveLength - mPending->GetCount();
  const uint32_t kept = std::min(count, room);
  mPending->Append(bytes, kept);
  if (kept == count) return;
  mDroppedBytes.fetch_add(count - kept, std::memory_order_relaxed);
  if (complete && static_cast<uint8_t>(bytes[count - 1]) == kSystemExclusiveEnd) {
    LMidiCaptureNotificationData::Bytes& message = mPending->GetBytes();
    message[message.GetCount() - 1] = static_cast<int8_t>(kSystemExclusiveEnd);
  }
}

void LMidiCapturePort::Queue(const RCPtr<LMidiCaptureNotificationData>& message) {
  mOwner->QueueCapturedMessage(message);
}

// The check runs under the port lock, which the manager holds whenever it hands a
// listed port out: a caller given this port since the release began keeps it listed.
SVRESULT LMidiCapturePort::ReleaseInternalReferences() {
  MutexLock lock(mOwner->GetPortLock());
  if (GetRefCount() != GetInternalRefCount() + 1) return E_FAIL;
  if (mOwner->RemoveCapturePort(this) == S_OK) AddInternalReferences(-1);
  return LRefCountedObject::ReleaseInternalReferences();
}

String LMidiCapturePort::GetDeviceName() const {
  MutexLock lock(mOwner->GetPortLock());
  return mDeviceName;
}

}  // namespace SV
