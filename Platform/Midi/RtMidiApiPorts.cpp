#include "Platform/Midi/RtMidiApiPorts.h"

#include "Platform/Midi/JackServerWatch.h"
#include "Platform/Midi/RtMidiEnd.h"
#include "Platform/Midi/RtMidiPark.h"

#include <RtMidi.h>
#include <alsa/asoundlib.h>

#include <algorithm>
#include <cstdarg>

namespace Platform::Midi {
namespace {

// The longest wait, after opening a JACK port, for its connection to take effect.
constexpr std::chrono::milliseconds kConnectionLimit{500};

void IgnoreAlsaMessage(const char*, int, const char*, int, const char*, ...) {}

// Whether the ALSA sequencer can be opened, asked without a word on the terminal.
bool AlsaSequencerOpens() {
  static std::once_flag silenced;
  std::call_once(silenced, [] { snd_lib_error_set_handler(IgnoreAlsaMessage); });
  snd_seq_t* sequencer = nullptr;
  if (snd_seq_open(&sequencer, "default", SND_SEQ_OPEN_DUPLEX, 0) < 0) return false;
  snd_seq_close(sequencer);
  return true;
}

// What tells whether a JACK connection still stands: our port and the peer's, by
// their full names, still connected. JACK keeps a port's name when its client leaves
// and comes back under the same name, but the connections to the old port are gone.
// Without a watch (ALSA, or our port not found) the connection counts as standing.
class ConnectionWatch {
public:
  void Set(std::shared_ptr<const JackServerWatch> watch, std::string ownPort, std::string peerPort) {
    mWatch = std::move(watch);
    mOwnPort = std::move(ownPort);
    mPeerPort = std::move(peerPort);
  }
  bool Stands() const {
    if (!mWatch) return true;
    return !mWatch->ServerGone() && mWatch->AreConnected(mOwnPort, mPeerPort);
  }

private:
  std::shared_ptr<const JackServerWatch> mWatch;
  std::string mOwnPort;
  std::string mPeerPort;
};

// An open port over an RtMidi end; closing it hands the end back to the park.
template <typename End, typename Interface>
class RtMidiConnection : public Interface {
public:
  RtMidiConnection(std::shared_ptr<RtMidiPark> park, std::unique_ptr<End> end)
      : mPark(std::move(park)), mEnd(std::move(end)) {}
  ~RtMidiConnection() override { mPark->Park(std::move(mEnd)); }

