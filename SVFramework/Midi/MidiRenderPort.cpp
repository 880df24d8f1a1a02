#include "SVFramework/Midi/MidiRenderPort.h"

#include "Platform/Midi/MidiServices.h"
#include "SVFramework/Midi/MidiComm.h"
#include "SVFramework/Midi/MidiPortNames.h"

namespace SV {

using namespace ::Platform::Midi;

LMidiRenderPort::LMidiRenderPort(const String& name, const RCPtr<LMidiComm>& owner) : mName(name), mOwner(owner) {
  mGate.SetGreen();
}

LMidiRenderPort::~LMidiRenderPort() { Close(); }

MidiServices& LMidiRenderPort::Services() const { return mOwner->GetServices(); }

MMRESULT LMidiRenderPort::Open() {
  Close();
  MidiServices& services = Services();
  const auto readName = [&services](uint32_t device, String& name) {
    MIDIOUTCAPS caps;
    if (services.MidiOutGetDevCaps(device, &caps, sizeof(caps)) != MMSYSERR_NOERROR) return false;
    name.Assign(caps.szPname, MAXPNAMELEN - 1);
    return true;
  };
  const int32_t device = ChooseMidiDevice(mName, services.MidiOutGetNumDevs(), readName, mDeviceName);
  if (device < 0) return MMSYSERR_NODRIVER;
  HMIDIOUT handle = nullptr;
  const MMRESULT result = services.MidiOutOpen(&handle, static_cast<uint32_t>(device), &LMidiComm::MidiOutProc,
                                               reinterpret_cast<uintptr_t>(mOwner.Get()), CALLBACK_FUNCTION);
  mHandle.store(handle, std::memory_order_release);
  if (result != MMSYSERR_NOERROR) Close();
  return result;
}

// A long message still out would make the device refuse to close: the reset takes it
// back, so no device is left open behind the port. Its MOM_DONE finds the port no
// more (the handle is cleared first, and no callback comes after the close), so the
// gate is opened here: the sender learns at once that its message was not sent.
void LMidiRenderPort::Close() {
  const HMIDIOUT handle = mHandle.exchange(nullptr, std::memory_order_acq_rel);
  if (handle == nullptr) return;
  if (Services().MidiOutClose(handle) == MIDIERR_STILLPLAYING) {
    mLongMessageTakenBack.store(true);
    Services().MidiOutReset(handle);
    Services().MidiOutClose(handle);
  }
  mGate.SetGreen();
}

void LMidiRenderPort::BeginLongMessage() {
  mLongMessageTakenBack.store(false);
  mGate.Reset();
}

SVRESULT LMidiRenderPort::ReleaseInternalReferences() {
  MutexLock lock(mOwner->GetPortLock());
  if (GetRefCount() != GetInternalRefCount() + 1) return E_FAIL;
  if (mOwner->RemoveRenderPort(this) == S_OK) AddInternalReferences(-1);
  return LRefCountedObject::ReleaseInternalReferences();
}

String LMidiRenderPort::GetDeviceName() const {
  MutexLock lock(mOwner->GetPortLock());
  return mDeviceName;
}

}  // namespace SV
