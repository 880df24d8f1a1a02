#pragma once
#include <atomic>
#include <chrono>
#include <functional>
#include <thread>
#include <vector>

namespace SV::Testing {

// Worker threads that run their action at the same moment, round after round, to make
// races between them likely. Each worker spins at a start line until a round begins,
// so the actions start within a few hundred nanoseconds of each other.
// RunRound is for one thread (the test's); the actions run on the workers.
class SimultaneousRounds {
public:
  // `action(worker)` runs once per round on each of `workers` threads.
  SimultaneousRounds(int workers, std::function<void(int)> action) : mAction(std::move(action)) {
    for (int worker = 0; worker < workers; ++worker) mThreads.emplace_back([this, worker] { Work(worker); });
  }
  ~SimultaneousRounds() {
    mStopping.store(true, std::memory_order_release);
    for (std::thread& thread : mThreads) thread.join();
  }
  SimultaneousRounds(const SimultaneousRounds&) = delete;
  SimultaneousRounds& operator=(const SimultaneousRounds&) = delete;

  // Starts a round and returns true once every worker has run its action, false when
  // they have not within `bound` (the round is then still running).
  bool RunRound(std::chrono::milliseconds bound = std::chrono::seconds(10)) {
    mFinished.store(0, std::memory_order_release);
    mRound.fetch_add(1, std::memory_order_acq_rel);
    const auto deadline = std::chrono::steady_clock::now() + bound;
    while (mFinished.load(std::memory_order_acquire) < static_cast<int>(mThreads.size())) {
      if (std::chrono::steady_clock::now() > deadline) return false;
      std::this_thread::yield();
    }
    return true;
  }

private:
  void Work(int worker) {
    int seen = 0;
    for (;;) {
      const int round = AwaitRound(seen);
      if (round == seen) return;
      seen = round;
      mAction(worker);
      mFinished.fetch_add(1, std::memory_order_acq_rel);
    }
  }

  // The number of the next round, or `seen` when the workers are stopping. Spins
  // briefly before yielding, so that a round starts on every worker at once.
  int AwaitRound(int seen) {
    for (int spins = 0;; ++spins) {
      const int round = mRound.load(std::memory_order_acquire);
      if (round != seen) return round;
      if (mStopping.load(std::memory_order_acquire)) return seen;
      if (spins > 4096) std::this_thread::yield();
    }
  }

  std::function<void(int)> mAction;
  std::atomic<int> mRound{0};
  std::atomic<int> mFinished{0};
  std::atomic<bool> mStopping{false};
  std::vector<std::thread> mThreads;
};

}  // namespace SV::Testing
