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
class RtMidiPark;

// The ports of one Linux MIDI system (ALSA or JACK) as RtMidi sees them. When the
// system cannot be reached (no ALSA sequencer, no JACK server) it simply has no
// ports, and it is tried again at the next look; nothing is printed. Our own
// client's ports are left out. Looks go through one long-lived client of the system
// (JACK: the server watch; ALSA: RtMidi's listers) and make no client of their own;
// a closed JACK connection leaves its RtMidi client parked for the next open
// (RtMidiPark). Every operation may be called from any thread.
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
  bool ReachJack();
  bool ReachAlsa();
  void Forget();
  std::vector<std::string> ListNames(bool inputs) const;
  bool IsOwnPort(const std::string& rawName) const;
  void WaitForConnection() const;
  std::vector<std::string> OwnPortsConnectedTo(const std::string& rawName) const;
  // Opens a connection of type Opened on the peer's port `rawName` over the end that
  // `take` gives (a parked one, or a new one) and `open` opens, and watches it; the
  // shared steps of OpenInput and OpenOutput.
  template <typename Opened, typename Interface, typename Take, typename Open>
  MMRESULT OpenConnection(const std::string& rawName, Take take, Open open, std::unique_ptr<Interface>& connection);
  template <typename Connection>
  void WatchConnection(Connection& connection, const std::string& rawName,
                       const std::vector<std::string>& ownPortsBefore) const;
  template <typename Lister>
  std::vector<std::string> NamesOf(Lister& lister) const;

  const MidiPortApi mApi;
  const std::string mClientName;
  std::mutex mMutex;  // guards what follows and serialises the use of RtMidi
  std::shared_ptr<const JackServerWatch> mJackWatch;  // shared with the JACK connections
  std::shared_ptr<RtMidiPark> mPark;                  // set while the system is reached
  std::unique_ptr<RtMidiIn> mInputLister;              // ALSA only
  std::unique_ptr<RtMidiOut> mOutputLister;            // ALSA only
};

}  // namespace Platform::Midi
