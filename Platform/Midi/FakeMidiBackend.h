#pragma once
#include "Platform/Midi/MidiBackend.h"

#include <chrono>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <set>
#include <string>
#include <vector>

namespace Platform::Midi {

// A MIDI system in memory for tests: ports that come and go, input injected by the
// test, a record of every service call and every message sent, failures injected
// into any call, and a choice of when long messages count as sent. Every operation
// may be called from any thread; Inject may also be called from a callback.
class FakeMidiBackend : public MidiBackend {
public:
  using PortId = uint32_t;

  struct CallRecord {
    MidiCall call;
    uint32_t result;  // the MMRESULT, or the count for the GetNumDevs calls
  };
  struct SentMessage {
    PortId port;
    std::vector<uint8_t> bytes;
  };

  // Plugs a port in at the end of its list; ids are never reused, so a port that is
  // removed and added again is a new port.
  PortId AddInputPort(std::u16string name);
  PortId AddOutputPort(std::u16string name);
  // Unplugs a port: it is listed no more, its open inputs receive nothing more, and
  // sending to it fails with MMSYSERR_NODRIVER.
  void RemovePort(PortId port);

  // Delivers the bytes to every open input of the port, on the calling thread, as a
  // backend's own thread would: whole messages or pieces of them.
  void Inject(PortId port, const std::vector<uint8_t>& bytes);

  // Is told of every message sent to a port that is there, after it is recorded, on
  // the sending thread (inside the output's Send) and without the backend's lock held,
  // so it may Inject. Once RemoveSendObserver has returned the observer is not called
  // anew; a call already running on another thread may still be finishing.
  using SendObserver = std::function<void(PortId port, const std::vector<uint8_t>& bytes)>;
  using SendObserverId = uint32_t;
  SendObserverId AddSendObserver(SendObserver observer);
  void RemoveSendObserver(SendObserverId observer);

  // Makes the next `times` calls of that kind fail with `result`, untried; with
  // kAlways, every call until ClearFailures.
  static constexpr int kAlways = -1;
  void InjectFailure(MidiCall call, MMRESULT result, int times = 1);
  void ClearFailures();

  // When long messages count as sent: at once (the start), after the delay, or never
  // (they stay with the output until MidiOutReset).
  void SetSendCompletion(MidiSendCompletion completion,
                         std::chrono::milliseconds delay = std::chrono::milliseconds{0});

  std::vector<CallRecord> Calls() const;
  size_t CountCalls(MidiCall call) const;
  std::vector<SentMessage> Sent() const;
  size_t OpenInputCount(PortId port) const;
  size_t OpenOutputCount(PortId port) const;

  std::vector<MidiPortDescription> ListInputs() override;
  std::vector<MidiPortDescription> ListOutputs() override;
  MMRESULT OpenInput(const std::string& identity, MidiInputSink& sink,
                     std::unique_ptr<MidiInputConnection>& connection) override;
  MMRESULT OpenOutput(const std::string& identity,
                      std::unique_ptr<MidiOutputConnection>& connection) override;
  MMRESULT BeforeCall(MidiCall call) override;
  void AfterCall(MidiCall call, uint32_t result) override;

private:
  class InputConnection;
  class OutputConnection;
  struct Port {
    PortId id;
    bool isInput;
    std::u16string name;
  };
  struct Failure {
    MMRESULT result;
    int remaining;
  };

  PortId AddPort(std::u16string name, bool isInput);
  std::vector<MidiPortDescription> List(bool inputs) const;
  const Port* FindPort(const std::string& identity, bool isInput) const;
  void Disconnect(const InputConnection* connection);
  void DisconnectOutput(PortId port);
  MidiSendOutcome Send(PortId port, const uint8_t* bytes, size_t count);

  mutable std::mutex mMutex;  // guards what follows; held while injected input is delivered
  PortId mLastPortId = 0;
  std::vector<Port> mPorts;
  std::multimap<PortId, InputConnection*> mInputConnections;
  std::multiset<PortId> mOutputConnections;
  std::map<MidiCall, Failure> mFailures;
  MidiSendCompletion mCompletion = MidiSendCompletion::Immediate;
  std::chrono::milliseconds mCompletionDelay{0};
  std::vector<CallRecord> mCalls;
  std::vector<SentMessage> mSent;
  SendObserverId mLastSendObserverId = 0;
  std::map<SendObserverId, std::shared_ptr<const SendObserver>> mSendObservers;
};

}  // namespace Platform::Midi
