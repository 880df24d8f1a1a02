#pragma once
#include <chrono>

namespace Platform::Gui {

// The periods of a WakeCadence: brisk, quiet, and the settling span after the last
// activity during which it stays brisk.
struct WakePeriods {
  std::chrono::milliseconds brisk{33};
  std::chrono::milliseconds quiet{250};
  std::chrono::milliseconds settling{2000};
};

// How often the run loop's wake timer fires: briskly while anything happens (input,
// paints, an idle pass that left work) and for a settling span after the last of it,
// so that hover delays, repeats and idle work keep their pace; slowly once all is
// quiet, so that an idle program costs next to nothing. Pure bookkeeping on the
// times it is given. One thread only.
class WakeCadence {
public:
  using Clock = std::chrono::steady_clock;
  using Periods = WakePeriods;

  // Brisk from `start` on, as if something had just happened.
  explicit WakeCadence(Clock::time_point start, Periods periods = {});

  // Something happened at `now` (a time earlier than one noted before changes nothing).
  void NoteActivity(Clock::time_point now);
  // The period for the next wake: brisk within the settling span after the last
  // activity, quiet after it.
  std::chrono::milliseconds PeriodAt(Clock::time_point now) const;
  const Periods& GetPeriods() const { return mPeriods; }

private:
  Periods mPeriods;
  Clock::time_point mLastActivity;
};

}  // namespace Platform::Gui
