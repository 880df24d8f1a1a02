#include "SVFramework/Threads/EventGatedThreader.h"

#include <gtest/gtest.h>

#include <memory>
#include <stdexcept>

#include "tests/Support/RecordingWorker.h"

namespace SV {
namespace {

using Platform::WaitSignalled;
using Platform::WaitTimedOut;
using Testing::RecordingWorker;
using Testing::WatchedObject;

constexpr int32_t kForever = -1;

class EventGatedThreaderTest : public testing::Test {
protected:
  RCPtr<LEvent> event = LEvent::Create(true);
  RCPtr<RecordingWorker> worker{new RecordingWorker()};
};

TEST_F(EventGatedThreaderTest, WithoutIntervalRunsTheWorkerOnlyWhenSignalled) {
  RCPtr<LEventGatedThreader> threader = LEventGatedThreader::Create(event, worker, NullObjectPtr(), 0);
  EXPECT_EQ(threader->GetInterval(), LEventGatedThreader::NoInterval);
  EXPECT_EQ(worker->ran.Wait(50), WaitTimedOut) << "ran without a signal";
  for (int signal = 1; signal <= 3; ++signal) {
    event->Set();
    ASSERT_EQ(worker->ran.Wait(kForever), WaitSignalled);
    EXPECT_EQ(worker->runs.load(), signal);
  }
}

TEST_F(EventGatedThreaderTest, WithAnIntervalRunsTheWorkerAgainWithoutASignal) {
  RCPtr<LEventGatedThreader> threader = LEventGatedThreader::Create(event, worker, NullObjectPtr(), 0);
  threader->SetInterval(5);
  event->Set();
  for (int run = 0; run < 3; ++run)
    ASSERT_EQ(worker->ran.Wait(kForever), WaitSignalled);
  EXPECT_GE(worker->runs.load(), 3);
}

TEST_F(EventGatedThreaderTest, IsBusyOnlyWhileTheWorkerRuns) {
  Event entered(false);
  Event release(false);
  worker->onRun = [&] {
    entered.Set();
    release.Wait(kForever);
  };
  RCPtr<LEventGatedThreader> threader = LEventGatedThreader::Create(event, worker, NullObjectPtr(), 0);
  EXPECT_FALSE(threader->IsBusy());
  event->Set();
  ASSERT_EQ(entered.Wait(kForever), WaitSignalled);
  EXPECT_TRUE(threader->IsBusy());
  release.Set();
  ASSERT_EQ(worker->ran.Wait(kForever), WaitSignalled);
}

TEST_F(EventGatedThreaderTest, ReleasingTheLastReferenceStopsTheThreadAndReleasesWhatItHeld) {
  auto workerDestroyed = std::make_shared<Event>(false);
  auto argumentDestroyed = std::make_shared<Event>(false);
  {
    RCPtr<RecordingWorker> ownWorker(new RecordingWorker(workerDestroyed));
    RCPtr<LRefCountedObject> argument(new WatchedObject(argumentDestroyed));
    RCPtr<LEventGatedThreader> threader = LEventGatedThreader::Create(event, ownWorker, argument, 0);
    event->Set();
    ASSERT_EQ(ownWorker->ran.Wait(kForever), WaitSignalled);
    EXPECT_EQ(ownWorker->lastArgument.load(), argument.Get());
  }
  EXPECT_EQ(workerDestroyed->Wait(0), WaitSignalled) << "the worker was released when the threader went";
  EXPECT_EQ(argumentDestroyed->Wait(0), WaitSignalled) << "the argument was released when the threader went";
  EXPECT_EQ(event->GetRefCount(), 1) << "only the owner holds the event";
}

TEST_F(EventGatedThreaderTest, ReleasedFromInsideItsOwnWorkerNeitherHangsNorTouchesTheFreedObject) {
  auto workerDestroyed = std::make_shared<Event>(false);
  {
    RCPtr<RecordingWorker> ownWorker(new RecordingWorker(workerDestroyed));
    auto threader = std::make_shared<RCPtr<LEventGatedThreader>>(
        LEventGatedThreader::Create(event, ownWorker, NullObjectPtr(), 0));
    ownWorker->onRun = [threader] { threader->Reset(); };
    event->Set();
  }
  EXPECT_EQ(workerDestroyed->Wait(kForever), WaitSignalled)
      << "the thread ended and released its worker after the threader was gone";
}

TEST_F(EventGatedThreaderTest, RefusesToBeCreatedWithoutAnEvent) {
  EXPECT_THROW(LEventGatedThreader::Create(RCPtr<LEvent>(), worker, NullObjectPtr(), 0), std::invalid_argument);
}

}  // namespace
}  // namespace SV
