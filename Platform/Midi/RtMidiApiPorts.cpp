#include "Platform/Midi/RtMidiApiPorts.h"

#include "Platform/Midi/JackServerWatch.h"

#include <RtMidi.h>
#include <alsa/asoundlib.h>

#include <atomic>
#include <cstdarg>

namespace Platform::Midi {
namespace {

constexpr const char* kInputPortName = "input";
constexpr const char* kOutputPortName = "output";
// The longest wait, after opening a JACK port, for its connection to take effect.
constexpr std::chrono::milliseconds kConnectionLimit{500};
// Between a JACK port's name and its stamp in its identity.
constexpr char kStampSeparator = '#';

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

private:
  RtMidiErrorFlag mErrors;
  RtMidiOut mPort;
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

// A port that goes between RtMidi's list and the look at its stamp is left out.
template <typename Lister>
std::vector<RtMidiApiPorts::ListedPort> RtMidiApiPorts::PortsOf(Lister& lister) const {
  std::vector<ListedPort> ports;
  const unsigned int count = lister.getPortCount();
  for (unsigned int number = 0; number < count; ++number) {
    std::string name = lister.getPortName(number);
    if (name.empty() || IsOwnPort(name)) continue;
    std::optional<std::string> identity = IdentityOf(name);
    if (identity) ports.push_back({std::move(name), std::move(*identity)});
  }
  return ports;
}

// Under the lock, with the system reached.
std::optional<std::string> RtMidiApiPorts::IdentityOf(const std::string& rawName) const {
  if (mApi == MidiPortApi::Alsa) return rawName;
  if (!mJackWatch) return std::nullopt;
  const std::optional<std::string> stamp = mJackWatch->PortStamp(rawName);
  if (!stamp) return std::nullopt;
  return rawName + kStampSeparator + *stamp;
}

// RtMidi's name of the port of that identity when that very port is there; under
// the lock, with the system reached.
std::optional<std::string> RtMidiApiPorts::RawNameOf(const std::string& identity) const {
  if (mApi == MidiPortApi::Alsa) return identity;
  const size_t separator = identity.rfind(kStampSeparator);
  if (separator == std::string::npos) return std::nullopt;
  std::string rawName = identity.substr(0, separator);
  if (IdentityOf(rawName) != identity) return std::nullopt;
  return rawName;
}

std::optional<std::vector<RtMidiApiPorts::ListedPort>> RtMidiApiPorts::ListInputs() {
  std::lock_guard lock(mMutex);
  if (!Reach()) return std::nullopt;
  return PortsOf(*mInputLister);
}

std::optional<std::vector<RtMidiApiPorts::ListedPort>> RtMidiApiPorts::ListOutputs() {
  std::lock_guard lock(mMutex);
  if (!Reach()) return std::nullopt;
  return PortsOf(*mOutputLister);
}

MMRESULT RtMidiApiPorts::OpenInput(const std::string& identity, MidiInputSink& sink,
                                   std::unique_ptr<MidiInputConnection>& connection) {
  std::lock_guard lock(mMutex);
  if (!Reach()) return MMSYSERR_NODRIVER;
  const std::optional<std::string> rawName = RawNameOf(identity);
  if (!rawName) return MMSYSERR_NODRIVER;
  try {
    auto opened = std::make_unique<RtMidiInputConnection>(mApi, mClientName, sink);
    const MMRESULT result = opened->Open(*rawName);
    if (result != MMSYSERR_NOERROR) return result;
    WaitForConnection();
    connection = std::move(opened);
    return MMSYSERR_NOERROR;
  } catch (const RtMidiError&) {
    return MMSYSERR_ERROR;
  }
}

void RtMidiApiPorts::WaitForConnection() const {
  if (mJackWatch) mJackWatch->WaitForNextCycle(kConnectionLimit);
}

MMRESULT RtMidiApiPorts::OpenOutput(const std::string& identity,
                                    std::unique_ptr<MidiOutputConnection>& connection) {
  std::lock_guard lock(mMutex);
  if (!Reach()) return MMSYSERR_NODRIVER;
  const std::optional<std::string> rawName = RawNameOf(identity);
  if (!rawName) return MMSYSERR_NODRIVER;
  try {
    auto opened = std::make_unique<RtMidiOutputConnection>(mApi, mClientName);
    const MMRESULT result = opened->Open(*rawName);
    if (result != MMSYSERR_NOERROR) return result;
    WaitForConnection();
    connection = std::move(opened);
    return MMSYSERR_NOERROR;
  } catch (const RtMidiError&) {
    return MMSYSERR_ERROR;
  }
}

}  // namespace Platform::Midi
