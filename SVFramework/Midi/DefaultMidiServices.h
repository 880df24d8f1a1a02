#pragma once
#include <memory>

namespace Platform::Midi {
class MidiServices;
}

namespace SV {

// The MIDI services that port managers made without services of their own use
// (LMidiCommInterface::Create): the machine's ALSA and JACK ports through RtMidi,
// made at first use, unless SetDefaultMidiServices chose others (for example the
// fake backend in tests). Any thread.
std::shared_ptr<::Platform::Midi::MidiServices> GetDefaultMidiServices();

// Makes `services` the default for port managers made from now on; null goes back
// to the machine's services. Managers made before keep theirs.
void SetDefaultMidiServices(std::shared_ptr<::Platform::Midi::MidiServices> services);

}  // namespace SV
