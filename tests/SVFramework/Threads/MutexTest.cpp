#include "SVFramework/Threads/Mutex.h"

#include <gtest/gtest.h>

#include <future>

namespace SV {
namespace {

TEST(Mutex, OwnerCanEnterAgainAndOthersWaitUntilItLeavesAsOftenAsItEntered) {
  Mutex mutex;
  mutex.Enter();
  {
    MutexLock nested(mutex);  // would deadlock if the lock were not recursive
    EXPECT_FALSE(std::async(std::launch::async, [&] { return mutex.TryEnter(); }).get());
  }
  EXPECT_FALSE(std::async(std::launch::async, [&] { return mutex.TryEnter(); }).get());
  mutex.Leave();
  EXPECT_TRUE(std::async(std::launch::async, [&] {
    const bool entered = mutex.TryEnter();
    if (entered) mutex.Leave();
    return entered;
  }).get());
}

}  // namespace
}  // namespace SV
