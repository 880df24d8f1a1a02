#include "Platform/Midi/RtMidiApiPorts.h"

#include "Platform/Midi/JackServerWatch.h"

#include <RtMidi.h>
#include <alsa/asoundlib.h>

#include <algorithm>
#include <atomic>
#include <cstdarg>

namespace Platform::Midi {
namespace {

constexpr const char* kInputPortName = "input";
constexpr const char* kOutputPortName = "output";
// The longest wait, after opening a JACK port, for its connection to take effect.
constexpr std::chrono::milliseconds kConnectionLimit{500};

RtMidi::Api ToRtMidiApi(MidiPortApi api) {
  return api == MidiPortApi::Alsa ? RtMidi::LINUX_ALSA : RtMidi::UNIX_JACK;
}

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

// Receives RtMidi's errors instead of the terminal, and remembers that one came.
class RtMidiErrorFlag {
public:
  template <typename Port>
  void Attach(Port& port) { port.setErrorCallback(&RtMidiErrorFlag::OnError, this); }
  void Clear() { mRaised.store(false); }
  bool Raised() const { return mRaised.load(); }

private:
  static void OnError(RtMidiError::Type type, const std::string&, void* flag) {
    if (type != RtMidiError::DEBUG_WARNING) static_cast<RtMidiErrorFlag*>(flag)->mRaised.store(true);
  }
  std::atomic<bool> mRaised{false};
};

template <typename Port>
std::optional<unsigned int> FindPortNumber(Port& port, const std::string& rawName) {
  const unsigned int count = port.getPortCount();
  for (unsigned int number = 0; number < count; ++number) {
    if (port.getPortName(number) == rawName) return number;
  }
  return std::nullopt;
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

class RtMidiInputConnection final : public MidiInputConnection {
public:
  RtMidiInputConnection(MidiPortApi api, const std::string& clientName, MidiInputSink& sink)
      : mPort(ToRtMidiApi(api), clientName), mSink(sink) {
    mErrors.Attach(mPort);
    mPort.ignoreTypes(false, false, false);
    mPort.setCallback(&RtMidiInputConnection::OnMessage, &mSink);
  }

  MMRESULT Open(const std::string& rawName) {
    const std::optional<unsigned int> number = FindPortNumber(mPort, rawName);
    if (!number) return MMSYSERR_NODRIVER;
    mPort.openPort(*number, kInputPortName);
    return mPort.isPortOpen() && !mErrors.Raised() ? MMSYSERR_NOERROR : MMSYSERR_ERROR;
  }

  bool IsConnected() const override { return mWatch.Stands(); }
  ConnectionWatch& Watch() { return mWatch; }

private:
  // On RtMidi's thread: hands the bytes on; the sink only queues them.
  static void OnMessage(double, std::vector<unsigned char>* message, void* sink) {
    if (message != nullptr && !message->empty()) {
      static_cast<MidiInputSink*>(sink)->OnMidiInput(message->data(), message->size());
    }
  }

  RtMidiErrorFlag mErrors;
  RtMidiIn mPort;
  MidiInputSink& mSink;
  ConnectionWatch mWatch;
};

class RtMidiOutputConnection final : public MidiOutputConnection {
public:
  RtMidiOutputConnection(MidiPortApi api, const std::string& clientName)
      : mPort(ToRtMidiApi(api), clientName) {
    mErrors.Attach(mPort);
  }

  MMRESULT Open(const std::string& rawName) {
    const std::optional<unsigned int> number = FindPortNumber(mPort, rawName);
    if (!number) return MMSYSERR_NODRIVER;
    mPort.openPort(*number, kOutputPortName);
    return mPort.isPortOpen() && !mErrors.Raised() ? MMSYSERR_NOERROR : MMSYSERR_ERROR;
  }

  // RtMidi hands the message to the system before it returns: sent at once.
  MidiSendOutcome Send(const uint8_t* bytes, size_t count) override {
    mErrors.Clear();
    mPort.sendMessage(bytes, count);
    return {mErrors.Raised() ? MMSYSERR_ERROR : MMSYSERR_NOERROR};
  }

  bool IsConnected() const override { return mWatch.Stands(); }
  ConnectionWatch& Watch() { return mWatch; }

private:
  RtMidiErrorFlag mErrors;
  RtMidiOut mPort;
  ConnectionWatch mWatch;
};

}  // namespace

RtMidiApiPorts::RtMidiApiPorts(MidiPortApi api, std::string clientName)
    : mApi(api), mClientName(std::move(clientName)) {}

RtMidiApiPorts::~RtMidiApiPorts() = default;

bool RtMidiApiPorts::SystemAnswers() {
  if (mApi == MidiPortApi::Alsa) return AlsaSequencerOpens();
  mJackWatch = JackServerWatch::Connect(mClientName);
  return mJackWatch != nullptr;
}

// Makes the listers when the system can be reached; drops them when the JACK
// server they were made on has gone.
bool RtMidiApiPorts::Reach() {
  if (mJackWatch && mJackWatch->ServerGone()) {
    mInputLister.reset();
    mOutputLister.reset();
    mJackWatch.reset();
  }
  if (mInputLister && mOutputLister) return true;
  if (!SystemAnswers()) return false;
  try {
    mInputLister = std::make_unique<RtMidiIn>(ToRtMidiApi(mApi), mClientName);
    mOutputLister = std::make_unique<RtMidiOut>(ToRtMidiApi(mApi), mClientName);
  } catch (const RtMidiError&) {
    mInputLister.reset();
    mOutputLister.reset();
    return false;
  }
  static RtMidiErrorFlag ignored;
  ignored.Attach(*mInputLister);
  ignored.Attach(*mOutputLister);
  return true;
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
  for (unsigned int number = 0; number < count; ++number) {
    std::string name = lister.getPortName(number);
    if (!name.empty() && !IsOwnPort(name)) names.push_back(std::move(name));
  }
  return names;
}

std::optional<std::vector<std::string>> RtMidiApiPorts::ListInputNames() {
  std::lock_guard lock(mMutex);
  if (!Reach()) return std::nullopt;
  return NamesOf(*mInputLister);
}

std::optional<std::vector<std::string>> RtMidiApiPorts::ListOutputNames() {
  std::lock_guard lock(mMutex);
  if (!Reach()) return std::nullopt;
  return NamesOf(*mOutputLister);
}

template <typename Opened, typename Interface, typename Make>
MMRESULT RtMidiApiPorts::OpenConnection(const std::string& rawName, Make make,
                                        std::unique_ptr<Interface>& connection) {
  std::lock_guard lock(mMutex);
  if (!Reach()) return MMSYSERR_NODRIVER;
  try {
    const std::vector<std::string> ownPortsBefore = OwnPortsConnectedTo(rawName);
    std::unique_ptr<Opened> opened = make();
    const MMRESULT result = opened->Open(rawName);
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
      rawName, [&] { return std::make_unique<RtMidiInputConnection>(mApi, mClientName, sink); }, connection);
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

MMRESULT RtMidiApiPorts::OpenOutput(const std::string& rawName,
                                    std::unique_ptr<MidiOutputConnection>& connection) {
  return OpenConnection<RtMidiOutputConnection>(
      rawName, [&] { return std::make_unique<RtMidiOutputConnection>(mApi, mClientName); }, connection);
}

}  // namespace Platform::Midi
