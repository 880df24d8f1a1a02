#include "SVFramework/Threads/RetriggerableThreader.h"

#include <atomic>

#include "SVFramework/Threads/Event.h"

namespace SV {

// What the thread works on. The job, argument and done event are written by the
// triggering thread only while the busy flag is clear, and read by the thread only
// after the trigger signal; the thread clears them before it clears the flag.
struct RetriggerableThreader::SharedState {
  Event trigger{true};
  std::atomic<bool> busy{false};
  std::atomic<bool> stop{false};
  RCPtr<LThreadWorker> job;
  RCPtr<LRefCountedObject> argument;
  RCPtr<LEvent> doneEvent;
};

RetriggerableThreader::RetriggerableThreader(const String& name)
    : mState(std::make_shared<SharedState>()),
      mThread([state = mState] { RunLoop(*state); }),
      mName(name) {
  mThread.SetName(name.ToUTF8().GetString());
  mThread.SetPriorityBoost(false);
  mThread.Resume();
}

RetriggerableThreader::~RetriggerableThreader() {
  if (!mState->stop.load())
    Shutdown();
}

void RetriggerableThreader::Shutdown(int32_t timeoutMilliseconds) {
  mState->stop.store(true);
  mState->trigger.Set();
  if (!mThread.IsCurrentThread())
    mThread.Wait(timeoutMilliseconds);
}

SVRESULT RetriggerableThreader::Trigger(const RCPtr<LThreadWorker>& job, const RCPtr<LRefCountedObject>& argument,
                                        const RCPtr<LEvent>& doneEvent, int32_t priority) {
  return StartJob(job, argument, doneEvent, priority);
}

SVRESULT RetriggerableThreader::TriggerNoWait(const RCPtr<LThreadWorker>& job,
                                              const RCPtr<LRefCountedObject>& argument, int32_t priority) {
  return StartJob(job, argument, RCPtr<LEvent>(), priority);
}

SVRESULT RetriggerableThreader::StartJob(const RCPtr<LThreadWorker>& job, const RCPtr<LRefCountedObject>& argument,
                                         const RCPtr<LEvent>& doneEvent, int32_t priority) {
  if (mState->stop.load() || IsBusy())
    return E_FAIL;
  // Two triggering threads may both have seen the threader idle; one wins here.
  bool wasBusy = false;
  if (!mState->busy.compare_exchange_strong(wasBusy, true))
    return E_FAIL;
  mThread.SetPriority(priority);
  mState->job = job;
  mState->argument = argument;
  mState->doneEvent = doneEvent;
  if (doneEvent)
    doneEvent->Reset();
  return mState->trigger.Set() ? S_OK : E_FAIL;
}

bool RetriggerableThreader::IsBusy() {
  if (!mState->busy.load())
    return false;
  if (!mThread.HasExited())
    return true;
  mState->busy.store(false);
  return false;
}

void RetriggerableThreader::RunLoop(SharedState& state) {
  while (!state.stop.load()) {
    state.trigger.Wait(Platform::WaitForever);
    RunStoredJob(state);
    FinishJob(state);
  }
  // A stop that came before the thread first looked at the flag still finds a job
  // stored by an earlier trigger: drop it and signal its done event.
  RunStoredJob(state);
  FinishJob(state);
}

void RetriggerableThreader::RunStoredJob(SharedState& state) {
  if (!state.stop.load() && state.job)
    state.job->Run(state.argument);
  state.argument.Reset();
  state.job.Reset();
}

void RetriggerableThreader::FinishJob(SharedState& state) {
  RCPtr<LEvent> doneEvent = std::move(state.doneEvent);
  state.busy.store(false);
  if (doneEvent)
    doneEvent->Set();
}

String RetriggerableThreader::ToString() const {
  MutexLock lock(mNameLock);
  return mName;
}

void RetriggerableThreader::SetName(const String& name) {
  MutexLock lock(mNameLock);
  mName = name;
  mThread.SetName(name.ToUTF8().GetString());
}

}  // namespace SV
