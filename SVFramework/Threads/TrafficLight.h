#pragma once
#include "SVFramework/Threads/Event.h"

namespace SV {

// A gate that stays open until it is closed again: a manual-reset event that starts
// red (not signalled). Any thread may open, close, look at or wait on it.
class TrafficLight : public Event {
public:
  TrafficLight() : Event(false) {}

  // Opens the gate for every waiter until Reset; true when the platform call
  // succeeded.
  bool SetGreen() { return Set(); }
  // True unless a wait of 0 ms times out; does not close the gate.
  bool IsGreen() { return Wait(0) != Platform::WaitTimedOut; }
};

}  // namespace SV
