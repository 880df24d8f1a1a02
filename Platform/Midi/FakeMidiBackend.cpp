#include "Platform/Midi/FakeMidiBackend.h"

#include <algorithm>

namespace Platform::Midi {
namespace {

std::string IdentityOf(FakeMidiBackend::PortId port) { return "fake:" + std::to_string(port); }

}  // namespace

class FakeMidiBackend::InputConnection final : public MidiInputConnection {
public:
  InputConnection(FakeMidiBackend& backend, PortId port, MidiInputSink& sink)
      : mBackend(backend), mPort(port), mSink(sink) {}
  ~InputConnection() override { mBackend.Disconnect(this); }
  PortId Port() const { return mPort; }
  MidiInputSink& Sink() const { return mSink; }

private:
  FakeMidiBackend& mBackend;
  PortId mPort;
  MidiInputSink& mSink;
};

class FakeMidiBackend::OutputConnection final : public MidiOutputConnection {
public:
  OutputConnection(FakeMidiBackend& backend, PortId port) : mBackend(backend), mPort(port) {}
  ~OutputConnection() override { mBackend.DisconnectOutput(mPort); }
  MidiSendOutcome Send(const uint8_t* bytes, size_t count) override {
    return mBackend.Send(mPort, bytes, count);
  }

private:
  FakeMidiBackend& mBackend;
  PortId mPort;
};

FakeMidiBackend::PortId FakeMidiBackend::AddInputPort(std::u16string name) {
  return AddPort(std::move(name), true);
}

FakeMidiBackend::PortId FakeMidiBackend::AddOutputPort(std::u16string name) {
  return AddPort(std::move(name), false);
}

FakeMidiBackend::PortId FakeMidiBackend::AddPort(std::u16string name, bool isInput) {
  std::lock_guard lock(mMutex);
  mPorts.push_back({++mLastPortId, isInput, std::move(name)});
  return mLastPortId;
}

void FakeMidiBackend::RemovePort(PortId port) {
  std::lock_guard lock(mMutex);
  std::erase_if(mPorts, [&](const Port& entry) { return entry.id == port; });
}

void FakeMidiBackend::Inject(PortId port, const std::vector<uint8_t>& bytes) {
  std::lock_guard lock(mMutex);
  const bool present = std::any_of(mPorts.begin(), mPorts.end(),
                                   [&](const Port& entry) { return entry.id == port; });
  if (!present) return;
  const auto [first, last] = mInputConnections.equal_range(port);
  for (auto connection = first; connection != last; ++connection) {
    connection->second->Sink().OnMidiInput(bytes.data(), bytes.size());
  }
}

void FakeMidiBackend::InjectFailure(MidiCall call, MMRESULT result, int times) {
  std::lock_guard lock(mMutex);
  mFailures[call] = {result, times};
}

void FakeMidiBackend::ClearFailures() {
  std::lock_guard lock(mMutex);
  mFailures.clear();
}

void FakeMidiBackend::SetSendCompletion(MidiSendCompletion completion, std::chrono::milliseconds delay) {
  std::lock_guard lock(mMutex);
  mCompletion = completion;
  mCompletionDelay = delay;
}

std::vector<FakeMidiBackend::CallRecord> FakeMidiBackend::Calls() const {
  std::lock_guard lock(mMutex);
  return mCalls;
}

size_t FakeMidiBackend::CountCalls(MidiCall call) const {
  std::lock_guard lock(mMutex);
  return static_cast<size_t>(std::count_if(mCalls.begin(), mCalls.end(),
                                           [&](const CallRecord& record) { return record.call == call; }));
}

std::vector<FakeMidiBackend::SentMessage> FakeMidiBackend::Sent() const {
  std::lock_guard lock(mMutex);
  return mSent;
}

size_t FakeMidiBackend::OpenInputCount(PortId port) const {
  std::lock_guard lock(mMutex);
  return mInputConnections.count(port);
}

size_t FakeMidiBackend::OpenOutputCount(PortId port) const {
  std::lock_guard lock(mMutex);
  return mOutputConnections.count(port);
}

std::vector<MidiPortDescription> FakeMidiBackend::ListInputs() { return List(true); }
std::vector<MidiPortDescription> FakeMidiBackend::ListOutputs() { return List(false); }

std::vector<MidiPortDescription> FakeMidiBackend::List(bool inputs) const {
  std::lock_guard lock(mMutex);
  std::vector<MidiPortDescription> ports;
  for (const Port& port : mPorts) {
    if (port.isInput == inputs) ports.push_back({IdentityOf(port.id), port.name});
  }
  return ports;
}

const FakeMidiBackend::Port* FakeMidiBackend::FindPort(const std::string& identity, bool isInput) const {
  for (const Port& port : mPorts) {
    if (port.isInput == isInput && IdentityOf(port.id) == identity) return &port;
  }
  return nullptr;
}

MMRESULT FakeMidiBackend::OpenInput(const std::string& identity, MidiInputSink& sink,
                                    std::unique_ptr<MidiInputConnection>& connection) {
  std::lock_guard lock(mMutex);
  const Port* port = FindPort(identity, true);
  if (port == nullptr) return MMSYSERR_NODRIVER;
  auto opened = std::make_unique<InputConnection>(*this, port->id, sink);
  mInputConnections.emplace(port->id, opened.get());
  connection = std::move(opened);
  return MMSYSERR_NOERROR;
}

MMRESULT FakeMidiBackend::OpenOutput(const std::string& identity,
                                     std::unique_ptr<MidiOutputConnection>& connection) {
  std::lock_guard lock(mMutex);
  const Port* port = FindPort(identity, false);
  if (port == nullptr) return MMSYSERR_NODRIVER;
  mOutputConnections.insert(port->id);
  connection = std::make_unique<OutputConnection>(*this, port->id);
  return MMSYSERR_NOERROR;
}

void FakeMidiBackend::Disconnect(const InputConnection* connection) {
  std::lock_guard lock(mMutex);
  const auto [first, last] = mInputConnections.equal_range(connection->Port());
  for (auto entry = first; entry != last; ++entry) {
    if (entry->second == connection) {
      mInputConnections.erase(entry);
      return;
    }
  }
}

void FakeMidiBackend::DisconnectOutput(PortId port) {
  std::lock_guard lock(mMutex);
  const auto found = mOutputConnections.find(port);
  if (found != mOutputConnections.end()) mOutputConnections.erase(found);
}

MidiSendOutcome FakeMidiBackend::Send(PortId port, const uint8_t* bytes, size_t count) {
  std::vector<std::shared_ptr<const SendObserver>> observers;
  MidiSendOutcome outcome;
  {
    std::lock_guard lock(mMutex);
    const bool present = std::any_of(mPorts.begin(), mPorts.end(),
                                     [&](const Port& entry) { return entry.id == port; });
    if (!present) return {MMSYSERR_NODRIVER};
    mSent.push_back({port, std::vector<uint8_t>(bytes, bytes + count)});
    for (const auto& [id, observer] : mSendObservers) observers.push_back(observer);
    outcome = {MMSYSERR_NOERROR, mCompletion, mCompletionDelay};
  }
  const std::vector<uint8_t> message(bytes, bytes + count);
  for (const auto& observer : observers) (*observer)(port, message);
  return outcome;
}

FakeMidiBackend::SendObserverId FakeMidiBackend::AddSendObserver(SendObserver observer) {
  std::lock_guard lock(mMutex);
  mSendObservers.emplace(++mLastSendObserverId, std::make_shared<const SendObserver>(std::move(observer)));
  return mLastSendObserverId;
}

void FakeMidiBackend::RemoveSendObserver(SendObserverId observer) {
  std::lock_guard lock(mMutex);
  mSendObservers.erase(observer);
}

MMRESULT FakeMidiBackend::BeforeCall(MidiCall call) {
  std::lock_guard lock(mMutex);
  const auto found = mFailures.find(call);
  if (found == mFailures.end() || found->second.remaining == 0) return MMSYSERR_NOERROR;
  if (found->second.remaining > 0) --found->second.remaining;
  return found->second.result;
}

void FakeMidiBackend::AfterCall(MidiCall call, uint32_t result) {
  std::lock_guard lock(mMutex);
  mCalls.push_back({call, result});
}

}  // namespace Platform::Midi
