#pragma once
#include "Platform/Midi/MidiBackend.h"
#include "Platform/Midi/MidiServices.h"

#include <chrono>
#include <condition_variable>
#include <memory>
#include <mutex>

namespace Testing::Midi {

// Makes MIDI services whose destruction a test can wait for. Services over RtMidi
// hold JACK clients, and they are often let go last on a worker thread of the port
// manager; a test must not stop its JACK server (or start the next one) until their
// destructor has closed those clients, which is later than the moment a weak
// pointer to them reads as expired. Make is for the test's thread, once per watch;
// WaitUntilDestroyed for any thread.
class MidiServicesWatch {
public:
  MidiServicesWatch();

  // New services over the backend, watched by this object.
  std::shared_ptr<Platform::Midi::MidiServices> Make(std::shared_ptr<Platform::Midi::MidiBackend> backend);

  // Waits until the services made by Make have been destroyed, on whichever thread
  // let them go last, at most the limit; true when they have been (or none were made).
  bool WaitUntilDestroyed(std::chrono::milliseconds limit) const;

private:
  struct State {
    std::mutex mutex;
    std::condition_variable changed;
    bool made = false;
    bool destroyed = false;
  };

  std::shared_ptr<State> mState;  // shared with the services' deleter
};

}  // namespace Testing::Midi
