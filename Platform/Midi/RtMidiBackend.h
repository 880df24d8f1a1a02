#pragma once
#include "Platform/Midi/MidiBackend.h"
#include "Platform/Midi/MidiPortNaming.h"
#include "Platform/Midi/RtMidiApiPorts.h"

#include <memory>
#include <string>
#include <vector>

namespace Platform::Midi {

// The MIDI ports of this machine through RtMidi: ALSA's and JACK's, in that order,
// under the names of MidiPortNaming. A system that cannot be reached has no ports
// (asked again at each look), and nothing is ever printed to the terminal: RtMidi's
// errors go to a callback, and the ALSA and JACK libraries' messages are silenced
// for the whole process. JACK's ALSA bridge ports are left out while ALSA is
// listed itself. Inputs deliver every kind of message, System Exclusive included. A
// JACK server started after a look that found none is found within the retry
// interval (5 s by default).
// Every operation may be called from any thread.
class RtMidiBackend : public MidiBackend {
public:
  struct Options {
    std::vector<MidiPortApi> apis{MidiPortApi::Alsa, MidiPortApi::Jack};
    // The name of our MIDI clients; our ports are "input" and "output" under it.
    std::string clientName = "Preset Editor";
    // When a JACK server that did not answer is asked for again.
    JackRetry jackRetry{};
  };

  // Throws std::invalid_argument when the client name contains "Corvex" in any
  // case: the controller's ports are found by that word, and ours must never be.
  explicit RtMidiBackend(Options options);
  RtMidiBackend();
  ~RtMidiBackend() override;

  std::vector<MidiPortDescription> ListInputs() override;
  std::vector<MidiPortDescription> ListOutputs() override;
  MMRESULT OpenInput(const std::string& identity, MidiInputSink& sink,
                     std::unique_ptr<MidiInputConnection>& connection) override;
  MMRESULT OpenOutput(const std::string& identity,
                      std::unique_ptr<MidiOutputConnection>& connection) override;

private:
  std::vector<MidiPortDescription> List(bool inputs);
  RtMidiApiPorts* ApiOf(const std::string& identity, std::string& rawName);

  std::vector<std::unique_ptr<RtMidiApiPorts>> mApis;
};

}  // namespace Platform::Midi
