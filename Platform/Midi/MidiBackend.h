#pragma once
#include "Platform/Midi/MidiDefinitions.h"

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace Platform::Midi {

// A port a backend found: an identity that names this port as long as it exists (a
// port that goes and comes back may come back under a new identity, or under the
// same one, when the connections opened on the old port say that they have dropped),
// and the name the user sees.
struct MidiPortDescription {
  std::string identity;
  std::u16string name;
};

// Receives what an open input port delivers, on the backend's own thread.
class MidiInputSink {
public:
  // Bytes as the port delivered them: whole messages or pieces of them.
  virtual void OnMidiInput(const uint8_t* bytes, size_t count) = 0;

protected:
  ~MidiInputSink() = default;
};

// An open input port. Destroying it closes the port; once the destructor has
// returned the sink is called no more.
class MidiInputConnection {
public:
  virtual ~MidiInputConnection() = default;
  // Whether the connection to the port still stands. A system where a port can go
  // and another come back under its name (JACK) answers here that the old
  // connection has dropped. Any thread; quick, and it never calls back.
  virtual bool IsConnected() const { return true; }
};

// When a long message that a backend accepted counts as sent.
enum class MidiSendCompletion { Immediate, Delayed, Never };

struct MidiSendOutcome {
  MMRESULT result = MMSYSERR_NOERROR;
  MidiSendCompletion completion = MidiSendCompletion::Immediate;
  std::chrono::milliseconds delay{0};  // for Delayed
};

// An open output port. Destroying it closes the port.
class MidiOutputConnection {
public:
  virtual ~MidiOutputConnection() = default;
  // Sends one whole message (short or System Exclusive). May be called from any
  // thread, one call at a time per connection.
  virtual MidiSendOutcome Send(const uint8_t* bytes, size_t count) = 0;
  // As MidiInputConnection::IsConnected.
  virtual bool IsConnected() const { return true; }
};

// The MIDI system under a MidiServices: which ports are there, and opening them.
// Every operation may be called from any thread; a MidiServices never holds its
// own lock while it calls one.
class MidiBackend {
public:
  virtual ~MidiBackend() = default;

  // The ports there now, asked afresh, in a stable order.
  virtual std::vector<MidiPortDescription> ListInputs() = 0;
  virtual std::vector<MidiPortDescription> ListOutputs() = 0;

  // Opens the port of that identity; MMSYSERR_NODRIVER when it is no longer there.
  virtual MMRESULT OpenInput(const std::string& identity, MidiInputSink& sink,
                             std::unique_ptr<MidiInputConnection>& connection) = 0;
  virtual MMRESULT OpenOutput(const std::string& identity,
                              std::unique_ptr<MidiOutputConnection>& connection) = 0;

  // Called before every service call; a result other than MMSYSERR_NOERROR makes
  // the call fail with it, untried. (The fake backend injects failures here.)
  virtual MMRESULT BeforeCall(MidiCall call) { return MMSYSERR_NOERROR; }
  // Called after every service call with its result (a count for the GetNumDevs
  // calls).
  virtual void AfterCall(MidiCall call, uint32_t result) {}
};

}  // namespace Platform::Midi
