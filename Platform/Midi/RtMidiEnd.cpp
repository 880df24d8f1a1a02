#include "Platform/Midi/RtMidiEnd.h"

#include "Platform/Midi/JackClientLock.h"

#include <optional>

namespace Platform::Midi {
namespace {

constexpr const char* kInputPortName = "input";
constexpr const char* kOutputPortName = "output";

RtMidi::Api ToRtMidiApi(MidiPortApi api) {
  return api == MidiPortApi::Alsa ? RtMidi::LINUX_ALSA : RtMidi::UNIX_JACK;
}

// RtMidi opens a JACK client when it makes a port object, and closes it when it
// destroys one.
template <typename Port>
std::unique_ptr<Port> MakePort(MidiPortApi api, const std::string& clientName) {
  std::lock_guard lock(JackClientLock());
  return std::make_unique<Port>(ToRtMidiApi(api), clientName);
}

template <typename Port>
void DestroyPort(std::unique_ptr<Port>& port) {
  std::lock_guard lock(JackClientLock());
  port.reset();
}

template <typename Port>
std::optional<unsigned int> FindPortNumber(Port& port, const std::string& rawName) {
  const unsigned int count = port.getPortCount();
  for (unsigned int number = 0; number < count; ++number) {
    if (port.getPortName(number) == rawName) return number;
  }
  return std::nullopt;
}

template <typename Port>
MMRESULT OpenByName(Port& port, RtMidiErrorFlag& errors, const std::string& rawName, const char* ownPortName) {
  // Looking for the port may already open RtMidi's client.
  std::lock_guard lock(JackClientLock());
  const std::optional<unsigned int> number = FindPortNumber(port, rawName);
  if (!number) return MMSYSERR_NODRIVER;
  errors.Clear();
  port.openPort(*number, ownPortName);
  return port.isPortOpen() && !errors.Raised() ? MMSYSERR_NOERROR : MMSYSERR_ERROR;
}

}  // namespace

void RtMidiErrorFlag::OnError(RtMidiError::Type type, const std::string&, void* flag) {
  if (type != RtMidiError::DEBUG_WARNING) static_cast<RtMidiErrorFlag*>(flag)->mRaised.store(true);
}

RtMidiInputEnd::RtMidiInputEnd(MidiPortApi api, const std::string& clientName)
    : mPort(MakePort<RtMidiIn>(api, clientName)) {
  mErrors.Attach(*mPort);
  mPort->ignoreTypes(false, false, false);
  mPort->setCallback(&RtMidiInputEnd::OnMessage, this);
}

RtMidiInputEnd::~RtMidiInputEnd() { DestroyPort(mPort); }

MMRESULT RtMidiInputEnd::Open(const std::string& rawName, MidiInputSink& sink) {
  {
    std::lock_guard lock(mSinkMutex);
    mSink = &sink;
  }
  const MMRESULT result = OpenByName(*mPort, mErrors, rawName, kInputPortName);
  if (result != MMSYSERR_NOERROR) Close();
  return result;
}

void RtMidiInputEnd::Close() {
  {
    std::lock_guard lock(mSinkMutex);
    mSink = nullptr;
  }
  std::lock_guard lock(JackClientLock());
  mPort->closePort();
}

// On RtMidi's thread: hands the bytes on; the sink only queues them.
void RtMidiInputEnd::OnMessage(double, std::vector<unsigned char>* message, void* end) {
  if (message == nullptr || message->empty()) return;
  auto* self = static_cast<RtMidiInputEnd*>(end);
  std::lock_guard lock(self->mSinkMutex);
  if (self->mSink != nullptr) self->mSink->OnMidiInput(message->data(), message->size());
}

RtMidiOutputEnd::RtMidiOutputEnd(MidiPortApi api, const std::string& clientName)
    : mPort(MakePort<RtMidiOut>(api, clientName)) {
  mErrors.Attach(*mPort);
}

RtMidiOutputEnd::~RtMidiOutputEnd() { DestroyPort(mPort); }

MMRESULT RtMidiOutputEnd::Open(const std::string& rawName) {
  const MMRESULT result = OpenByName(*mPort, mErrors, rawName, kOutputPortName);
  if (result != MMSYSERR_NOERROR) Close();
  return result;
}

MidiSendOutcome RtMidiOutputEnd::Send(const uint8_t* bytes, size_t count) {
  mErrors.Clear();
  mPort->sendMessage(bytes, count);
  return {mErrors.Raised() ? MMSYSERR_ERROR : MMSYSERR_NOERROR};
}

void RtMidiOutputEnd::Close() {
  std::lock_guard lock(JackClientLock());
  mPort->closePort();
}

}  // namespace Platform::Midi
