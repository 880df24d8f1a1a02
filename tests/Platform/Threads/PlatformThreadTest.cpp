#include "Platform/Threads/PlatformThread.h"

#include <gtest/gtest.h>

#include <atomic>
#include <memory>
#include <string>

#include "Platform/Threads/PlatformEvent.h"

namespace SV::Platform {
namespace {

using ResetMode = PlatformEvent::ResetMode;

TEST(PlatformThread, RunsItsEntryOnlyAfterResume) {
  std::atomic<bool> ran{false};
  PlatformThread thread([&ran] { ran = true; });
  ASSERT_TRUE(thread.IsValid());
  EXPECT_EQ(thread.Wait(50), WaitTimedOut);
  EXPECT_FALSE(ran.load()) << "the entry ran before Resume";
  EXPECT_EQ(thread.Resume(), 1);
  EXPECT_EQ(thread.Wait(WaitForever), WaitSignalled);
  EXPECT_TRUE(ran.load());
  EXPECT_EQ(thread.Resume(), 0) << "a second Resume finds the thread already released";
}

TEST(PlatformThread, ReportsItsEndOnlyAfterTheEntryReturned) {
  PlatformEvent release(ResetMode::Manual);
  PlatformThread thread([&release] { release.Wait(WaitForever); });
  thread.Resume();
  EXPECT_EQ(thread.Wait(20), WaitTimedOut);
  EXPECT_FALSE(thread.HasExited());
  release.Set();
  EXPECT_EQ(thread.Wait(WaitForever), WaitSignalled);
  EXPECT_TRUE(thread.HasExited());
}

TEST(PlatformThread, ReleasesWhatItsEntryHeldBeforeReportingItsEnd) {
  auto held = std::make_shared<int>(7);
  std::weak_ptr<int> watch = held;
  PlatformThread thread([held = std::move(held)] {});
  thread.Resume();
  ASSERT_EQ(thread.Wait(WaitForever), WaitSignalled);
  EXPECT_TRUE(watch.expired());
}

TEST(PlatformThread, DestroyingTheObjectLetsARunningThreadFinishAlone) {
  auto release = std::make_shared<PlatformEvent>(ResetMode::Manual);
  auto finished = std::make_shared<PlatformEvent>(ResetMode::Manual);
  {
    PlatformThread thread([release, finished] {
      release->Wait(WaitForever);
      finished->Set();
    });
    thread.Resume();
  }
  release->Set();
  EXPECT_EQ(finished->Wait(WaitForever), WaitSignalled);
}

TEST(PlatformThread, DestroyingANeverResumedThreadNeverRunsItsEntry) {
  std::atomic<bool> ran{false};
  { PlatformThread thread([&ran] { ran = true; }); }
  EXPECT_FALSE(ran.load());
}

TEST(PlatformThread, KnowsWhetherTheCallerIsItself) {
  PlatformThread* self = nullptr;
  PlatformThread::ThreadId seenInside;
  bool insideIsCurrent = false;
  WaitResult waitOnItself = WaitSignalled;
  PlatformThread thread([&] {
    seenInside = PlatformThread::CurrentThreadId();
    insideIsCurrent = self->IsCurrentThread();
    waitOnItself = self->Wait(WaitForever);
  });
  self = &thread;
  thread.Resume();
  ASSERT_EQ(thread.Wait(WaitForever), WaitSignalled);
  EXPECT_EQ(seenInside, thread.GetId());
  EXPECT_TRUE(insideIsCurrent);
  EXPECT_FALSE(thread.IsCurrentThread());
  EXPECT_EQ(waitOnItself, WaitFailed) << "a wait for its own end fails instead of hanging";
}

TEST(PlatformThread, ObjectDestroyedByItsOwnEntryNeitherHangsNorJoinsItself) {
  auto finished = std::make_shared<PlatformEvent>(ResetMode::Manual);
  auto owner = std::make_shared<std::unique_ptr<PlatformThread>>();
  *owner = std::make_unique<PlatformThread>([owner, finished] {
    owner->reset();
    finished->Set();
  });
  (*owner)->Resume();
  EXPECT_EQ(finished->Wait(WaitForever), WaitSignalled);
}

struct NameCase {
  const char* what;
  std::string given;
  std::string shown;
};

TEST(PlatformThread, ShowsItsNameCutToWhatTheDebuggerKeeps) {
  const NameCase cases[] = {
      {"a short name stays whole", "Engine", "Engine"},
      {"a long name keeps its first 15 bytes", "LThreadPool::mQueueThreader", "LThreadPool::mQ"},
      {"a cut never splits a character", "abcdefghijklmn\xC3\xA9", "abcdefghijklmn"},
  };
  for (const NameCase& row : cases) {
    std::string seen;
    PlatformThread thread([&seen] { seen = PlatformThread::CurrentThreadName(); }, row.given);
    thread.Resume();
    ASSERT_EQ(thread.Wait(WaitForever), WaitSignalled);
    EXPECT_EQ(seen, row.shown) << row.what;
  }
}

TEST(PlatformThread, TakesANewNameWhileItRuns) {
  PlatformEvent renamed(ResetMode::Manual);
  std::string seen;
  PlatformThread thread([&] {
    renamed.Wait(WaitForever);
    seen = PlatformThread::CurrentThreadName();
  }, "Before");
  thread.Resume();
  EXPECT_TRUE(thread.SetName("After"));
  renamed.Set();
  ASSERT_EQ(thread.Wait(WaitForever), WaitSignalled);
  EXPECT_EQ(seen, "After");
}

TEST(PlatformThread, RecordsEveryKnownPriorityLevelAndRefusesOthers) {
  PlatformEvent release(ResetMode::Manual);
  PlatformThread thread([&release] { release.Wait(WaitForever); });
  EXPECT_EQ(thread.GetPriority(), PlatformThread::PriorityNormal);
  EXPECT_TRUE(thread.SetPriority(PlatformThread::PriorityHighest)) << "set before the thread runs";
  thread.Resume();
  for (int32_t level : {PlatformThread::PriorityIdle, PlatformThread::PriorityLowest,
                        PlatformThread::PriorityBelowNormal, PlatformThread::PriorityNormal,
                        PlatformThread::PriorityAboveNormal, PlatformThread::PriorityHighest,
                        PlatformThread::PriorityTimeCritical}) {
    EXPECT_TRUE(thread.SetPriority(level)) << level;
    EXPECT_EQ(thread.GetPriority(), level);
  }
  EXPECT_FALSE(thread.SetPriority(3));
  EXPECT_EQ(thread.GetPriority(), PlatformThread::PriorityTimeCritical) << "a refused level changes nothing";
  EXPECT_TRUE(thread.SetPriorityBoost(false));
  release.Set();
  EXPECT_EQ(thread.Wait(WaitForever), WaitSignalled);
}

}  // namespace
}  // namespace SV::Platform
