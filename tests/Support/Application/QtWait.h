#pragma once
#include <QCoreApplication>
#include <QDeadlineTimer>

namespace SV::Testing {

// Processes Qt's events until `condition` holds or five seconds have passed; whether it holds.
template <class Condition>
bool WaitFor(Condition condition) {
  QDeadlineTimer deadline(5000);
  while (!condition() && !deadline.hasExpired()) QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
  return condition();
}

}  // namespace SV::Testing
