#include "Platform/Gui/WakeCadence.h"

#include <algorithm>

namespace Platform::Gui {

WakeCadence::WakeCadence(Clock::time_point start, Periods periods) : mPeriods(periods), mLastActivity(start) {}

void WakeCadence::NoteActivity(Clock::time_point now) { mLastActivity = std::max(mLastActivity, now); }

std::chrono::milliseconds WakeCadence::PeriodAt(Clock::time_point now) const {
  return now - mLastActivity < mPeriods.settling ? mPeriods.brisk : mPeriods.quiet;
}

}  // namespace Platform::Gui
