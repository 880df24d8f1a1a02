#include "SVFramework/Application/ApplicationClock.h"

#include <gtest/gtest.h>

namespace SV {
namespace {

// A millisecond counter the test sets by hand.
uint32_t gTicks = 0;
uint32_t ManualTicks() { return gTicks; }

TEST(ApplicationClockTest, CountsSecondsSinceConstructionAcrossTheCounterWrap) {
  struct Case {
    const char* what;
    uint32_t start;
    uint32_t step;
  };
  const Case cases[] = {
      {"plain", 1000, 1500},
      {"wraps in the first step", 0xFFFFFC18u, 1500},
      {"starts at the top", 0xFFFFFFFFu, 1500},
  };
  for (const Case& c : cases) {
    gTicks = c.start;
    ApplicationClock clock(&ManualTicks);
    EXPECT_DOUBLE_EQ(clock.GetTime(), 0.0) << c.what;
    gTicks += c.step;
    EXPECT_DOUBLE_EQ(clock.GetTime(), 1.5) << c.what;
    gTicks += c.step;
    EXPECT_DOUBLE_EQ(clock.GetTime(), 3.0) << c.what;
    EXPECT_EQ(clock.GetTickCount(), gTicks) << c.what;
  }
}

}  // namespace
}  // namespace SV
