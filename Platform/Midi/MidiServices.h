#pragma once
#include "Platform/Midi/MidiBackend.h"
#include "Platform/Midi/MidiDefinitions.h"
#include "Platform/Midi/MidiInputParser.h"

#include <chrono>
#include <cstdint>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

namespace Platform::Midi {

class MidiCallbackDispatcher;
struct MidiDelivery;

// The MIDI input and output services: numbered devices with product names, opened
// with a callback and an instance value; capture buffers queued first in first out
// and filled with System Exclusive bytes; short messages as packed words; long
// messages handed back through MOM_DONE. The ports themselves come from the
// backend chosen at construction (RtMidiBackend, or FakeMidiBackend in tests).
//
// Every operation may be called from any thread, also from inside a callback.
// Callbacks come on one thread of the services, one at a time, in the order the
// events happened, never from a backend's own thread and never with a lock of the
// services held; the one exception is MidiInReset and MidiOutReset, which hand the
// caller's buffers back through the callback on the caller's thread before they
// return, as the platform does. No callback starts for a handle once its Close has
// returned; Close does not wait for a callback already running (the closer may hold
// a lock that callback is waiting for): a client that must know all its callbacks
// have returned calls WaitForCallbacks. MIM_CLOSE and MOM_CLOSE are not sent.
//
// Device numbers index the list of the last MidiInGetNumDevs or MidiOutGetNumDevs
// (taken at first use when there was none). Handles are never reused.
class MidiServices {
public:
  explicit MidiServices(std::shared_ptr<MidiBackend> backend);
  // Closes whatever is still open and stops the callback thread. Must not be called
  // from a callback.
  ~MidiServices();
  MidiServices(const MidiServices&) = delete;
  MidiServices& operator=(const MidiServices&) = delete;

  // Lists the input devices afresh and returns their number.
  uint32_t MidiInGetNumDevs();
  // The product names (as szPname holds them) of the input devices there now, asked
  // afresh, in device order, without taking a new device list: the numbers of the
  // last MidiInGetNumDevs stay as they were, so that a look from one thread never
  // renumbers the devices between another thread's list and its open.
  std::vector<std::u16string> MidiInListDevices();
  // The capabilities of device deviceId of the last list; MMSYSERR_BADDEVICEID when
  // there is no such device.
  MMRESULT MidiInGetDevCaps(uint32_t deviceId, MIDIINCAPS* caps, uint32_t capsSize);
  // The capabilities of the port behind an open handle, when that very port is still
  // there in a fresh list; MMSYSERR_NODRIVER when it has gone.
  MMRESULT MidiInGetDevCaps(HMIDIIN handle, MIDIINCAPS* caps, uint32_t capsSize);
  // Opens device deviceId; sends MIM_OPEN. Input does not flow before MidiInStart.
  MMRESULT MidiInOpen(HMIDIIN* handle, uint32_t deviceId, MidiInCallback callback,
                      uintptr_t instance, uint32_t flags);
  MMRESULT MidiInPrepareHeader(HMIDIIN handle, MIDIHDR* header, uint32_t headerSize);
  // Queues a prepared buffer behind those already queued.
  MMRESULT MidiInAddBuffer(HMIDIIN handle, MIDIHDR* header, uint32_t headerSize);
  // Starts input; time stamps count milliseconds from here.
  MMRESULT MidiInStart(HMIDIIN handle);
  // Stops input: what arrives from now on is not delivered; queued buffers stay.
  MMRESULT MidiInStop(HMIDIIN handle);
  // Stops input, drops what was received and not yet delivered, and hands every
  // queued buffer back marked done: MIM_LONGDATA with nothing recorded, for each
  // buffer in queue order, on the calling thread, before it returns.
  MMRESULT MidiInReset(HMIDIIN handle);
  // MIDIERR_STILLPLAYING while the buffer is queued.
  MMRESULT MidiInUnprepareHeader(HMIDIIN handle, MIDIHDR* header, uint32_t headerSize);
  // MIDIERR_STILLPLAYING while buffers are queued (reset first).
  MMRESULT MidiInClose(HMIDIIN handle);
  // What this input has thrown away: System Exclusive bytes for which no buffer was
  // queued, bytes beyond the length limit, and input beyond the delivery backlog.
  MMRESULT MidiInGetDrops(HMIDIIN handle, MidiInputDrops* drops);

