#pragma once
#include <cstdint>
#include <memory>

#include "SVFramework/ObjectBase/RefCountedObject.h"
#include "SVFramework/Threads/LEvent.h"
#include "SVFramework/Threads/Thread.h"
#include "SVFramework/Threads/ThreadWorker.h"

namespace SV {

// A thread that runs the same worker each time its event is signalled or its
// interval passes, for as long as the threader lives. The owner signals the event
// through its own reference to it, and may set the interval and read the busy flag
// from any thread. The thread works on a state block of its own, so a worker that
// outlives the threader (released from inside the worker, or still running when the
// bounded wait of the destructor gives up) never touches the destroyed object.
class LEventGatedThreader : public virtual LRefCountedObject {
public:
  // Longest wait of the destructor for the thread to end.
  static constexpr int32_t StopTimeoutMilliseconds = 60000;
  // The interval that waits for the event alone.
  static constexpr int32_t NoInterval = -1;

  // Starts the thread at `priority`, waiting for `event` only (interval -1).
  // A null event raises an invalid-argument error.
  static RCPtr<LEventGatedThreader> Create(const RCPtr<LEvent>& event, const RCPtr<LThreadWorker>& worker,
                                           const RCPtr<LRefCountedObject>& argument, int32_t priority);
  // Sets the stop flag, signals the event and waits up to StopTimeoutMilliseconds
  // for the thread to end (not at all on the threader's own thread). A running
  // worker finishes its pass first.
  ~LEventGatedThreader() override;

  // Milliseconds between runs without a signal; negative waits for the event only.
  // Takes effect from the next wait.
  void SetInterval(int32_t milliseconds);
  int32_t GetInterval() const;
  // True while the worker runs.
  bool IsBusy() const;

private:
  struct SharedState;

  LEventGatedThreader(const RCPtr<LEvent>& event, const RCPtr<LThreadWorker>& worker,
                      const RCPtr<LRefCountedObject>& argument, int32_t priority);
  static void RunLoop(SharedState& state);

  std::shared_ptr<SharedState> mState;  // shared with the thread
  Thread mThread;
};

}  // namespace SV
