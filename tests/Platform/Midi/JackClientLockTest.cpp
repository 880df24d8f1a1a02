#include "Platform/Midi/JackClientLock.h"

#include "Platform/Midi/RtMidiBackend.h"
#include "tests/Support/Midi/JackMidiPeer.h"
#include "tests/Support/Midi/JackServerFixture.h"

#include <gtest/gtest.h>

#include <atomic>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace Platform::Midi {
namespace {

using Bytes = std::vector<uint8_t>;
using Testing::Midi::JackMidiPeer;

constexpr int kThreads = 4;
constexpr int kRounds = 15;

class IgnoringSink final : public MidiInputSink {
public:
  void OnMidiInput(const uint8_t*, size_t) override {}
};

// What went wrong on the worker threads, for the test's thread to report.
class Failures {
public:
  void Add(std::string failure) {
    std::lock_guard lock(mMutex);
    mFailures.push_back(std::move(failure));
  }
  std::vector<std::string> All() {
    std::lock_guard lock(mMutex);
    return mFailures;
  }

private:
  std::mutex mMutex;
  std::vector<std::string> mFailures;
};

// One round opens and closes five JACK clients: a peer of its own, our backend's
// server watch, and the RtMidi clients of an input and an output on the peer (the
// last two parked, then destroyed with the backend). A message sent through the
// output shows that the connection works.
void OpenAndCloseClients(int thread, int round, Failures& failures) {
  const std::string where = "thread " + std::to_string(thread) + " round " + std::to_string(round) + ": ";
  std::string error;
  std::unique_ptr<JackMidiPeer> peer = JackMidiPeer::Create("Peer " + std::to_string(thread), error);
  if (!peer) return failures.Add(where + error);
  auto backend = std::make_unique<RtMidiBackend>(RtMidiBackend::Options{{MidiPortApi::Jack}});
  IgnoringSink sink;
  std::unique_ptr<MidiInputConnection> input;
  std::unique_ptr<MidiOutputConnection> output;
  if (backend->OpenInput("jack:" + peer->OutputPortName(), sink, input) != MMSYSERR_NOERROR) {
    return failures.Add(where + "the input did not open");
  }
  if (backend->OpenOutput("jack:" + peer->InputPortName(), output) != MMSYSERR_NOERROR) {
    return failures.Add(where + "the output did not open");
  }
  const Bytes noteOn{0x90, 0x3C, static_cast<uint8_t>(round + 1)};
  if (output->Send(noteOn.data(), noteOn.size()).result != MMSYSERR_NOERROR) {
    return failures.Add(where + "the message was refused");
  }
  const auto received = peer->WaitForReceived(1);
  if (received != std::vector<Bytes>{noteOn}) failures.Add(where + "the peer did not receive the message");
}

class JackClientLockTest : public Testing::Midi::JackServerFixture {};

// The JACK library crashes when one process opens and closes clients on several
// threads at once; every such call of ours and of the test peers goes under one lock.
TEST_F(JackClientLockTest, ClientsOpenedAndClosedOnSeveralThreadsAtOnceAllWork) {
  Failures failures;
  std::vector<std::thread> threads;
  for (int thread = 0; thread < kThreads; ++thread) {
    threads.emplace_back([thread, &failures] {
      for (int round = 0; round < kRounds; ++round) OpenAndCloseClients(thread, round, failures);
    });
  }
  for (std::thread& thread : threads) thread.join();

  EXPECT_EQ(failures.All(), std::vector<std::string>{});
}

}  // namespace
}  // namespace Platform::Midi
