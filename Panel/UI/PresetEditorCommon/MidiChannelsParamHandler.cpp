#include "Panel/UI/PresetEditorCommon/MidiChannelsParamHandler.h"

#include <stdexcept>

#include "SVFramework/ObjectBase/Exception.h"

namespace SV {

LMidiChannelsParamHandler::LMidiChannelsParamHandler(const Panels& panels) : mPanels(panels) {}

LMidiChannelsParamHandler::~LMidiChannelsParamHandler() = default;

void LMidiChannelsParamHandler::SetFirstParamID(LParameterizedModule* parent, int32_t firstParamID, int32_t index) {
  LParameterizedModule::SetFirstParamID(parent, firstParamID, index);
  for (int32_t panel = 0; panel < PanelCount; ++panel) {
    if (!mPanels[panel]) continue;
    if (panel != Channel)
      if (const RCPtr<LControl> widget = mPanels[panel]->FindChild(LVariantBufferSetterParameterPanel::kWidgetName))
        widget->SetValueRange(0, 1, kTaperLinear);
    mPanels[panel]->SetParameter(ParamDescriptor(firstParamID + kParamOffsets[panel]));
  }
}

SVRESULT LMidiChannelsParamHandler::SetParamValueLocal(const ParamDescriptor& descriptor, const Variant& value,
                                                       bool) {
  const uint32_t offset = OffsetOf(descriptor.paramID);
  if (offset >= static_cast<uint32_t>(PanelCount))
    SV_RAISE(std::logic_error, "", "LMidiChannelsParamHandler::SetParamValueLocal");
  for (int32_t panel = 0; panel < PanelCount; ++panel)
    if (kParamOffsets[panel] == static_cast<int32_t>(offset) && mPanels[panel]) mPanels[panel]->SetValue(value);
  return S_OK;
}

}  // namespace SV
