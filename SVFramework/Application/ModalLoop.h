#pragma once
#include <cstdint>

#include "Platform/Gui/EventLoop.h"

namespace SV {

// The loop of a modal window: the platform's events with the application's idle pass
// after each of them (the idle rule, the exiting flag not consulted), so that queued
// commands, tooltips and repeats keep working inside it. It shares the wake timer of
// the loop it runs in, or has one of its own while it runs when there is none. Run returns when End is
// called, from inside the loop's own handlers or idle pass. An exception escaping an
// idle pass or a guarded event handler ends it and passes on from Run. UI thread only.
class ModalLoop {
public:
  ModalLoop();

  // Runs until End; returns End's result.
  int32_t Run();
  // Ends the running loop with `result`.
  void End(int32_t result);
  bool IsRunning() const { return mLoop.IsRunning(); }

private:
  ::Platform::Gui::EventLoop mLoop;
};

}  // namespace SV
