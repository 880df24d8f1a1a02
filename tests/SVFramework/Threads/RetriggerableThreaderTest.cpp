#include "SVFramework/Threads/RetriggerableThreader.h"

#include <gtest/gtest.h>
#include <pthread.h>

#include <chrono>
#include <memory>
#include <string>

#include "tests/Support/RecordingWorker.h"

namespace SV {
namespace {

using Platform::WaitSignalled;
using Platform::WaitTimedOut;
using Testing::RecordingWorker;
using Testing::WatchedObject;

constexpr int32_t kForever = -1;

class RetriggerableThreaderTest : public testing::Test {
protected:
  RetriggerableThreader threader{String(u"Tester")};
  RCPtr<RecordingWorker> worker{new RecordingWorker()};
  RCPtr<LEvent> done = LEvent::Create(true);
};

TEST_F(RetriggerableThreaderTest, RefusesATriggerWhileBusyAndTakesOneAgainAfterTheJob) {
  Event release(false);
  worker->onRun = [&release] { release.Wait(kForever); };
  EXPECT_EQ(threader.Trigger(worker, NullObjectPtr(), done, Thread::PriorityNormal), S_OK);
  EXPECT_TRUE(threader.IsBusy());
  EXPECT_EQ(threader.Trigger(worker, NullObjectPtr(), done, Thread::PriorityNormal), E_FAIL);
  EXPECT_EQ(threader.TriggerNoWait(worker, NullObjectPtr(), Thread::PriorityNormal), E_FAIL);
  release.Set();
  ASSERT_EQ(done->Wait(kForever), WaitSignalled);
  EXPECT_EQ(worker->runs.load(), 1) << "a refused trigger runs nothing";
  EXPECT_EQ(threader.Trigger(worker, NullObjectPtr(), done, Thread::PriorityHighest), S_OK);
  ASSERT_EQ(done->Wait(kForever), WaitSignalled);
  EXPECT_EQ(worker->runs.load(), 2);
}

TEST_F(RetriggerableThreaderTest, DoneEventIsResetAtTheTriggerAndSignalledAfterTheJobWithBusyClear) {
  done->Set();
  std::atomic<int32_t> doneDuringJob{WaitSignalled};
  worker->onRun = [this, &doneDuringJob] { doneDuringJob = done->Wait(0); };
  ASSERT_EQ(threader.Trigger(worker, NullObjectPtr(), done, Thread::PriorityNormal), S_OK);
  ASSERT_EQ(done->Wait(kForever), WaitSignalled);
  EXPECT_FALSE(threader.IsBusy()) << "busy is clear before the done event is signalled";
  EXPECT_EQ(doneDuringJob.load(), WaitTimedOut) << "the trigger reset the done event";
}

TEST_F(RetriggerableThreaderTest, HandsTheJobItsArgumentAndReleasesBothAfterTheJob) {
  auto argumentDestroyed = std::make_shared<Event>(false);
  auto workerDestroyed = std::make_shared<Event>(false);
  RCPtr<LRefCountedObject> argument(new WatchedObject(argumentDestroyed));
  LRefCountedObject* argumentSeen = argument.Get();
  RCPtr<RecordingWorker> job(new RecordingWorker(workerDestroyed));
  ASSERT_EQ(threader.Trigger(job, argument, done, Thread::PriorityNormal), S_OK);
  ASSERT_EQ(done->Wait(kForever), WaitSignalled);
  EXPECT_EQ(job->lastArgument.load(), argumentSeen);
  argument.Reset();
  job.Reset();
  EXPECT_EQ(argumentDestroyed->Wait(0), WaitSignalled) << "the threader kept no reference to the argument";
  EXPECT_EQ(workerDestroyed->Wait(0), WaitSignalled) << "the threader kept no reference to the job";
}

TEST_F(RetriggerableThreaderTest, TriggerWithoutDoneEventDropsOneLeftFromAnEarlierTrigger) {
  worker->onRun = [] {};
  ASSERT_EQ(threader.Trigger(worker, NullObjectPtr(), done, Thread::PriorityNormal), S_OK);
  ASSERT_EQ(done->Wait(kForever), WaitSignalled);
  ASSERT_EQ(worker->ran.Wait(kForever), WaitSignalled);
  ASSERT_EQ(threader.TriggerNoWait(worker, NullObjectPtr(), Thread::PriorityNormal), S_OK);
  ASSERT_EQ(worker->ran.Wait(kForever), WaitSignalled);
  threader.Shutdown();
  EXPECT_EQ(done->Wait(0), WaitTimedOut) << "the second job signalled the first job's done event";
  EXPECT_EQ(done->GetRefCount(), 1);
}

TEST_F(RetriggerableThreaderTest, ShowsItsNameAsTextAndToTheDebugger) {
  std::string threadName;
  worker->onRun = [&threadName] {
    char name[32] = {};
    pthread_getname_np(pthread_self(), name, sizeof name);
    threadName = name;
  };
  EXPECT_TRUE(threader.ToString() == u"Tester");
  threader.SetName(String(u"Renamed worker thread"));
  EXPECT_TRUE(threader.ToString() == u"Renamed worker thread");
  ASSERT_EQ(threader.Trigger(worker, NullObjectPtr(), done, Thread::PriorityNormal), S_OK);
  ASSERT_EQ(done->Wait(kForever), WaitSignalled);
  EXPECT_EQ(threadName, "Renamed worker ");
}

TEST_F(RetriggerableThreaderTest, AfterShutdownRefusesTriggersAndStillSignalsADoneEventItHeld) {
  ASSERT_EQ(threader.Trigger(worker, NullObjectPtr(), done, Thread::PriorityNormal), S_OK);
  threader.Shutdown();
  EXPECT_EQ(done->Wait(0), WaitSignalled) << "the job ran or was dropped, and its done event was signalled";
  EXPECT_FALSE(threader.IsBusy());
  EXPECT_EQ(threader.Trigger(worker, NullObjectPtr(), done, Thread::PriorityNormal), E_FAIL);
  EXPECT_EQ(threader.TriggerNoWait(worker, NullObjectPtr(), Thread::PriorityNormal), E_FAIL);
}

TEST(RetriggerableThreader, DestroyingAnIdleThreaderReturnsAtOnce) {
  const auto start = std::chrono::steady_clock::now();
  { RetriggerableThreader threader{String(u"Idle")}; }
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(10))
      << "the destructor waited out its stop time-out";
}

TEST(RetriggerableThreader, ReleasedFromInsideItsOwnJobNeitherHangsNorTouchesTheFreedObject) {
  auto workerDestroyed = std::make_shared<Event>(false);
  RCPtr<LEvent> done = LEvent::Create(true);
  auto threader = std::make_shared<std::unique_ptr<RetriggerableThreader>>(
      std::make_unique<RetriggerableThreader>(String(u"Self-ending")));
  {
    RCPtr<RecordingWorker> worker(new RecordingWorker(workerDestroyed));
    worker->onRun = [threader] { threader->reset(); };
    ASSERT_EQ((*threader)->Trigger(worker, NullObjectPtr(), done, Thread::PriorityNormal), S_OK);
  }
  EXPECT_EQ(done->Wait(kForever), WaitSignalled) << "the loop finished the job after its threader was gone";
  EXPECT_EQ(workerDestroyed->Wait(kForever), WaitSignalled);
}

TEST(RetriggerableThreader, JobOutlivingTheBoundedStopWaitNeverTouchesTheDestroyedThreader) {
  auto workerDestroyed = std::make_shared<Event>(false);
  auto entered = std::make_shared<Event>(false);
  auto release = std::make_shared<Event>(false);
  RCPtr<LEvent> done = LEvent::Create(true);
  {
    RetriggerableThreader threader{String(u"Slow")};
    RCPtr<RecordingWorker> worker(new RecordingWorker(workerDestroyed));
    worker->onRun = [entered, release] {
      entered->Set();
      release->Wait(kForever);
    };
    ASSERT_EQ(threader.Trigger(worker, NullObjectPtr(), done, Thread::PriorityNormal), S_OK);
    ASSERT_EQ(entered->Wait(kForever), WaitSignalled);
    threader.Shutdown(10);
  }
  release->Set();
  EXPECT_EQ(done->Wait(kForever), WaitSignalled);
  EXPECT_EQ(workerDestroyed->Wait(kForever), WaitSignalled);
}

}  // namespace
}  // namespace SV
