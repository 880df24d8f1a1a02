#pragma once
#include <string>
#include <string_view>
#include <vector>

namespace Platform::Midi {

// The MIDI systems whose port names MidiPortNaming reads.
enum class MidiPortApi { Alsa, Jack };

// Turns the port names of the Linux MIDI systems, as RtMidi gives them, into the
// names users see and the port manager matches against, by one rule (described in
// this folder's README):
//  - ALSA gives "client:port client-number:port-number", JACK "client:port"; the
//    numbers are dropped and the ports are grouped by client (ALSA by client number).
//    JACK's ALSA bridge "a2j:client [number] (capture): port" counts as that ALSA
//    client.
//  - The first port of each client in the list is named after the client alone
//    ("Corvex:Corvex MIDI 1 24:0" gives "Corvex").
//  - Each further port of the client gets its port name when that begins with the
//    client's name ("Corvex MIDI 2"), and "client port" otherwise.
// Pure functions, callable from any thread.
class MidiPortNaming {
public:
  // The names for one list of one system (inputs or outputs), in the list's order.
  static std::vector<std::u16string> DisplayNames(MidiPortApi api,
                                                  const std::vector<std::string>& rawNames);

  // Whether a JACK port is one of the ALSA bridge's, which ALSA lists itself.
  static bool IsAlsaBridgePort(std::string_view jackName);

  // The client part of a raw name of either system (what comes before the first
  // colon).
  static std::string ClientOf(std::string_view rawName);

  // UTF-8 to UTF-16; each malformed sequence becomes U+FFFD.
  static std::u16string FromUtf8(std::string_view text);
};

}  // namespace Platform::Midi
