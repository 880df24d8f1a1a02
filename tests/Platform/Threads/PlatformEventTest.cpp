#include "Platform/Threads/PlatformEvent.h"

#include <gtest/gtest.h>

#include <array>
#include <atomic>
#include <chrono>
#include <thread>
#include <vector>

namespace SV::Platform {
namespace {

using ResetMode = PlatformEvent::ResetMode;

struct SignalCase {
  const char* what;
  ResetMode mode;
  bool initiallySignalled;
  bool set;
  bool resetAfterSet;
  WaitResult firstWait;
  WaitResult secondWait;
};

TEST(PlatformEvent, KeepsOrConsumesItsSignalAsItsResetModeSays) {
  const SignalCase cases[] = {
      {"a new event is not signalled", ResetMode::Automatic, false, false, false, WaitTimedOut, WaitTimedOut},
      {"a manual event created signalled stays so", ResetMode::Manual, true, false, false, WaitSignalled, WaitSignalled},
      {"an automatic event created signalled is consumed once", ResetMode::Automatic, true, false, false, WaitSignalled, WaitTimedOut},
      {"a set manual event passes every wait", ResetMode::Manual, false, true, false, WaitSignalled, WaitSignalled},
      {"a set automatic event passes only the first wait", ResetMode::Automatic, false, true, false, WaitSignalled, WaitTimedOut},
      {"reset takes the signal back", ResetMode::Manual, false, true, true, WaitTimedOut, WaitTimedOut},
  };
  for (const SignalCase& row : cases) {
    PlatformEvent event(row.mode, row.initiallySignalled);
    if (row.set) {
      EXPECT_TRUE(event.Set()) << row.what;
    }
    if (row.resetAfterSet) {
      EXPECT_TRUE(event.Reset()) << row.what;
    }
    EXPECT_EQ(event.Wait(0), row.firstWait) << row.what;
    EXPECT_EQ(event.Wait(0), row.secondWait) << row.what;
  }
}

TEST(PlatformEvent, TimedWaitReturnsTimedOutNoSoonerThanAsked) {
  PlatformEvent event(ResetMode::Manual);
  const auto start = std::chrono::steady_clock::now();
  EXPECT_EQ(event.Wait(50), WaitTimedOut);
  EXPECT_GE(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(45));
}

TEST(PlatformEvent, SignalFromAnotherThreadEndsAWaitWithoutLimit) {
  PlatformEvent event(ResetMode::Automatic);
  std::thread signaller([&event] { event.Set(); });
  EXPECT_EQ(event.Wait(WaitForever), WaitSignalled);
  signaller.join();
}

TEST(PlatformEvent, AutomaticEventReleasesOneWaiterPerSignal) {
  PlatformEvent event(ResetMode::Automatic);
  PlatformEvent oneReleased(ResetMode::Automatic);
  std::atomic<int> released{0};
  auto waiter = [&] {
    EXPECT_EQ(event.Wait(WaitForever), WaitSignalled);
    released.fetch_add(1);
    oneReleased.Set();
  };
  std::thread first(waiter);
  std::thread second(waiter);
  event.Set();
  ASSERT_EQ(oneReleased.Wait(WaitForever), WaitSignalled);
  EXPECT_EQ(event.Wait(0), WaitTimedOut) << "the released waiter consumed the signal";
  EXPECT_EQ(released.load(), 1);
  event.Set();
  first.join();
  second.join();
  EXPECT_EQ(released.load(), 2);
}

struct WaitAnyCase {
  const char* what;
  std::array<ResetMode, 3> modes;
  std::array<bool, 3> signalled;
  WaitResult expected;
  std::array<bool, 3> signalledAfter;
};

TEST(PlatformEvent, WaitAnyReturnsTheLowestSignalledIndexAndConsumesOnlyThatEvent) {
  constexpr auto Auto = ResetMode::Automatic;
  constexpr auto Manual = ResetMode::Manual;
  const WaitAnyCase cases[] = {
      {"two signalled: the lower wins, the other keeps its signal", {Auto, Auto, Auto},
       {false, true, true}, WaitSignalled + 1, {false, false, true}},
      {"only the last is signalled", {Auto, Auto, Auto}, {false, false, true}, WaitSignalled + 2,
       {false, false, false}},
      {"a manual event keeps its signal", {Manual, Auto, Auto}, {true, true, false}, WaitSignalled + 0,
       {true, true, false}},
      {"nothing signalled times out", {Auto, Auto, Auto}, {false, false, false}, WaitTimedOut,
       {false, false, false}},
  };
  for (const WaitAnyCase& row : cases) {
    std::vector<std::unique_ptr<PlatformEvent>> events;
    std::vector<PlatformEvent*> handles;
    for (size_t index = 0; index < 3; ++index) {
      events.push_back(std::make_unique<PlatformEvent>(row.modes[index], row.signalled[index]));
      handles.push_back(events.back().get());
    }
    EXPECT_EQ(PlatformEvent::WaitAny(handles, 10), row.expected) << row.what;
    for (size_t index = 0; index < 3; ++index)
      EXPECT_EQ(events[index]->Wait(0) == WaitSignalled, row.signalledAfter[index]) << row.what << ", event " << index;
  }
}

TEST(PlatformEvent, WaitAnyRefusesAnEmptyListATooLongListOrAMissingEvent) {
  PlatformEvent event(ResetMode::Automatic, true);
  EXPECT_EQ(PlatformEvent::WaitAny({}, 0), WaitFailed);
  PlatformEvent* withNull[] = {&event, nullptr};
  EXPECT_EQ(PlatformEvent::WaitAny(withNull, 0), WaitFailed);
  std::vector<PlatformEvent*> tooMany(PlatformEvent::MaximumWaitAnyCount + 1, &event);
  EXPECT_EQ(PlatformEvent::WaitAny(tooMany, 0), WaitFailed);
  EXPECT_EQ(event.Wait(0), WaitSignalled) << "a refused wait consumes nothing";
}

TEST(PlatformEvent, WaitAnyWakesForASignalGivenWhileItWaits) {
  PlatformEvent first(ResetMode::Automatic);
  PlatformEvent second(ResetMode::Automatic);
  PlatformEvent* events[] = {&first, &second};
  std::thread signaller([&second] { second.Set(); });
  EXPECT_EQ(PlatformEvent::WaitAny(events, WaitForever), WaitSignalled + 1);
  signaller.join();
}

TEST(PlatformEvent, WaitAnyLosesNoSignalOverManyRounds) {
  constexpr int kRounds = 2000;
  std::array<PlatformEvent, 4> events{PlatformEvent(ResetMode::Automatic), PlatformEvent(ResetMode::Automatic),
                                      PlatformEvent(ResetMode::Automatic), PlatformEvent(ResetMode::Automatic)};
  PlatformEvent received(ResetMode::Automatic);
  std::thread signaller([&] {
    for (int round = 0; round < kRounds; ++round) {
      events[round % 4].Set();
      received.Wait(WaitForever);
    }
  });
  PlatformEvent* handles[] = {&events[0], &events[1], &events[2], &events[3]};
  for (int round = 0; round < kRounds; ++round) {
    EXPECT_EQ(PlatformEvent::WaitAny(handles, WaitForever), WaitSignalled + round % 4);
    received.Set();
  }
  signaller.join();
}

}  // namespace
}  // namespace SV::Platform
