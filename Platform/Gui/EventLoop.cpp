#include "Platform/Gui/EventLoop.h"

#include <QAbstractEventDispatcher>
#include <QCoreApplication>
#include <QEvent>
#include <QEventLoop>
#include <QTimer>

#include <algorithm>
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

void EventLoop::WakeSoon() { WakeDispatcher(); }

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

// The timer with its cadence; as the application's event filter it notes input and
// paints as activity. Its ticks re-plan the period.
struct WakeTimer::Timer : QObject {
  Timer(WakeCadence::Periods periods, Now clock) : now(std::move(clock)), cadence(now(), periods) {
    QObject::connect(&timer, &QTimer::timeout, this, [this] { Replan(); });
    timer.start(cadence.PeriodAt(now()));
    if (QCoreApplication* application = QCoreApplication::instance()) application->installEventFilter(this);
  }
  ~Timer() override {
    if (QCoreApplication* application = QCoreApplication::instance()) application->removeEventFilter(this);
  }

  void NoteActivity() {
    cadence.NoteActivity(now());
    if (timer.intervalAsDuration() != cadence.GetPeriods().brisk) timer.start(cadence.GetPeriods().brisk);
  }
  void Replan() {
    const std::chrono::milliseconds period = cadence.PeriodAt(now());
    if (timer.intervalAsDuration() != period) timer.setInterval(period);
  }
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (IsActivity(event->type())) NoteActivity();
    return QObject::eventFilter(watched, event);
  }
  static bool IsActivity(QEvent::Type type) {
    switch (type) {
      case QEvent::MouseButtonPress:
      case QEvent::MouseButtonRelease:
      case QEvent::MouseButtonDblClick:
      case QEvent::MouseMove:
      case QEvent::KeyPress:
      case QEvent::KeyRelease:
      case QEvent::Wheel:
      case QEvent::Enter:
      case QEvent::Leave:
      case QEvent::FocusIn:
      case QEvent::FocusOut:
      case QEvent::Expose:
      case QEvent::UpdateRequest:
      case QEvent::Paint:
      case QEvent::Resize:
      case QEvent::Show:
        return true;
      default:
        return false;
    }
  }

  Now now;
  WakeCadence cadence;
  QTimer timer;
};

namespace {
// The timers of this thread, the current one last.
thread_local std::vector<WakeTimer*> tWakeTimers;
}  // namespace

WakeTimer::WakeTimer(WakeCadence::Periods periods, Now now)
    : mTimer(std::make_unique<Timer>(periods, std::move(now))) {
  tWakeTimers.push_back(this);
}

WakeTimer::~WakeTimer() { std::erase(tWakeTimers, this); }

void WakeTimer::NoteActivity() {
  if (!tWakeTimers.empty()) tWakeTimers.back()->mTimer->NoteActivity();
}

bool WakeTimer::Exists() { return !tWakeTimers.empty(); }

std::chrono::milliseconds WakeTimer::GetPeriod() const {
  return std::chrono::duration_cast<std::chrono::milliseconds>(mTimer->timer.intervalAsDuration());
}

}  // namespace Platform::Gui
