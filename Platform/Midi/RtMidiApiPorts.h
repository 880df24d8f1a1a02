#pragma once
#include "Platform/Midi/MidiBackend.h"
#include "Platform/Midi/MidiPortNaming.h"

#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

class RtMidiIn;
class RtMidiOut;

namespace Platform::Midi {

class JackServerWatch;

// The ports of one Linux MIDI system (ALSA or JACK) as RtMidi sees them. When the
// system cannot be reached (no ALSA sequencer, no JACK server) it simply has no
// ports, and it is tried again at the next look; nothing is printed. Our own
// client's ports are left out. Every operation may be called from any thread.
class RtMidiApiPorts {
public:
  RtMidiApiPorts(MidiPortApi api, std::string clientName);
  ~RtMidiApiPorts();
  RtMidiApiPorts(const RtMidiApiPorts&) = delete;
  RtMidiApiPorts& operator=(const RtMidiApiPorts&) = delete;

  // A port there now: RtMidi's name for it, and what names that very port within
  // this system as long as it exists. For ALSA that is the name itself, which
  // carries the client and port numbers; a JACK name does not change when its
  // client leaves and comes back, so a JACK port's identity adds its stamp
  // (JackServerWatch::PortStamp) after the last "#".
  struct ListedPort {
    std::string rawName;
    std::string identity;
  };

  MidiPortApi Api() const { return mApi; }

  // The ports there now; nothing when the system is not there.
  std::optional<std::vector<ListedPort>> ListInputs();
  std::optional<std::vector<ListedPort>> ListOutputs();

  // Opens the port of that identity; MMSYSERR_NODRIVER when it is not there (also
  // when another port has taken its name since it was listed).
  MMRESULT OpenInput(const std::string& identity, MidiInputSink& sink,
                     std::unique_ptr<MidiInputConnection>& connection);
  MMRESULT OpenOutput(const std::string& identity, std::unique_ptr<MidiOutputConnection>& connection);

private:
  bool Reach();
  bool SystemAnswers();
  bool IsOwnPort(const std::string& rawName) const;
  void WaitForConnection() const;
  template <typename Lister>
  std::vector<ListedPort> PortsOf(Lister& lister) const;
  std::optional<std::string> IdentityOf(const std::string& rawName) const;
  std::optional<std::string> RawNameOf(const std::string& identity) const;

  const MidiPortApi mApi;
  const std::string mClientName;
  std::mutex mMutex;  // guards what follows and serialises the use of RtMidi
  std::unique_ptr<JackServerWatch> mJackWatch;
  std::unique_ptr<RtMidiIn> mInputLister;
  std::unique_ptr<RtMidiOut> mOutputLister;
};

}  // namespace Platform::Midi
