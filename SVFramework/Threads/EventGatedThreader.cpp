#include "SVFramework/Threads/EventGatedThreader.h"

#include <atomic>
#include <stdexcept>

#include "SVFramework/ObjectBase/Exception.h"

namespace SV {

// What the thread works on; the references are set before the thread starts and
// kept until both the threader and the thread have let go.
struct LEventGatedThreader::SharedState {
  RCPtr<LEvent> event;
  RCPtr<LThreadWorker> worker;
  RCPtr<LRefCountedObject> argument;
  std::atomic<bool> stop{false};
  std::atomic<int32_t> interval{NoInterval};
  std::atomic<bool> busy{false};
};

RCPtr<LEventGatedThreader> LEventGatedThreader::Create(const RCPtr<LEvent>& event,
                                                       const RCPtr<LThreadWorker>& worker,
                                                       const RCPtr<LRefCountedObject>& argument,
                                                       int32_t priority) {
  if (!event)
    SV_RAISE(std::invalid_argument, "the threader needs an event", "SV::LEventGatedThreader::Create");
  return RCPtr<LEventGatedThreader>(new LEventGatedThreader(event, worker, argument, priority));
}

LEventGatedThreader::LEventGatedThreader(const RCPtr<LEvent>& event, const RCPtr<LThreadWorker>& worker,
                                         const RCPtr<LRefCountedObject>& argument, int32_t priority)
    : mState(std::make_shared<SharedState>()), mThread([state = mState] { RunLoop(*state); }) {
  mState->event = event;
  mState->worker = worker;
  mState->argument = argument;
  mThread.SetPriority(priority);
  mThread.SetPriorityBoost(false);
  mThread.Resume();
}

LEventGatedThreader::~LEventGatedThreader() {
  mState->stop.store(true);
  mState->event->Set();
  if (!mThread.IsCurrentThread())
    mThread.Wait(StopTimeoutMilliseconds);
}

void LEventGatedThreader::SetInterval(int32_t milliseconds) {
  mState->interval.store(milliseconds);
}

int32_t LEventGatedThreader::GetInterval() const {
  return mState->interval.load();
}

bool LEventGatedThreader::IsBusy() const {
  return mState->busy.load();
}

void LEventGatedThreader::RunLoop(SharedState& state) {
  while (!state.stop.load()) {
    state.event->Wait(state.interval.load());
    if (state.stop.load())
      break;
    if (state.worker) {
      state.busy.store(true);
      state.worker->Run(state.argument);
      state.busy.store(false);
    }
  }
}

}  // namespace SV
