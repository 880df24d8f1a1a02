#pragma once
#include <atomic>
#include <mutex>

#include "Platform/Midi/MidiDefinitions.h"
#include "SVFramework/ObjectBase/RefCountedObject.h"
#include "SVFramework/Threads/TrafficLight.h"
#include "SVFramework/Utilities/Storage/StringT.h"

namespace Platform::Midi {
class MidiServices;
}

namespace SV {

class LMidiComm;

// One MIDI output device opened by name, with the gate that tells when its long
// message has been sent: green while none is out; the send path turns it red, the
// output callback (MOM_DONE) or closing the port green again.
// Made, opened and listed only by its port manager (LMidiComm); Open runs under the
// manager's port lock. Messages go out only through LMidiComm::SendBytes, which
// sends through one port one message at a time (see LockForSending). The port
// leaves its manager's list when its last outside reference goes, and its
// destruction closes the device.
class LMidiRenderPort : public virtual LRefCountedObject {
public:
  using MMRESULT = ::Platform::Midi::MMRESULT;
  using HMIDIOUT = ::Platform::Midi::HMIDIOUT;

  // A closed port with a green gate; LMidiComm::CreateRenderPort makes them.
  LMidiRenderPort(const String& name, const RCPtr<LMidiComm>& owner);
  // Closes the device when open, then releases the owner.
  ~LMidiRenderPort() override;
  LMidiRenderPort(const LMidiRenderPort&) = delete;
  LMidiRenderPort& operator=(const LMidiRenderPort&) = delete;

  // Closes the device when open, chooses the device by the port-name rule and opens
  // it. 0, MMSYSERR_NODRIVER when no device matches, or the platform's code (the
  // port is then closed).
  MMRESULT Open();

  // Takes the port out of its manager's list when nobody but the releasing caller
  // holds it any more.
  SVRESULT ReleaseInternalReferences() override;

  // Held by the send path for a whole send, so that a MOM_DONE opens the gate for the
  // one long message out on this port. Never taken under the port lock.
  std::unique_lock<std::mutex> LockForSending() { return std::unique_lock<std::mutex>(mSendLock); }

  // The send path's steps for one long message, under LockForSending: turns the gate
  // red before the message goes out. MOM_DONE turns it green when the message was
  // sent; closing the port turns it green as well, having taken back a message still
  // out, and LongMessageWasTakenBack then answers true until the next long message.
  void BeginLongMessage();
  bool LongMessageWasTakenBack() const { return mLongMessageTakenBack.load(); }

  TrafficLight& GetGate() { return mGate; }
  const String& GetName() const { return mName; }
  // The name of the device Open examined last. Takes the port lock.
  String GetDeviceName() const;
  HMIDIOUT GetHandle() const { return mHandle.load(std::memory_order_acquire); }

private:
  ::Platform::Midi::MidiServices& Services() const;
  void Close();

  const String mName;
  String mDeviceName;
  std::atomic<HMIDIOUT> mHandle{nullptr};
  RCPtr<LMidiComm> mOwner;
  TrafficLight mGate;
  std::atomic<bool> mLongMessageTakenBack{false};
  std::mutex mSendLock;
};

}  // namespace SV
