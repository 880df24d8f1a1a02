#include "SVFramework/Threads/ThreadPool.h"

#include <gtest/gtest.h>

#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "Platform/Threads/PlatformThread.h"
#include "SVFramework/Threads/Event.h"
#include "tests/Support/RecordingWorker.h"

namespace SV {
namespace {

constexpr int32_t kGenerousWait = 10000;

bool Signalled(Event& event, int32_t milliseconds = kGenerousWait) {
  return event.Wait(milliseconds) == Platform::WaitSignalled;
}

// Records the order in which named jobs run.
struct RunLog {
  std::mutex lock;
  std::vector<std::string> names;
  Event changed{true};
  void Add(const std::string& name) {
    {
      std::lock_guard<std::mutex> guard(lock);
      names.push_back(name);
    }
    changed.Set();
  }
  std::vector<std::string> WaitForCount(size_t count) {
    for (;;) {
      {
        std::lock_guard<std::mutex> guard(lock);
        if (names.size() >= count) return names;
      }
      if (!Signalled(changed)) return names;
    }
  }
};

// A job that logs its name and, when given a gate, holds its worker until the gate opens.
class NamedJob : public LThreadWorker {
public:
  NamedJob(RunLog& log, std::string name, std::shared_ptr<Event> gate = nullptr)
      : mLog(log), mName(std::move(name)), mGate(std::move(gate)) {}
  SVRESULT Run(const RCPtr<LRefCountedObject>&) override {
    started.Set();
    if (mGate) mGate->Wait(kGenerousWait);
    mLog.Add(mName);
    return S_OK;
  }
  String ToString() const override { return String(mName.c_str()); }
  Event started{false};

private:
  RunLog& mLog;
  std::string mName;
  std::shared_ptr<Event> mGate;
};

class ThreadPoolWithOneBusyWorker : public testing::Test {
protected:
  void SetUp() override {
    mPool->QueueJob(mBlocker, nullptr, 0);
    ASSERT_TRUE(Signalled(mBlocker->started));
  }
  void Queue(const char* name, int32_t priority) { mPool->QueueJob(RCPtr<LThreadWorker>(new NamedJob(mLog, name)), nullptr, priority); }
  std::vector<std::string> ReleaseAndCollect(size_t count) {
    mGate->Set();
    return mLog.WaitForCount(count);
  }

