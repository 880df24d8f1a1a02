#pragma once
#include <chrono>
#include <exception>
#include <functional>
#include <memory>

#include "Platform/Gui/WakeCadence.h"

namespace Platform::Gui {

// Our run loop on Qt: it waits for events, lets Qt deliver them, and at its start and
// after each wake calls the idle handler with the number of idle calls made since that wake (0, 1,
// 2, ...) for as long as the handler answers true. A modal loop is another EventLoop
// run from inside a handler. Exceptions never pass through Qt's dispatch: the idle
// handler runs inside the loop's own boundary, and event handlers wrap themselves in
// Guard. GUI thread only.
class EventLoop {
public:
  using IdleHandler = std::function<bool(int idleCount)>;

  explicit EventLoop(IdleHandler idle);
  ~EventLoop();
  EventLoop(const EventLoop&) = delete;
  EventLoop& operator=(const EventLoop&) = delete;

  // Runs until Quit and returns its code. An exception kept by the idle handler's or
  // Guard's boundary while this is the innermost running loop ends it and is rethrown
  // here.
  int Run();
  // Ends the loop at its next turn with `code`; also from inside its own handlers.
  void Quit(int code);
  // Wakes the thread's event dispatcher, so that the running loop starts a new turn
  // (with a first idle call) as soon as the current handler returns, without waiting
  // for an event. For one that ran a loop of Qt's own (a message box): a wake given
  // meanwhile was taken by that loop.
  static void WakeSoon();
  bool IsRunning() const { return mRunning; }

  // Runs `handler`. An exception escaping it is kept instead of passing on into Qt,
  // and the innermost running loop ends and rethrows it; without a running loop the
  // exception passes on to the caller.
  static void Guard(const std::function<void()>& handler);

  // Keeps an exception caught at one of our boundaries while no loop of ours ran (the
  // first one only, later ones are dropped): the next loop to run ends with it at once
  // and rethrows it from Run, unless TakeKept hands it over before.
  static void Keep(std::exception_ptr error);
  // The kept exception, no longer kept; null when there is none.
  static std::exception_ptr TakeKept();

private:
  void RunIdleCalls();
  void Fail(std::exception_ptr error);

  IdleHandler mIdle;
  bool mRunning = false;
  bool mQuit = false;
  int mCode = 0;
  std::exception_ptr mError;
};

// A timer that only wakes the running loops of this thread (so that work posted from
// other threads and the idle pass's own timed work are picked up by the next idle pass);
// it calls nothing itself. Its pace follows a WakeCadence: brisk while input arrives,
// windows paint or an idle pass leaves work (NoteActivity), and for the cadence's
// settling span after that; quiet when nothing happens. The last one made on a thread
// is the one NoteActivity reaches. GUI thread only.
class WakeTimer {
public:
  using Clock = WakeCadence::Clock;
  using Now = std::function<Clock::time_point()>;

  explicit WakeTimer(WakePeriods periods = {}, Now now = Clock::now);
  ~WakeTimer();
  WakeTimer(const WakeTimer&) = delete;
  WakeTimer& operator=(const WakeTimer&) = delete;

  // Something happened: the current timer of this thread (if any) goes brisk at once.
  static void NoteActivity();
  // True while a WakeTimer of this thread exists.
  static bool Exists();
  // The period the timer runs with now.
  std::chrono::milliseconds GetPeriod() const;

private:
  struct Timer;
  std::unique_ptr<Timer> mTimer;
};

}  // namespace Platform::Gui
