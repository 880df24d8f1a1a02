#pragma once
#include <mutex>

namespace Platform::Midi {

// The one lock of the process around opening and closing JACK clients. The JACK
// client library is not safe when one process opens and closes clients on several
// threads at once (jack_client_open and jack_client_close change state the whole
// process shares), so every call that may open or close a client holds it: the JACK
// calls themselves, and making, opening, closing and destroying an RtMidi object on
// the JACK API. Test code that opens JACK clients of its own holds it too.
//
// Thread rule: any thread may take it, but only around such a call, and never while
// waiting for anything another thread does: not for a JACK process cycle, not for a
// callback, not for a lock that a thread holding this one may want. JACK's process
// and shutdown callbacks never take it (closing a client waits for its process
// thread). Take other locks before this one, never after it.
//
// The mutex is never destroyed, so that clients closed while the process ends still
// find it.
std::mutex& JackClientLock();

}  // namespace Platform::Midi
