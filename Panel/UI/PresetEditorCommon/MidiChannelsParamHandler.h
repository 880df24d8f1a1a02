#pragma once
#include <array>
#include <cstdint>

#include "DeviceControl/GeneratedCode/Engine/inc/MidiChannelsInterface.h"
#include "Panel/UI/PresetEditorCommon/VariantBufferSetterParameterPanel.h"

namespace SV {

// One MIDI zone's module of the editor's tree: its eight panels given in the order
// channel, mod wheel, pitch wheel, pedal 1 (sustain), pedal 2, pedal 3, MIDI DIN, USB.
// Their ParamIDs follow the model's order, which puts the pitch wheel (first + 1) before
// the mod wheel (first + 2). Every panel but the channel is a switch (range 0 to 1).
// Not a control; the device view makes one per zone and keeps them. UI thread only.
class LMidiChannelsParamHandler : public virtual LRefCountedObject, public IMidiChannels {
public:
  enum PanelIndex : int32_t { Channel, ModWheel, PitchWheel, Pedal1, Pedal2, Pedal3, MidiDin, Usb, PanelCount };
  using Panels = std::array<RCPtr<LVariantBufferSetterParameterPanel>, PanelCount>;

  explicit LMidiChannelsParamHandler(const Panels& panels);
  ~LMidiChannelsParamHandler() override;

  // Stores the module's place (index: the zone), narrows each switch to 0 to 1 and
  // gives each panel its ParamID.
  void SetFirstParamID(LParameterizedModule* parent, int32_t firstParamID, int32_t index) override;
  // Shows the value on the panel of its offset. 0; a logic error for an ID outside the
  // zone's eight.
  SVRESULT SetParamValueLocal(const ParamDescriptor& descriptor, const Variant& value, bool notify) override;

  // The ParamID offset of each panel, in panel order.
  static constexpr std::array<int32_t, PanelCount> kParamOffsets{0, 2, 1, 3, 4, 5, 6, 7};

private:
  Panels mPanels;
};

}  // namespace SV
