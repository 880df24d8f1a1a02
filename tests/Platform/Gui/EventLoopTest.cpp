#include "Platform/Gui/EventLoop.h"

#include <QTimer>

#include <gtest/gtest.h>

#include <stdexcept>
#include <vector>

#include "tests/Support/Renderer/GuiTestApplication.h"

namespace Platform::Gui {
namespace {

class EventLoopTest : public ::testing::Test {
protected:
  void SetUp() override { SV::Testing::EnsureGuiApplication(); }
};

TEST_F(EventLoopTest, IdleHandlerRunsAfterEachWakeUntilItDeclinesAndQuitEndsTheRun) {
  std::vector<int> counts;
  int wakes = 0;
  EventLoop* running = nullptr;
  EventLoop loop([&](int count) {
    counts.push_back(count);
    if (count == 0 && ++wakes == 2) running->Quit(5);
    return count < 2;
  });
  running = &loop;
  QTimer::singleShot(0, [] {});
  EXPECT_EQ(loop.Run(), 5);
  EXPECT_EQ(counts, (std::vector<int>{0, 1, 2, 0}));
}

// A handler that ran a loop of Qt's own (whose wakes that loop took) has the next turn
// start at once, with a first idle call, rather than at the next event.
TEST_F(EventLoopTest, WakeSoonStartsANewTurnWithAFirstIdleCallWithoutAnEvent) {
  std::vector<int> counts;
  EventLoop* running = nullptr;
  EventLoop loop([&](int count) {
    counts.push_back(count);
    if (counts.size() == 1) EventLoop::WakeSoon();
    if (counts.size() == 2) running->Quit(1);
    return false;
  });
  running = &loop;
  // Only a loop that never woke gets here.
  QTimer limit;
  limit.setSingleShot(true);
  QObject::connect(&limit, &QTimer::timeout, [&] { loop.Quit(2); });
  limit.start(10000);
  EXPECT_EQ(loop.Run(), 1);
  EXPECT_EQ(counts, (std::vector<int>{0, 0}));
}

TEST_F(EventLoopTest, ExceptionFromAGuardedEventHandlerEndsTheLoopAndLeavesFromRun) {
  bool idleAfterThrow = false;
  bool thrown = false;
  EventLoop loop([&](int) {
    idleAfterThrow = thrown;
    return false;
  });
  QTimer::singleShot(0, [&] {
    EventLoop::Guard([&] {
      thrown = true;
      throw std::runtime_error("handler failed");
    });
  });
  EXPECT_THROW(loop.Run(), std::runtime_error);
  EXPECT_FALSE(loop.IsRunning());
  EXPECT_FALSE(idleAfterThrow);
}

TEST_F(EventLoopTest, ExceptionFromTheIdleHandlerLeavesFromRun) {
  EventLoop loop([](int) -> bool { throw std::logic_error("idle failed"); });
  EXPECT_THROW(loop.Run(), std::logic_error);
}

TEST_F(EventLoopTest, ExceptionInsideANestedLoopReachesTheOuterLoopThroughItsBoundary) {
  EventLoop inner([](int) -> bool { throw std::runtime_error("inner idle failed"); });
  bool started = false;
  EventLoop outer([&](int) {
    if (!started) {
      started = true;
      inner.Run();
    }
    return false;
  });
  EXPECT_THROW(outer.Run(), std::runtime_error);
  EXPECT_FALSE(inner.IsRunning());
}

TEST_F(EventLoopTest, AnExceptionKeptWhileNoLoopRanEndsTheNextLoopAtOnceAndOnlyThatOne) {
  int idleCalls = 0;
  EventLoop loop([&](int) { return ++idleCalls, false; });
  EventLoop::Keep(std::make_exception_ptr(std::runtime_error("first")));
  EventLoop::Keep(std::make_exception_ptr(std::logic_error("second")));
  EXPECT_THROW(loop.Run(), std::runtime_error) << "the first one kept";
  EXPECT_EQ(idleCalls, 0);
  QTimer::singleShot(0, [&] { loop.Quit(4); });
  EXPECT_EQ(loop.Run(), 4) << "the second was dropped";
}

TEST_F(EventLoopTest, AKeptExceptionTakenBeforeAnyLoopRunsNoLongerEndsOne) {
  EventLoop::Keep(std::make_exception_ptr(std::runtime_error("kept")));
  const std::exception_ptr taken = EventLoop::TakeKept();
  ASSERT_TRUE(taken);
  EXPECT_THROW(std::rethrow_exception(taken), std::runtime_error);
  EventLoop loop([](int) { return false; });
  QTimer::singleShot(0, [&] { loop.Quit(1); });
  EXPECT_EQ(loop.Run(), 1);
}

TEST_F(EventLoopTest, GuardWithoutARunningLoopPassesTheExceptionOn) {
  EXPECT_THROW(EventLoop::Guard([] { throw std::runtime_error("no loop"); }), std::runtime_error);
}

}  // namespace
}  // namespace Platform::Gui
