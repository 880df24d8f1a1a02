#include "SVFramework/Threads/EventPool.h"

#include <gtest/gtest.h>

#include <thread>

namespace SV {
namespace {

using Platform::WaitSignalled;
using Platform::WaitTimedOut;

TEST(EventPool, WaitAnyReturnsTheLowestSignalledIndexAndClearsOnlyThatEvent) {
  EventPool pool(3);
  ASSERT_EQ(pool.GetCount(), 3);
  pool.GetEvent(2)->Set();
  pool.GetEvent(1)->Set();
  EXPECT_EQ(pool.WaitAny(0), 1);
  EXPECT_EQ(pool.GetEvent(1)->Wait(0), WaitTimedOut) << "the returned event was consumed";
  EXPECT_EQ(pool.WaitAny(0), 2) << "the other event kept its signal";
  EXPECT_EQ(pool.WaitAny(10), -1) << "a time-out reads as -1";
}

TEST(EventPool, WaitAnyWakesForAnEventSignalledByAnotherThread) {
  EventPool pool(2);
  RCPtr<LEvent> second = pool.GetEvent(1);
  std::thread signaller([second] { second->Set(); });
  EXPECT_EQ(pool.WaitAny(-1), 1);
  signaller.join();
}

TEST(EventPool, HasNoEventOutsideItsSlotsAndAnEmptyPoolNeverWaits) {
  EventPool pool(1);
  EXPECT_TRUE(pool.GetEvent(0));
  EXPECT_FALSE(pool.GetEvent(1));
  EXPECT_FALSE(pool.GetEvent(-1));
  EventPool empty(0);
  EXPECT_EQ(empty.GetCount(), 0);
  EXPECT_EQ(empty.WaitAny(-1), -1);
}

TEST(EventPool, EventsOutliveThePoolWhileSomeoneHoldsThem) {
  RCPtr<LEvent> kept;
  {
    EventPool pool(1);
    kept = pool.GetEvent(0);
  }
  EXPECT_EQ(kept->GetRefCount(), 1);
  kept->Set();
  EXPECT_EQ(kept->Wait(0), WaitSignalled);
}

}  // namespace
}  // namespace SV
