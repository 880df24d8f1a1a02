#pragma once
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

typedef struct _jack_client jack_client_t;
typedef struct _jack_port jack_port_t;
typedef uint32_t jack_nframes_t;

namespace Testing::Midi {

// The other end of the cable in tests: a plain JACK client, named like the
// controller, with one MIDI input port ("midi_in") and one MIDI output port
// ("midi_out"). It records every message that reaches its input and sends what the
// test gives it, one whole message per JACK event, in order. Send and the waits may
// be called from any thread; the JACK process thread does the rest. Create and the
// destructor take Platform::Midi::JackClientLock: call them without holding it, and
// never from the listener.
class JackMidiPeer {
public:
  // Is told of each message that arrives, on the JACK process thread, after it is
  // recorded and without the peer's lock held, so it may Send (what it sends goes
  // out in the same cycle). It must be quick: the server waits for it.
  using Listener = std::function<void(const std::vector<uint8_t>& message)>;

  static std::unique_ptr<JackMidiPeer> Create(const std::string& clientName, std::string& error,
                                              Listener listener = nullptr);
  ~JackMidiPeer();
  JackMidiPeer(const JackMidiPeer&) = delete;
  JackMidiPeer& operator=(const JackMidiPeer&) = delete;

  // Queues a message for the next process cycles.
  void Send(std::vector<uint8_t> message);

  // Waits until at least count messages have arrived in all, at most the limit, and
  // returns all that have arrived.
  std::vector<std::vector<uint8_t>> WaitForReceived(
      size_t count, std::chrono::milliseconds limit = std::chrono::milliseconds{10000});

  // Waits until every queued message has been written out, at most the limit.
  bool WaitUntilSent(std::chrono::milliseconds limit = std::chrono::milliseconds{10000});

  // The full JACK names of the ports, "client:midi_in" and "client:midi_out".
  std::string InputPortName() const;
  std::string OutputPortName() const;

private:
  JackMidiPeer() = default;
  // Opens the client, registers the ports and activates it, under the lock.
  bool Join(const std::string& clientName, std::string& error);
  static int Process(jack_nframes_t frames, void* peer);
  void ReadInput(jack_nframes_t frames);
  void WriteOutput(jack_nframes_t frames);

  jack_client_t* mClient = nullptr;
  jack_port_t* mInput = nullptr;
  jack_port_t* mOutput = nullptr;
  std::mutex mMutex;  // guards the two queues; taken by the process thread
  std::condition_variable mChanged;
  std::deque<std::vector<uint8_t>> mOutgoing;
  std::vector<std::vector<uint8_t>> mReceived;
  Listener mListener;  // set before activation, never changed
};

}  // namespace Testing::Midi
