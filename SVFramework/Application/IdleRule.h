#pragma once

namespace SV {

class LFrameworkApp;

// One idle call of a platform loop, by the idle rule: after each message at most three
// idle passes (idle counts 0, 1 and 2) run before the loop waits again. Runs the
// application's idle pass (first-after-message flag for count 0) and answers whether
// the loop should call again: only when the pass left work and the count is below 2.
// The main loop stops calling once the application is exiting; a modal loop does not
// look at that flag. A pass that left work notes activity with the thread's wake timer
// (Platform::Gui::WakeTimer), which then keeps waking the loop briskly. Without an
// application nothing runs. UI thread only.
bool RunIdleCall(LFrameworkApp* application, int idleCount, bool stopWhenExiting);

}  // namespace SV
