#pragma once
#include <cstdint>
#include <memory>

#include "SVFramework/ObjectBase/RefCountedObject.h"
#include "SVFramework/ObjectBase/SVResult.h"
#include "SVFramework/Threads/LEvent.h"
#include "SVFramework/Threads/Mutex.h"
#include "SVFramework/Threads/Thread.h"
#include "SVFramework/Threads/ThreadWorker.h"
#include "SVFramework/Utilities/Storage/StringT.h"

namespace SV {

// A thread that runs one job per trigger and can tell whether it is still busy.
// The thread is created once and reused; each trigger may give it a new priority.
// Trigger, TriggerNoWait, IsBusy and Shutdown are for the owner's thread(s), one
// call at a time; ToString and SetName may be called from any thread.
// The thread works on a state block of its own, so a job that outlives the
// threader (released from inside the job, or still running when the bounded wait
// of Shutdown gives up) never touches the destroyed object.
class RetriggerableThreader : public IStringable {
public:
  // Longest wait of Shutdown for the thread to end.
  static constexpr int32_t StopTimeoutMilliseconds = 60000;

  // Starts the thread at normal priority, idle.
  explicit RetriggerableThreader(const String& name);
  // Shutdown unless it was called before, so an owner's earlier Shutdown is not
  // waited out twice. What the thread still holds goes when the thread ends.
  ~RetriggerableThreader() override;
  RetriggerableThreader(const RetriggerableThreader&) = delete;
  RetriggerableThreader& operator=(const RetriggerableThreader&) = delete;

  // Runs `job` with `argument` on the thread at `priority`. `doneEvent` (may be
  // null) is reset now and signalled after the job, when the busy flag is already
  // clear. E_FAIL while stopping or busy (nothing is stored), S_OK otherwise.
  SVRESULT Trigger(const RCPtr<LThreadWorker>& job, const RCPtr<LRefCountedObject>& argument,
                   const RCPtr<LEvent>& doneEvent, int32_t priority);
  // Trigger without a done event.
  SVRESULT TriggerNoWait(const RCPtr<LThreadWorker>& job, const RCPtr<LRefCountedObject>& argument,
                         int32_t priority);
  // True from a successful trigger until the job is over; a busy flag left on a
  // thread that has exited is cleared.
  bool IsBusy();

  // Stops the thread: sets the stop flag, wakes the thread and waits up to
  // `timeoutMilliseconds` for it to end. A running job is not interrupted; a job
  // triggered but not started is dropped and its done event signalled. Called on
  // the threader's own thread (from inside a job) it does not wait.
  void Shutdown(int32_t timeoutMilliseconds = StopTimeoutMilliseconds);

  String ToString() const override;
  // Renames the threader and the thread that the debugger shows.
  void SetName(const String& name);

private:
  struct SharedState;

  static void RunLoop(SharedState& state);
  static void RunStoredJob(SharedState& state);
  static void FinishJob(SharedState& state);
  SVRESULT StartJob(const RCPtr<LThreadWorker>& job, const RCPtr<LRefCountedObject>& argument,
                    const RCPtr<LEvent>& doneEvent, int32_t priority);

  std::shared_ptr<SharedState> mState;  // shared with the thread
  Thread mThread;
  mutable Mutex mNameLock;  // guards mName
  String mName;
};

}  // namespace SV
