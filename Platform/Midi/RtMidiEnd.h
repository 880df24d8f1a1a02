#pragma once
#include "Platform/Midi/MidiBackend.h"
#include "Platform/Midi/MidiPortNaming.h"

#include <RtMidi.h>

#include <atomic>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

namespace Platform::Midi {

// Receives RtMidi's errors instead of the terminal, and remembers that one came.
class RtMidiErrorFlag {
public:
  template <typename Port>
  void Attach(Port& port) { port.setErrorCallback(&RtMidiErrorFlag::OnError, this); }
  void Clear() { mRaised.store(false); }
  bool Raised() const { return mRaised.load(); }

private:
  static void OnError(RtMidiError::Type type, const std::string&, void* flag);
  std::atomic<bool> mRaised{false};
};

// One RtMidi input object with what must live as long as it: its error flag, and the
// sink its callback (set once: RtMidi takes no second one) hands the bytes to. Opened
// and closed again any number of times; a closed end is called back no more.
// Open and Close are for one thread at a time; the callback comes on RtMidi's thread.
// Making, opening, closing and destroying the end take JackClientLock (RtMidi opens
// and closes JACK clients there): call them without holding it.
class RtMidiInputEnd {
public:
  // Throws RtMidiError when the system cannot be reached.
  RtMidiInputEnd(MidiPortApi api, const std::string& clientName);
  ~RtMidiInputEnd();
  RtMidiInputEnd(const RtMidiInputEnd&) = delete;
  RtMidiInputEnd& operator=(const RtMidiInputEnd&) = delete;

  // Opens our port "input" on the peer's port of that RtMidi name, delivering to the
  // sink: MMSYSERR_NODRIVER when there is no such port.
  MMRESULT Open(const std::string& rawName, MidiInputSink& sink);
  // Closes the port; once it returns, the sink is called no more.
  void Close();

private:
  static void OnMessage(double, std::vector<unsigned char>* message, void* end);

  RtMidiErrorFlag mErrors;
  std::mutex mSinkMutex;  // held while the sink is called and while it changes
  MidiInputSink* mSink = nullptr;
  std::unique_ptr<RtMidiIn> mPort;  // destroyed first, and its callback with it
};

// One RtMidi output object with its error flag; opened and closed again any number of
// times. One thread at a time. Takes JackClientLock as RtMidiInputEnd does.
class RtMidiOutputEnd {
public:
  // Throws RtMidiError when the system cannot be reached.
  RtMidiOutputEnd(MidiPortApi api, const std::string& clientName);
  ~RtMidiOutputEnd();
  RtMidiOutputEnd(const RtMidiOutputEnd&) = delete;
  RtMidiOutputEnd& operator=(const RtMidiOutputEnd&) = delete;

  // Opens our port "output" on the peer's port of that RtMidi name:
  // MMSYSERR_NODRIVER when there is no such port.
  MMRESULT Open(const std::string& rawName);
  // RtMidi hands the message to the system before it returns: sent at once.
  MidiSendOutcome Send(const uint8_t* bytes, size_t count);
  void Close();

private:
  RtMidiErrorFlag mErrors;
  std::unique_ptr<RtMidiOut> mPort;
};

}  // namespace Platform::Midi
