#include "Platform/Gui/EventLoop.h"

#include <QAbstractEventDispatcher>
#include <QEventLoop>
#include <QTimer>

#include <utility>
#include <vector>

namespace Platform::Gui {
namespace {

// The loops running on this thread, innermost last.
thread_local std::vector<EventLoop*> tRunningLoops;
// An exception caught while no loop ran, waiting for the next loop.
thread_local std::exception_ptr tKept;

void WakeDispatcher() {
  if (QAbstractEventDispatcher* dispatcher = QAbstractEventDispatcher::instance()) dispatcher->wakeUp();
}

}  // namespace

EventLoop::EventLoop(IdleHandler idle) : mIdle(std::move(idle)) {}

EventLoop::~EventLoop() = default;

int EventLoop::Run() {
  mRunning = true;
  mQuit = false;
  mError = nullptr;
  tRunningLoops.push_back(this);
  QEventLoop qtLoop;
  if (tKept) Fail(std::exchange(tKept, nullptr));
  // The first round of idle calls runs at once, so that work queued before the loop
  // began does not wait for the next event.
  for (RunIdleCalls(); !mQuit; RunIdleCalls()) qtLoop.processEvents(QEventLoop::WaitForMoreEvents);
  tRunningLoops.pop_back();
  mRunning = false;
  if (mError) std::rethrow_exception(std::exchange(mError, nullptr));
  return mCode;
}

void EventLoop::RunIdleCalls() {
  for (int count = 0; !mQuit && mIdle; ++count) {
    try {
      if (!mIdle(count)) return;
    } catch (...) {
      Fail(std::current_exception());
    }
  }
}

void EventLoop::Quit(int code) {
  mCode = code;
  mQuit = true;
  WakeDispatcher();
}

void EventLoop::Fail(std::exception_ptr error) {
  if (!mError) mError = std::move(error);
  Quit(mCode);
}

void EventLoop::Guard(const std::function<void()>& handler) {
  try {
    handler();
  } catch (...) {
    if (tRunningLoops.empty()) throw;
    tRunningLoops.back()->Fail(std::current_exception());
  }
}

void EventLoop::Keep(std::exception_ptr error) {
  if (!tKept) tKept = std::move(error);
}

std::exception_ptr EventLoop::TakeKept() { return std::exchange(tKept, nullptr); }

struct WakeTimer::Timer {
  QTimer timer;
};

WakeTimer::WakeTimer(std::chrono::milliseconds period) : mTimer(std::make_unique<Timer>()) {
  mTimer->timer.start(period);
}

WakeTimer::~WakeTimer() = default;

}  // namespace Platform::Gui
