#include "SVFramework/Threads/TrafficLight.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <vector>

namespace SV {
namespace {

TEST(TrafficLight, StartsRedAndStaysGreenForEveryCallerUntilReset) {
  TrafficLight light;
  EXPECT_FALSE(light.IsGreen());
  EXPECT_TRUE(light.SetGreen());
  std::vector<std::thread> callers;
  std::atomic<int> sawGreen{0};
  for (int caller = 0; caller < 4; ++caller)
    callers.emplace_back([&] {
      if (light.Wait(-1) == Platform::WaitSignalled && light.IsGreen())
        sawGreen.fetch_add(1);
    });
  for (std::thread& caller : callers)
    caller.join();
  EXPECT_EQ(sawGreen.load(), 4);
  EXPECT_TRUE(light.IsGreen());
  light.Reset();
  EXPECT_FALSE(light.IsGreen());
  EXPECT_EQ(light.Wait(10), Platform::WaitTimedOut);
}

}  // namespace
}  // namespace SV
