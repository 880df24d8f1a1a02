#include "SVFramework/Threads/Event.h"

#include <gtest/gtest.h>

#include <thread>

#include "SVFramework/Threads/LEvent.h"

namespace SV {
namespace {

using Platform::WaitSignalled;
using Platform::WaitTimedOut;

TEST(Event, AutoResetFlagChoosesWhetherAWaitConsumesTheSignal) {
  struct Row {
    const char* what;
    bool autoReset;
    int32_t secondWait;
  };
  const Row rows[] = {
      {"an automatic-reset event passes one wait per signal", true, WaitTimedOut},
      {"a manual-reset event stays signalled", false, WaitSignalled},
  };
  for (const Row& row : rows) {
    Event event(row.autoReset);
    EXPECT_EQ(event.Wait(0), WaitTimedOut) << row.what << ": starts not signalled";
    EXPECT_TRUE(event.Set());
    EXPECT_EQ(event.Wait(0), WaitSignalled) << row.what;
    EXPECT_EQ(event.Wait(0), row.secondWait) << row.what;
    EXPECT_TRUE(event.Reset());
    EXPECT_EQ(event.Wait(0), WaitTimedOut) << row.what << ": after Reset";
  }
}

TEST(Event, SignalFromAnotherThreadEndsAWaitWithoutLimit) {
  Event event(true);
  std::thread signaller([&event] { event.Set(); });
  EXPECT_EQ(event.Wait(-1), WaitSignalled);
  signaller.join();
}

TEST(LEvent, IsAlwaysAutomaticResetWhateverFlagItIsCreatedWith) {
  for (bool flag : {true, false}) {
    RCPtr<LEvent> event = LEvent::Create(flag);
    EXPECT_EQ(event->Wait(0), WaitTimedOut);
    event->Set();
    EXPECT_EQ(event->Wait(0), WaitSignalled);
    EXPECT_EQ(event->Wait(0), WaitTimedOut) << "created with " << flag;
  }
}

}  // namespace
}  // namespace SV
