#include <QCoreApplication>
#include <QKeyEvent>
#include <QObject>
#include <QTimer>

#include <gtest/gtest.h>

#include "Platform/Gui/EventLoop.h"
#include "Platform/Gui/WakeCadence.h"
#include "tests/Support/Renderer/GuiTestApplication.h"

namespace Platform::Gui {
namespace {

using namespace std::chrono_literals;
using Clock = WakeCadence::Clock;

constexpr WakeCadence::Periods kPeriods{.brisk = 33ms, .quiet = 250ms, .settling = 2000ms};

TEST(WakeCadenceTest, BriskWithinTheSettlingSpanAfterTheLastActivityQuietAfterIt) {
  const Clock::time_point start{};
  struct Case {
    std::chrono::milliseconds activityAt;  // after start; 0: none but the start
    std::chrono::milliseconds askedAt;
    std::chrono::milliseconds period;
  };
  const Case cases[] = {
      {0ms, 0ms, 33ms},        {0ms, 1999ms, 33ms},     {0ms, 2000ms, 250ms},
      {0ms, 60000ms, 250ms},   {5000ms, 6000ms, 33ms},  {5000ms, 7000ms, 250ms},
      {5000ms, 4000ms, 33ms},  // asked before the activity: still within the span
  };
  for (const Case& each : cases) {
    WakeCadence cadence(start, kPeriods);
    cadence.NoteActivity(start + each.activityAt);
    EXPECT_EQ(cadence.PeriodAt(start + each.askedAt), each.period)
        << "activity at " << each.activityAt.count() << " ms, asked at " << each.askedAt.count() << " ms";
  }
}

TEST(WakeCadenceTest, AnEarlierActivityNotedLateDoesNotShortenTheSpan) {
  const Clock::time_point start{};
  WakeCadence cadence(start, kPeriods);
  cadence.NoteActivity(start + 5s);
  cadence.NoteActivity(start + 1s);
  EXPECT_EQ(cadence.PeriodAt(start + 6500ms), 33ms);
}

class WakeTimerTest : public ::testing::Test {
protected:
  void SetUp() override { SV::Testing::EnsureGuiApplication(); }

  WakeTimer::Now Clocked() {
    return [this] { return now; };
  }
  // Runs the loop until `done` holds after a wake (the timer's own ticks wake it).
  static void RunUntil(const std::function<bool()>& done) {
    EventLoop* running = nullptr;
    EventLoop loop([&](int) {
      if (done()) running->Quit(0);
      return false;
    });
    running = &loop;
    loop.Run();
  }

  Clock::time_point now{};
};

TEST_F(WakeTimerTest, GoesQuietAtTheFirstTickAfterTheSettlingSpanWithoutActivity) {
  WakeTimer timer(kPeriods, Clocked());
  EXPECT_EQ(timer.GetPeriod(), 33ms);
  now += 2s;
  RunUntil([&] { return timer.GetPeriod() == 250ms; });
  EXPECT_EQ(timer.GetPeriod(), 250ms);
}

TEST_F(WakeTimerTest, InputAndPaintsMakeAQuietTimerBriskAtOnceAndOtherEventsDoNot) {
  WakeTimer timer(kPeriods, Clocked());
  now += 3s;
  RunUntil([&] { return timer.GetPeriod() == 250ms; });
  QObject target;
  QEvent ignored(QEvent::User);
  QCoreApplication::sendEvent(&target, &ignored);
  EXPECT_EQ(timer.GetPeriod(), 250ms) << "an event that is neither input nor a paint";
  QKeyEvent key(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier);
  QCoreApplication::sendEvent(&target, &key);
  EXPECT_EQ(timer.GetPeriod(), 33ms);
  now += 1999ms;
  QTimer::singleShot(0, [] {});
  RunUntil([] { return true; });
  EXPECT_EQ(timer.GetPeriod(), 33ms) << "still within the settling span after the key";
}

TEST_F(WakeTimerTest, NoteActivityReachesTheLatestTimerOfTheThread) {
  EXPECT_FALSE(WakeTimer::Exists());
  WakeTimer::NoteActivity();  // none: nothing happens
  WakeTimer outer(kPeriods, Clocked());
  now += 3s;
  RunUntil([&] { return outer.GetPeriod() == 250ms; });
  {
    WakeTimer inner(kPeriods, Clocked());
    now += 3s;
    RunUntil([&] { return inner.GetPeriod() == 250ms; });
    WakeTimer::NoteActivity();
    EXPECT_EQ(inner.GetPeriod(), 33ms);
    EXPECT_EQ(outer.GetPeriod(), 250ms);
  }
  EXPECT_TRUE(WakeTimer::Exists());
  WakeTimer::NoteActivity();
  EXPECT_EQ(outer.GetPeriod(), 33ms);
}

}  // namespace
}  // namespace Platform::Gui
