#include "SVFramework/Threads/ThreadPool.h"

namespace SV {

RCPtr<LThreadPool> LThreadPool::Create(int32_t workerCount, int32_t dispatchPriority) {
  return RCPtr<LThreadPool>(new LThreadPool(workerCount, dispatchPriority));
}

LThreadPool::LThreadPool(int32_t workerCount, int32_t dispatchPriority)
    : mWorkerCount(workerCount > 0 ? workerCount : 0),
      mWorkerFreeEvents(workerCount > 0 ? workerCount : 0),
      mQueueThreader(std::make_unique<RetriggerableThreader>(String(kDispatchThreadName))),
      mDispatcherIdle(LEvent::Create(true)),
      mDispatchPriority(dispatchPriority) {
  for (int32_t i = 0; i < mWorkerCount.load(); ++i) mWorkers.push_back(std::make_unique<RetriggerableThreader>(String()));
  mDispatcherIdle->Set();
}

LThreadPool::~LThreadPool() { Shutdown(); }

uint32_t LThreadPool::GetPendingCount() {
  MutexLock lock(mLock);
  return mPending.GetCount();
}

bool LThreadPool::TriggerWorker(int32_t index, const RCPtr<LThreadWorker>& job,
                                const RCPtr<LRefCountedObject>& argument, int32_t priority) {
  RetriggerableThreader& worker = *mWorkers[static_cast<size_t>(index)];
  if (job) worker.SetName(job->ToString());
  return worker.Trigger(job, argument, mWorkerFreeEvents.GetEvent(index), priority) >= 0;
}

int32_t LThreadPool::StartOnIdleWorker(const RCPtr<LThreadWorker>& job, const RCPtr<LRefCountedObject>& argument,
                                       int32_t priority) {
  for (int32_t index = 0; index < mWorkerCount.load(); ++index) {
    MutexLock lock(mLock);
    if (mPending.GetCount() != 0 && mWorkerCount.load() == 1) return -1;
    if (mWorkers[static_cast<size_t>(index)]->IsBusy()) continue;
    if (TriggerWorker(index, job, argument, priority)) return index;
  }
  return -1;
}

void LThreadPool::QueueJob(const RCPtr<LThreadWorker>& job, const RCPtr<LRefCountedObject>& argument,
                           int32_t priority) {
  if (mWorkerCount.load() <= 0 || StartOnIdleWorker(job, argument, priority) >= 0) return;
  const RCPtr<LWorkerParams> entry(new LWorkerParams(job, argument, priority));
  MutexLock lock(mLock);
  if (mWorkerCount.load() <= 0) return;  // shut down meanwhile: the job is dropped
  const bool wasEmpty = mPending.GetCount() == 0;
  InsertPending(entry);
  if (!wasEmpty) return;
  // The dispatch thread may still be finishing its last pass; it signals when done.
  mDispatcherIdle->Wait(Platform::WaitForever);
  mQueueThreader->Trigger(RCPtr<LThreadWorker>(this), RCPtr<LRefCountedObject>(this), mDispatcherIdle,
                          mDispatchPriority);
}

// Keeps the list ascending; a new entry goes before older entries of equal priority,
// so the last entry is the highest priority and, among equals, the earliest arrival.
void LThreadPool::InsertPending(const RCPtr<LWorkerParams>& entry) {
  uint32_t index = 0;
  while (index < mPending.GetCount() && mPending.GetAt(index)->priority < entry->priority) ++index;
  mPending.InsertAt(index, entry);
}

SVRESULT LThreadPool::Run(const RCPtr<LRefCountedObject>&) {
  for (;;) {
    const int32_t freeWorker = mWorkerFreeEvents.WaitAny(Platform::WaitForever);
    if (freeWorker < 0 || !HandOutPending(freeWorker)) return S_OK;
  }
}

// Gives the highest pending job to the worker that just became free; false when the
// list is empty afterwards (the dispatch loop then ends).
bool LThreadPool::HandOutPending(int32_t freeWorker) {
  MutexLock lock(mLock);
  if (mPending.GetCount() == 0 || mWorkerCount.load() <= 0) return false;
  if (mWorkers[static_cast<size_t>(freeWorker)]->IsBusy()) return true;
  RCPtr<LWorkerParams> entry;
  mPending.RemoveLast(entry);
  TriggerWorker(freeWorker, entry->job, entry->argument, entry->priority);
  return mPending.GetCount() != 0;
}

void LThreadPool::Shutdown() {
  mWorkerCount.store(0);
  {
    MutexLock lock(mLock);
    mPending.RemoveAll();
  }
  // Wakes a dispatch loop that waits for a free worker: it finds the list empty and ends.
  if (mWorkerFreeEvents.GetCount() > 0) mWorkerFreeEvents.GetEvent(0)->Set();
  mQueueThreader->Shutdown();
  for (auto worker = mWorkers.rbegin(); worker != mWorkers.rend(); ++worker) (*worker)->Shutdown();
}

}  // namespace SV