  uint32_t MidiOutGetNumDevs();
  // As MidiInListDevices, for the output devices.
  std::vector<std::u16string> MidiOutListDevices();
  MMRESULT MidiOutGetDevCaps(uint32_t deviceId, MIDIOUTCAPS* caps, uint32_t capsSize);
  MMRESULT MidiOutGetDevCaps(HMIDIOUT handle, MIDIOUTCAPS* caps, uint32_t capsSize);
  // Opens device deviceId; sends MOM_OPEN.
  MMRESULT MidiOutOpen(HMIDIOUT* handle, uint32_t deviceId, MidiOutCallback callback,
                       uintptr_t instance, uint32_t flags);
  // Sends the short message packed in the word (status byte lowest), as long as its
  // status byte says; MMSYSERR_INVALPARAM for a word that begins no short message
  // (running status is not supported).
  MMRESULT MidiOutShortMsg(HMIDIOUT handle, uint32_t message);
  MMRESULT MidiOutPrepareHeader(HMIDIOUT handle, MIDIHDR* header, uint32_t headerSize);
  // Sends the header's dwBufferLength bytes; the header is handed back through
  // MOM_DONE when the backend counts the message as sent.
  MMRESULT MidiOutLongMsg(HMIDIOUT handle, MIDIHDR* header, uint32_t headerSize);
  // MIDIERR_STILLPLAYING while the message is not handed back.
  MMRESULT MidiOutUnprepareHeader(HMIDIOUT handle, MIDIHDR* header, uint32_t headerSize);
  // Hands back every long message not yet handed back, marked done, with MOM_DONE on
  // the calling thread before it returns. (No note-off messages are sent.)
  MMRESULT MidiOutReset(HMIDIOUT handle);
  // MIDIERR_STILLPLAYING while a long message is not handed back (reset first).
  MMRESULT MidiOutClose(HMIDIOUT handle);

  // Returns when every callback due at the time of the call has returned. Must not be
  // called while holding a lock that a callback takes; returns at once when called
  // from a callback.
  void WaitForCallbacks();

  // The most input bytes that wait for delivery on one handle; beyond it input is
  // dropped and counted.
  static constexpr size_t kDeliveryBacklogLimit = 1024 * 1024;

private:
  struct Input;
  struct Output;
  struct OutputPort;
  class InputSink;
  using Clock = std::chrono::steady_clock;

  template <typename Operation>
  auto Call(MidiCall call, Operation operation);
  template <typename List>
  std::vector<std::u16string> ListDevices(MidiCall call, List list);
  uint64_t NewHandleNumber();
  static uint32_t ElapsedMilliseconds(const Input& input);
  void EnsureInputsListed();
  void EnsureOutputsListed();
  Input* FindInput(HMIDIIN handle);
  Output* FindOutput(HMIDIOUT handle);

  void OnInputBytes(uint64_t handle, const uint8_t* bytes, size_t count);
  void QueueInputMessage(Input& input, MidiInputMessage& message, uint32_t timestamp);
  MMRESULT SendLongMessage(HMIDIOUT handle, MIDIHDR* header);
  void CompleteSend(uint64_t handle, uint64_t sequence, const MidiSendOutcome& outcome);

  void Deliver(MidiDelivery& delivery);
  void DeliverInputMessage(const MidiDelivery& delivery);
  void DeliverSystemExclusive(const MidiDelivery& delivery);
  void DeliverOutputMessage(const MidiDelivery& delivery);
  void DeliverSendCompleted(const MidiDelivery& delivery);

  std::shared_ptr<MidiBackend> mBackend;
  std::mutex mMutex;  // guards what follows; never held while calling the backend or a client
  std::vector<MidiPortDescription> mInputPorts;
  std::vector<MidiPortDescription> mOutputPorts;
  bool mInputsListed = false;
  bool mOutputsListed = false;
  uint64_t mLastHandleNumber = 0;
  std::map<uint64_t, std::unique_ptr<Input>> mInputs;
  std::map<uint64_t, std::unique_ptr<Output>> mOutputs;
  std::unique_ptr<MidiCallbackDispatcher> mDispatcher;
};

}  // namespace Platform::Midi
