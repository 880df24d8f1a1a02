#pragma once
#include <atomic>
#include <cstdint>
#include <memory>
#include <vector>

#include "SVFramework/ObjectBase/RefCountedObject.h"
#include "SVFramework/Threads/EventPool.h"
#include "SVFramework/Threads/LEvent.h"
#include "SVFramework/Threads/Mutex.h"
#include "SVFramework/Threads/RetriggerableThreader.h"
#include "SVFramework/Threads/ThreadWorker.h"
#include "SVFramework/Utilities/Storage/PooledObject.h"
#include "SVFramework/Utilities/Storage/RCPtrArray.h"

namespace SV {

// Runs jobs on a fixed set of worker threads. A job starts at once on an idle worker;
// otherwise it waits in a pending list and a dispatch thread hands it to the next free
// worker, highest priority first and in arrival order among equals. With exactly one
// worker a new job never overtakes a pending one, so jobs run strictly in that order.
// Thread rules: any thread may queue jobs; Run is the dispatch loop and runs on the
// dispatch thread only. The pool may lose its last reference on any of its own threads
// (inside a job or at the end of the dispatch loop): its shut-down then waits for none
// of them and nothing touches the destroyed pool.
class LThreadPool : public LThreadWorker {
public:
  // One pending job; its storage comes from a thread-safe pool of its own.
  class LWorkerParams : public virtual LRefCountedObject, public PooledObject<LWorkerParams, 1, true> {
  public:
    LWorkerParams(const RCPtr<LThreadWorker>& job, const RCPtr<LRefCountedObject>& argument, int32_t priority)
        : job(job), argument(argument), priority(priority) {}
    RCPtr<LThreadWorker> job;
    RCPtr<LRefCountedObject> argument;
    int32_t priority;
  };

  static constexpr const char* kDispatchThreadName = "LThreadPool::mQueueThreader";

  static RCPtr<LThreadPool> Create(int32_t workerCount, int32_t dispatchPriority);
  ~LThreadPool() override;

  // Starts the job on an idle worker or queues it by priority; dropped after Shutdown.
  void QueueJob(const RCPtr<LThreadWorker>& job, const RCPtr<LRefCountedObject>& argument, int32_t priority);
  // The index of the idle worker the job was started on, or -1.
  int32_t StartOnIdleWorker(const RCPtr<LThreadWorker>& job, const RCPtr<LRefCountedObject>& argument,
                            int32_t priority);
  // The dispatch loop (the pool is its own dispatch job); returns 0.
  SVRESULT Run(const RCPtr<LRefCountedObject>& argument) override;
  // Accepts nothing more, drops the pending jobs unrun and ends every thread (a
  // running job finishes first; each wait is bounded).
  void Shutdown();

  int32_t GetWorkerCount() const { return mWorkerCount.load(); }
  uint32_t GetPendingCount();

private:
  LThreadPool(int32_t workerCount, int32_t dispatchPriority);

  bool TriggerWorker(int32_t index, const RCPtr<LThreadWorker>& job, const RCPtr<LRefCountedObject>& argument,
                     int32_t priority);
  void InsertPending(const RCPtr<LWorkerParams>& entry);
  bool HandOutPending(int32_t freeWorker);

  std::atomic<int32_t> mWorkerCount;
  std::vector<std::unique_ptr<RetriggerableThreader>> mWorkers;
  EventPool mWorkerFreeEvents;
  std::unique_ptr<RetriggerableThreader> mQueueThreader;
  RCPtr<LEvent> mDispatcherIdle;
  RCPtrArray<LWorkerParams, 16, 16> mPending;  // ascending by priority
  Mutex mLock;  // guards mPending and the choice and triggering of a worker
  int32_t mDispatchPriority;
};

}  // namespace SV
