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

  MidiPortApi Api() const { return mApi; }

  // RtMidi's names of the ports there now; nothing when the system is not there.
  std::optional<std::vector<std::string>> ListInputNames();
  std::optional<std::vector<std::string>> ListOutputNames();

  // Opens the port of that RtMidi name; MMSYSERR_NODRIVER when it is not there.
  MMRESULT OpenInput(const std::string& rawName, MidiInputSink& sink,
                     std::unique_ptr<MidiInputConnection>& connection);
  MMRESULT OpenOutput(const std::string& rawName, std::unique_ptr<MidiOutputConnection>& connection);

private:
  bool Reach();
  bool SystemAnswers();
  bool IsOwnPort(const std::string& rawName) const;
  void WaitForConnection() const;
  std::vector<std::string> OwnPortsConnectedTo(const std::string& rawName) const;
  // Opens the connection that `make` builds on the peer's port `rawName` and
  // watches it; the shared steps of OpenInput and OpenOutput.
  template <typename Opened, typename Interface, typename Make>
  MMRESULT OpenConnection(const std::string& rawName, Make make, std::unique_ptr<Interface>& connection);
  template <typename Connection>
  void WatchConnection(Connection& connection, const std::string& rawName,
                       const std::vector<std::string>& ownPortsBefore) const;
  template <typename Lister>
  std::vector<std::string> NamesOf(Lister& lister) const;

  const MidiPortApi mApi;
  const std::string mClientName;
  std::mutex mMutex;  // guards what follows and serialises the use of RtMidi
  std::shared_ptr<const JackServerWatch> mJackWatch;  // shared with the JACK connections
  std::unique_ptr<RtMidiIn> mInputLister;
  std::unique_ptr<RtMidiOut> mOutputLister;
};

}  // namespace Platform::Midi