  RunLog mLog;
  std::shared_ptr<Event> mGate = std::make_shared<Event>(false);
  RCPtr<NamedJob> mBlocker{new NamedJob(mLog, "blocker", mGate)};
  RCPtr<LThreadPool> mPool = LThreadPool::Create(1, 2);
};

TEST_F(ThreadPoolWithOneBusyWorker, RunsEqualPrioritiesInArrivalOrder) {
  Queue("A", 0);
  Queue("B", 0);
  Queue("C", 0);
  EXPECT_EQ(mPool->GetPendingCount(), 3u);
  EXPECT_EQ(ReleaseAndCollect(4), (std::vector<std::string>{"blocker", "A", "B", "C"}));
}

TEST_F(ThreadPoolWithOneBusyWorker, RunsAHigherPriorityFirst) {
  Queue("A", 0);
  Queue("B", 2);
  Queue("C", 0);
  EXPECT_EQ(ReleaseAndCollect(4), (std::vector<std::string>{"blocker", "B", "A", "C"}));
}

TEST_F(ThreadPoolWithOneBusyWorker, ShutdownReleasesAPendingJobWithoutRunningIt) {
  auto released = std::make_shared<Event>(false);
  mPool->QueueJob(RCPtr<LThreadWorker>(new NamedJob(mLog, "pending")),
                  RCPtr<LRefCountedObject>(new Testing::WatchedObject(released)), 0);
  std::thread stopper([this] { mPool->Shutdown(); });
  // Released while the only worker is still held by the blocker, so it never ran.
  EXPECT_TRUE(Signalled(*released));
  mGate->Set();
  stopper.join();
  mPool->QueueJob(RCPtr<LThreadWorker>(new NamedJob(mLog, "after")), nullptr, 0);
  EXPECT_EQ(mPool->GetPendingCount(), 0u);
  EXPECT_EQ(mLog.WaitForCount(1), (std::vector<std::string>{"blocker"}));
}

TEST(ThreadPool, StartsAJobAtOnceOnAnIdleWorkerWithoutPendingIt) {
  RunLog log;
  RCPtr<LThreadPool> pool = LThreadPool::Create(1, 2);
  RCPtr<NamedJob> job(new NamedJob(log, "now"));
  EXPECT_EQ(pool->StartOnIdleWorker(job, nullptr, 0), 0);
  EXPECT_EQ(log.WaitForCount(1), (std::vector<std::string>{"now"}));
  EXPECT_EQ(pool->GetPendingCount(), 0u);
}

TEST(ThreadPool, WithOneWorkerANewJobNeverOvertakesAPendingOne) {
  RunLog log;
  auto gate = std::make_shared<Event>(false);
  RCPtr<LThreadPool> pool = LThreadPool::Create(1, 2);
  RCPtr<NamedJob> blocker(new NamedJob(log, "blocker", gate));
  pool->QueueJob(blocker, nullptr, 0);
  ASSERT_TRUE(Signalled(blocker->started));
  pool->QueueJob(RCPtr<LThreadWorker>(new NamedJob(log, "first")), nullptr, 0);
  EXPECT_EQ(pool->StartOnIdleWorker(RCPtr<LThreadWorker>(new NamedJob(log, "direct")), nullptr, 5), -1);
  pool->QueueJob(RCPtr<LThreadWorker>(new NamedJob(log, "second")), nullptr, 0);
  gate->Set();
  EXPECT_EQ(log.WaitForCount(3), (std::vector<std::string>{"blocker", "first", "second"}));
}

TEST(ThreadPool, DeliversManyJobsInArrivalOrderFromAnotherThread) {
  RunLog log;
  RCPtr<LThreadPool> pool = LThreadPool::Create(1, 2);
  std::vector<std::string> expected;
  for (int i = 0; i < 300; ++i) {
    expected.push_back(std::to_string(i));
    pool->QueueJob(RCPtr<LThreadWorker>(new NamedJob(log, expected.back())), nullptr, 0);
  }
  EXPECT_EQ(log.WaitForCount(300), expected);
}

// A job that notes, through the platform thread layer, the name of the thread that
// asks for its name (the pool asks when it hands the job to a worker) and of the one
// that runs it.
class JobNotingThreadNames : public LThreadWorker {
public:
  explicit JobNotingThreadNames(std::string name) : mName(std::move(name)) {}
  String ToString() const override {
    std::lock_guard<std::mutex> guard(mLock);
    mAskedOn = Platform::PlatformThread::CurrentThreadName();
    return String(mName.c_str());
  }
  SVRESULT Run(const RCPtr<LRefCountedObject>&) override {
    {
      std::lock_guard<std::mutex> guard(mLock);
      mRanOn = Platform::PlatformThread::CurrentThreadName();
    }
    ran.Set();
    return S_OK;
  }
  std::string AskedOn() const {
    std::lock_guard<std::mutex> guard(mLock);
    return mAskedOn;
  }
  std::string RanOn() const {
    std::lock_guard<std::mutex> guard(mLock);
    return mRanOn;
  }
  Event ran{false};

private:
  const std::string mName;
  mutable std::mutex mLock;
  mutable std::string mAskedOn;
  std::string mRanOn;
};

TEST_F(ThreadPoolWithOneBusyWorker, TheDispatchThreadHasItsNameAndAWorkerTakesThatOfItsJob) {
  RCPtr<JobNotingThreadNames> job(new JobNotingThreadNames("MidiCapture"));
  mPool->QueueJob(job, nullptr, 0);
  mGate->Set();
  ASSERT_TRUE(Signalled(job->ran));
  const std::string dispatchName(LThreadPool::kDispatchThreadName);
  EXPECT_EQ(dispatchName, "LThreadPool::mQueueThreader");
  EXPECT_EQ(job->AskedOn(), dispatchName.substr(0, Platform::PlatformThread::MaximumNameLength));
  EXPECT_EQ(job->RanOn(), "MidiCapture");
}

// A job that drops the last reference to the pool that runs it.
class ReleasesItsPool : public LThreadWorker {
public:
  explicit ReleasesItsPool(RCPtr<LThreadPool> pool) : mPool(std::move(pool)) {}
  SVRESULT Run(const RCPtr<LRefCountedObject>&) override {
    mPool.Reset();
    done.Set();
    return S_OK;
  }
  Event done{false};

private:
  RCPtr<LThreadPool> mPool;
};

TEST(ThreadPool, APoolReleasedFromInsideItsOwnJobNeitherHangsNorCrashes) {
  RCPtr<LThreadPool> pool = LThreadPool::Create(1, 2);
  RCPtr<ReleasesItsPool> job(new ReleasesItsPool(pool));
  pool->QueueJob(job, nullptr, 0);
  pool.Reset();
  EXPECT_TRUE(Signalled(job->done));
}

TEST(ThreadPool, APoolWhoseLastReferenceGoesWithItsDispatchLoopEndsCleanly) {
  RunLog log;
  auto gate = std::make_shared<Event>(false);
  auto argumentReleased = std::make_shared<Event>(false);
  RCPtr<LThreadPool> pool = LThreadPool::Create(1, 2);
  RCPtr<NamedJob> blocker(new NamedJob(log, "blocker", gate));
  pool->QueueJob(blocker, nullptr, 0);
  ASSERT_TRUE(Signalled(blocker->started));
  // Starts the dispatch loop, which then holds the pool's last references.
  pool->QueueJob(RCPtr<LThreadWorker>(new NamedJob(log, "pending")),
                 RCPtr<LRefCountedObject>(new Testing::WatchedObject(argumentReleased)), 0);
  pool.Reset();
  gate->Set();
  // The pool ends on its dispatch thread; the job it handed out last may run or be
  // dropped by that shut-down, but its argument is released either way.
  EXPECT_TRUE(Signalled(*argumentReleased));
  EXPECT_EQ(log.WaitForCount(1).front(), "blocker");
}

}  // namespace
}  // namespace SV
