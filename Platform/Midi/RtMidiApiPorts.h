#pragma once
#include "Platform/Midi/MidiBackend.h"
#include "Platform/Midi/MidiPortNaming.h"

#include <chrono>
#include <functional>
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

// When a JACK server that did not answer is asked for again.
struct JackRetry {
  std::chrono::milliseconds interval{5000};
  std::function<std::chrono::steady_clock::time_point()> now;  // the steady clock when empty
};

// The ports of one Linux MIDI system (ALSA or JACK) as RtMidi sees them. When the
// system cannot be reached (no ALSA sequencer, no JACK server) it simply has no
// ports, and it is tried again at the next look; nothing is printed. Our own
// client's ports are left out. Looks go through one long-lived client of the system
// (JACK: the server watch; ALSA: RtMidi's listers) and make no client of their own;
// a closed JACK connection leaves its RtMidi client parked for the next open
// (RtMidiPark). A JACK server that did not answer is asked again only once the retry
// interval has passed: an attempt costs the JACK library milliseconds of set-up, and
// looks come twice a second. Every operation may be called from any thread.
class RtMidiApiPorts {
public:
  RtMidiApiPorts(MidiPortApi api, std::string clientName, JackRetry jackRetry = {});
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
  bool ReachJackWhenDue();
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
  const JackRetry mJackRetry;
  std::mutex mMutex;  // guards what follows and serialises the use of RtMidi
  std::optional<std::chrono::steady_clock::time_point> mNextJackAttempt;  // none: at once
  std::shared_ptr<const JackServerWatch> mJackWatch;  // shared with the JACK connections
  std::shared_ptr<RtMidiPark> mPark;                  // set while the system is reached
  std::unique_ptr<RtMidiIn> mInputLister;              // ALSA only
  std::unique_ptr<RtMidiOut> mOutputLister;            // ALSA only
};

}  // namespace Platform::Midi