  bool IsConnected() const override { return mWatch.Stands(); }
  ConnectionWatch& Watch() { return mWatch; }

protected:
  std::shared_ptr<RtMidiPark> mPark;
  std::unique_ptr<End> mEnd;
  ConnectionWatch mWatch;
};

using RtMidiInputConnection = RtMidiConnection<RtMidiInputEnd, MidiInputConnection>;

class RtMidiOutputConnection final : public RtMidiConnection<RtMidiOutputEnd, MidiOutputConnection> {
public:
  using RtMidiConnection::RtMidiConnection;
  MidiSendOutcome Send(const uint8_t* bytes, size_t count) override { return mEnd->Send(bytes, count); }
};

}  // namespace

RtMidiApiPorts::RtMidiApiPorts(MidiPortApi api, std::string clientName, JackRetry jackRetry)
    : mApi(api), mClientName(std::move(clientName)), mJackRetry(std::move(jackRetry)) {}

RtMidiApiPorts::~RtMidiApiPorts() = default;

// Sets up what looks and opens need while the system can be reached; forgets it when
// the JACK server it was set up on has gone.
bool RtMidiApiPorts::Reach() {
  if (mJackWatch && mJackWatch->ServerGone()) Forget();
  if (mPark) return true;
  return mApi == MidiPortApi::Jack ? ReachJackWhenDue() : ReachAlsa();
}

// A server that has gone is asked for again at once; one that did not answer, after
// the retry interval.
bool RtMidiApiPorts::ReachJackWhenDue() {
  const auto now = mJackRetry.now ? mJackRetry.now() : std::chrono::steady_clock::now();
  if (mNextJackAttempt && now < *mNextJackAttempt) return false;
  const bool reached = ReachJack();
  mNextJackAttempt = reached ? std::nullopt : std::optional(now + mJackRetry.interval);
  return reached;
}

bool RtMidiApiPorts::ReachJack() {
  mJackWatch = JackServerWatch::Connect(mClientName);
  if (!mJackWatch) return false;
  mPark = std::make_shared<RtMidiPark>(mJackWatch);
  return true;
}

bool RtMidiApiPorts::ReachAlsa() {
  if (!AlsaSequencerOpens()) return false;
  try {
    mInputLister = std::make_unique<RtMidiIn>(RtMidi::LINUX_ALSA, mClientName);
    mOutputLister = std::make_unique<RtMidiOut>(RtMidi::LINUX_ALSA, mClientName);
  } catch (const RtMidiError&) {
    Forget();
    return false;
  }
  static RtMidiErrorFlag ignored;
  ignored.Attach(*mInputLister);
  ignored.Attach(*mOutputLister);
  mPark = std::make_shared<RtMidiPark>(nullptr);
  return true;
}

void RtMidiApiPorts::Forget() {
  mInputLister.reset();
  mOutputLister.reset();
  mPark.reset();
  mJackWatch.reset();
}

bool RtMidiApiPorts::IsOwnPort(const std::string& rawName) const {
  const std::string client = MidiPortNaming::ClientOf(rawName);
  // JACK makes a second client of the same name unique with "-01", "-02", ...
  return client == mClientName || client.rfind(mClientName + "-", 0) == 0;
}

template <typename Lister>
std::vector<std::string> RtMidiApiPorts::NamesOf(Lister& lister) const {
  std::vector<std::string> names;
  const unsigned int count = lister.getPortCount();
  for (unsigned int number = 0; number < count; ++number) names.push_back(lister.getPortName(number));
  return names;
}

// Under the lock, with the system reached.
std::vector<std::string> RtMidiApiPorts::ListNames(bool inputs) const {
  std::vector<std::string> names;
  if (mJackWatch) {
    names = mJackWatch->MidiPortNames(inputs);
  } else {
    names = inputs ? NamesOf(*mInputLister) : NamesOf(*mOutputLister);
  }
  std::erase_if(names, [this](const std::string& name) { return name.empty() || IsOwnPort(name); });
  return names;
}

std::optional<std::vector<std::string>> RtMidiApiPorts::ListInputNames() {
  std::lock_guard lock(mMutex);
  if (!Reach()) return std::nullopt;
  return ListNames(true);
}

std::optional<std::vector<std::string>> RtMidiApiPorts::ListOutputNames() {
  std::lock_guard lock(mMutex);
  if (!Reach()) return std::nullopt;
  return ListNames(false);
}

template <typename Opened, typename Interface, typename Take, typename Open>
MMRESULT RtMidiApiPorts::OpenConnection(const std::string& rawName, Take take, Open open,
                                        std::unique_ptr<Interface>& connection) {
  std::lock_guard lock(mMutex);
  if (!Reach()) return MMSYSERR_NODRIVER;
  try {
    const std::vector<std::string> ownPortsBefore = OwnPortsConnectedTo(rawName);
    auto end = take(*mPark);
    const MMRESULT result = open(*end);
    // Made also when the open failed: its destructor parks the end.
    auto opened = std::make_unique<Opened>(mPark, std::move(end));
    if (result != MMSYSERR_NOERROR) return result;
    WaitForConnection();
    WatchConnection(*opened, rawName, ownPortsBefore);
    connection = std::move(opened);
    return MMSYSERR_NOERROR;
  } catch (const RtMidiError&) {
    return MMSYSERR_ERROR;
  }
}

MMRESULT RtMidiApiPorts::OpenInput(const std::string& rawName, MidiInputSink& sink,
                                   std::unique_ptr<MidiInputConnection>& connection) {
  return OpenConnection<RtMidiInputConnection>(
      rawName,
      [&](RtMidiPark& park) {
        std::unique_ptr<RtMidiInputEnd> end = park.TakeInput();
        return end ? std::move(end) : std::make_unique<RtMidiInputEnd>(mApi, mClientName);
      },
      [&](RtMidiInputEnd& end) { return end.Open(rawName, sink); }, connection);
}

MMRESULT RtMidiApiPorts::OpenOutput(const std::string& rawName,
                                    std::unique_ptr<MidiOutputConnection>& connection) {
  return OpenConnection<RtMidiOutputConnection>(
      rawName,
      [&](RtMidiPark& park) {
        std::unique_ptr<RtMidiOutputEnd> end = park.TakeOutput();
        return end ? std::move(end) : std::make_unique<RtMidiOutputEnd>(mApi, mClientName);
      },
      [&](RtMidiOutputEnd& end) { return end.Open(rawName); }, connection);
}

void RtMidiApiPorts::WaitForConnection() const {
  if (mJackWatch) mJackWatch->WaitForNextCycle(kConnectionLimit);
}

// Our ports connected to the peer's port now (JACK only; under the lock).
std::vector<std::string> RtMidiApiPorts::OwnPortsConnectedTo(const std::string& rawName) const {
  if (!mJackWatch) return {};
  std::vector<std::string> ports = mJackWatch->ConnectionsOf(rawName);
  std::erase_if(ports, [this](const std::string& port) { return !IsOwnPort(port); });
  return ports;
}

// RtMidi does not tell the name of the port it made: it is the one of ours that the
// open connected to the peer's port. Opens run one at a time under the lock, so
// exactly one such port is new; otherwise the connection goes unwatched.
template <typename Connection>
void RtMidiApiPorts::WatchConnection(Connection& connection, const std::string& rawName,
                                     const std::vector<std::string>& ownPortsBefore) const {
  if (!mJackWatch) return;
  std::vector<std::string> added = OwnPortsConnectedTo(rawName);
  std::erase_if(added, [&](const std::string& port) {
    return std::find(ownPortsBefore.begin(), ownPortsBefore.end(), port) != ownPortsBefore.end();
  });
  if (added.size() == 1) connection.Watch().Set(mJackWatch, added.front(), rawName);
}

}  // namespace Platform::Midi
