#pragma once
#include <cstdint>

namespace SV::ParameterTable {

// The leaf module kinds that own parameters.
enum class ModuleKind { Keybed, CCValues, MidiChannels };

// One preset parameter. Its offset from the root's first ParamID is its row index.
struct ParameterDefinition {
  ModuleKind module;
  int32_t zoneIndex;        // which MIDI zone owns it; 0 for the other modules
  uint8_t defaultValue;     // the default byte, unless it is the zone index
  bool defaultIsZoneIndex;  // the MIDI channel of a zone defaults to its zone index
  const char* name;         // module path and parameter name joined by "__"
};

// The controller's preset, in ParamID order. Adding a parameter is a new row here;
// each module's run, count and defaults follow from its rows, which must stay
// together and in the same order for both zones.
inline constexpr ParameterDefinition kParameters[] = {
    {ModuleKind::Keybed, 0, 0, false, "DEVICE__KEYBED__TransposeOnOff"},
    {ModuleKind::Keybed, 0, 40, false, "DEVICE__KEYBED__TransposeValue"},
    {ModuleKind::Keybed, 0, 0, false, "DEVICE__KEYBED__SplitKeyOnOff"},
    {ModuleKind::Keybed, 0, 59, false, "DEVICE__KEYBED__SplitKeyValue"},
    {ModuleKind::CCValues, 0, 1, false, "DEVICE__CCVALUES__ModWheelCCValue"},
    {ModuleKind::CCValues, 0, 64, false, "DEVICE__CCVALUES__SustainPedalCCValue"},
    {ModuleKind::CCValues, 0, 11, false, "DEVICE__CCVALUES__Expression1PedalCCValue"},
    {ModuleKind::CCValues, 0, 65, false, "DEVICE__CCVALUES__Expression2PedalCCValue"},
    {ModuleKind::MidiChannels, 0, 0, true, "DEVICE__MIDICHANNELS_1__MidiChannel"},
    {ModuleKind::MidiChannels, 0, 1, false, "DEVICE__MIDICHANNELS_1__PitchWheelEnabled"},
    {ModuleKind::MidiChannels, 0, 1, false, "DEVICE__MIDICHANNELS_1__ModWheelEnabled"},
    {ModuleKind::MidiChannels, 0, 1, false, "DEVICE__MIDICHANNELS_1__SustainPedalEnabled"},
    {ModuleKind::MidiChannels, 0, 1, false, "DEVICE__MIDICHANNELS_1__ExpressionPedal1Enabled"},
    {ModuleKind::MidiChannels, 0, 1, false, "DEVICE__MIDICHANNELS_1__ExpressionPedal2Enabled"},
    {ModuleKind::MidiChannels, 0, 1, false, "DEVICE__MIDICHANNELS_1__SendToMidiDinEnabled"},
    {ModuleKind::MidiChannels, 0, 1, false, "DEVICE__MIDICHANNELS_1__SendToUSBEnabled"},
    {ModuleKind::MidiChannels, 1, 1, true, "DEVICE__MIDICHANNELS_2__MidiChannel"},
    {ModuleKind::MidiChannels, 1, 1, false, "DEVICE__MIDICHANNELS_2__PitchWheelEnabled"},
    {ModuleKind::MidiChannels, 1, 1, false, "DEVICE__MIDICHANNELS_2__ModWheelEnabled"},
    {ModuleKind::MidiChannels, 1, 1, false, "DEVICE__MIDICHANNELS_2__SustainPedalEnabled"},
    {ModuleKind::MidiChannels, 1, 1, false, "DEVICE__MIDICHANNELS_2__ExpressionPedal1Enabled"},
    {ModuleKind::MidiChannels, 1, 1, false, "DEVICE__MIDICHANNELS_2__ExpressionPedal2Enabled"},
    {ModuleKind::MidiChannels, 1, 1, false, "DEVICE__MIDICHANNELS_2__SendToMidiDinEnabled"},
    {ModuleKind::MidiChannels, 1, 1, false, "DEVICE__MIDICHANNELS_2__SendToUSBEnabled"},
};

// The number of preset parameters: the run of the root and of the device.
inline constexpr int32_t kParameterCount = static_cast<int32_t>(sizeof kParameters / sizeof kParameters[0]);
// The number of MIDI zones.
inline constexpr int32_t kZoneCount = 2;

// The first row of a module's run, or -1 when the table has none.
constexpr int32_t RunStart(ModuleKind module, int32_t zoneIndex) {
  for (int32_t offset = 0; offset < kParameterCount; ++offset)
    if (kParameters[offset].module == module && kParameters[offset].zoneIndex == zoneIndex) return offset;
  return -1;
}

// The number of rows of a module's run.
constexpr int32_t RunCount(ModuleKind module, int32_t zoneIndex) {
  int32_t count = 0;
  for (const ParameterDefinition& row : kParameters) count += row.module == module && row.zoneIndex == zoneIndex;
  return count;
}

// The default byte of a parameter, given the index of the module that owns it.
constexpr uint8_t DefaultByte(int32_t offset, int32_t moduleIndex) {
  const ParameterDefinition& row = kParameters[offset];
  return row.defaultIsZoneIndex ? static_cast<uint8_t>(moduleIndex) : row.defaultValue;
}

// Whether the rows of each module lie together, the zones alike in length.
constexpr bool RunsAreContiguous() {
  for (int32_t offset = 0; offset < kParameterCount; ++offset) {
    const ParameterDefinition& row = kParameters[offset];
    const int32_t start = RunStart(row.module, row.zoneIndex);
    if (offset >= start + RunCount(row.module, row.zoneIndex)) return false;
  }
  return RunCount(ModuleKind::MidiChannels, 0) == RunCount(ModuleKind::MidiChannels, kZoneCount - 1);
}

static_assert(RunsAreContiguous());
static_assert(kParameterCount == 24, "the controller's preset message carries 24 value bytes");

}  // namespace SV::ParameterTable
