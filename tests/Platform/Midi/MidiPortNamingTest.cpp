#include "Platform/Midi/MidiPortNaming.h"

#include <gtest/gtest.h>
#include "tests/Support/CaseName.h"

namespace Platform::Midi {
namespace {

struct NamingCase {
  const char* what;
  MidiPortApi api;
  std::vector<std::string> raw;
  std::vector<std::u16string> shown;
};

class MidiPortNamingCases : public testing::TestWithParam<NamingCase> {};

TEST_P(MidiPortNamingCases, ShowsEachPortUnderTheNameTheRuleGives) {
  EXPECT_EQ(MidiPortNaming::DisplayNames(GetParam().api, GetParam().raw), GetParam().shown)
      << GetParam().what;
}

INSTANTIATE_TEST_SUITE_P(Cases, MidiPortNamingCases, testing::Values(
    NamingCase{"an ALSA device's only port is named after the device", MidiPortApi::Alsa,
               {"Corvex:Corvex MIDI 1 24:0"}, {u"Corvex"}},
    NamingCase{"a further port keeps its own name when it begins with the device's", MidiPortApi::Alsa,
               {"Corvex:Corvex MIDI 1 24:0", "Corvex:Corvex MIDI 2 24:1"}, {u"Corvex", u"Corvex MIDI 2"}},
    NamingCase{"a device that names its ports is still found by its own name", MidiPortApi::Alsa,
               {"Corvex:Keys 24:0", "Corvex:DAW 24:1"}, {u"Corvex", u"Corvex DAW"}},
    NamingCase{"a device called Corvex USB stays apart from Corvex", MidiPortApi::Alsa,
               {"Corvex USB:Corvex USB MIDI 1 28:0"}, {u"Corvex USB"}},
    NamingCase{"two devices of one name are grouped by client number, not by name", MidiPortApi::Alsa,
               {"Corvex:Corvex MIDI 1 24:0", "Corvex:Corvex MIDI 1 28:0"}, {u"Corvex", u"Corvex"}},
    NamingCase{"ALSA's software ports", MidiPortApi::Alsa,
               {"Midi Through:Midi Through Port-0 14:0"}, {u"Midi Through"}},
    NamingCase{"an ALSA name without an address", MidiPortApi::Alsa,
               {"Corvex:Corvex MIDI 1"}, {u"Corvex"}},
    NamingCase{"a JACK client's first port is named after the client", MidiPortApi::Jack,
               {"Corvex:midi_out"}, {u"Corvex"}},
    NamingCase{"a JACK client's further ports carry the client's name", MidiPortApi::Jack,
               {"system:midi_capture_1", "system:midi_capture_2"}, {u"system", u"system midi_capture_2"}},
    NamingCase{"JACK's ALSA bridge counts as the ALSA device", MidiPortApi::Jack,
               {"a2j:Corvex [24] (capture): Corvex MIDI 1", "a2j:Corvex [24] (capture): Corvex MIDI 2",
                "a2j:Midi Through [14] (capture): Midi Through Port-0"},
               {u"Corvex", u"Corvex MIDI 2", u"Midi Through"}},
    NamingCase{"UTF-8 names become UTF-16, malformed bytes U+FFFD", MidiPortApi::Jack,
               {"Caf\xC3\xA9:in", "Bad\xFF:in"}, {u"Caf\u00E9", u"Bad\uFFFD"}}),
    SV::Testing::NameFromWhat());

TEST(MidiPortNaming, TellsTheAlsaBridgeAndTheClientOfAPort) {
  EXPECT_TRUE(MidiPortNaming::IsAlsaBridgePort("a2j:Corvex [24] (capture): Corvex MIDI 1"));
  EXPECT_FALSE(MidiPortNaming::IsAlsaBridgePort("Corvex:midi_out"));
  EXPECT_EQ(MidiPortNaming::ClientOf("Preset Editor-01:input"), "Preset Editor-01");
  EXPECT_EQ(MidiPortNaming::ClientOf("Corvex:Corvex MIDI 1 24:0"), "Corvex");
}

}  // namespace
}  // namespace Platform::Midi
