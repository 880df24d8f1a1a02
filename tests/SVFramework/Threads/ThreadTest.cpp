#include "SVFramework/Threads/Thread.h"

#include <gtest/gtest.h>

#include <atomic>

namespace SV {
namespace {

struct EntryRecord {
  std::atomic<int> calls{0};
};

uint32_t CountCall(void* parameter) {
  static_cast<EntryRecord*>(parameter)->calls.fetch_add(1);
  return 0;
}

TEST(Thread, RunsTheEntryWithItsParameterOnlyAfterResume) {
  EntryRecord record;
  Thread thread(&CountCall, &record);
  EXPECT_FALSE(thread.Wait(20));
  EXPECT_EQ(record.calls.load(), 0);
  EXPECT_TRUE(thread.SetPriorityBoost(false));
  EXPECT_TRUE(thread.SetPriority(Thread::PriorityHighest));
  EXPECT_EQ(thread.Resume(), 1);
  EXPECT_TRUE(thread.Wait(-1));
  EXPECT_TRUE(thread.HasExited());
  EXPECT_EQ(record.calls.load(), 1);
}

TEST(Thread, WaitOnItselfFailsInsteadOfHanging) {
  Thread* self = nullptr;
  std::atomic<bool> waitedOnItself{true};
  std::atomic<bool> knewItself{false};
  Thread thread([&] {
    knewItself = self->IsCurrentThread();
    waitedOnItself = self->Wait(-1);
  });
  self = &thread;
  thread.Resume();
  ASSERT_TRUE(thread.Wait(-1));
  EXPECT_TRUE(knewItself.load());
  EXPECT_FALSE(waitedOnItself.load());
  EXPECT_FALSE(thread.IsCurrentThread());
}

}  // namespace
}  // namespace SV
