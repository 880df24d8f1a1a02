#include "Panel/UI/PresetEditorCommon/KeybedPanel.h"

#include <stdexcept>

#include "SVFramework/ObjectBase/Exception.h"

namespace SV {

LKeybedPanel::LKeybedPanel(const RCPtr<LControl>& parent, const String& name) : LPanel(parent, name) {}

LKeybedPanel::~LKeybedPanel() = default;

SVRESULT LKeybedPanel::Initialize() {
  const SVRESULT initialized = LPanel::Initialize();
  mSplitOnOff = FindPanel(*this, u"splitOnOff", 0, 1);
  mSplitKeyNumber = FindPanel(*this, u"splitKeyNumber", 0, 88);
  mTransposeOnOff = FindPanel(*this, u"transposeOnOff", 0, 1);
  mTransposeValue = FindPanel(*this, u"transposeValue", -39, 48);
  if (mTransposeValue) mTransposeValue->SetDisplayOffset(kTransposeOffset);
  return initialized;
}

RCPtr<LVariantBufferSetterParameterPanel> LKeybedPanel::FindPanel(LControl& parent, const char16_t* name,
                                                                  double minimum, double maximum) {
  RCPtr<LVariantBufferSetterParameterPanel> panel{
      dynamic_cast<LVariantBufferSetterParameterPanel*>(parent.FindChild(name).Get())};
  if (!panel) return panel;
  if (const RCPtr<LControl> widget = panel->FindChild(LVariantBufferSetterParameterPanel::kWidgetName))
    widget->SetValueRange(minimum, maximum, kTaperLinear);
  return panel;
}

void LKeybedPanel::SetFirstParamID(LParameterizedModule* parent, int32_t firstParamID, int32_t index) {
  LParameterizedModule::SetFirstParamID(parent, firstParamID, index);
  const RCPtr<LVariantBufferSetterParameterPanel> panels[] = {mTransposeOnOff, mTransposeValue, mSplitOnOff,
                                                              mSplitKeyNumber};
  for (int32_t offset = 0; offset < IKeybed::kOwnParamCount; ++offset)
    if (panels[offset]) panels[offset]->SetParameter(ParamDescriptor(firstParamID + offset));
}

SVRESULT LKeybedPanel::SetParamValueLocal(const ParamDescriptor& descriptor, const Variant& value, bool) {
  const RCPtr<LVariantBufferSetterParameterPanel> panels[] = {mTransposeOnOff, mTransposeValue, mSplitOnOff,
                                                              mSplitKeyNumber};
  const uint32_t offset = OffsetOf(descriptor.paramID);
  if (offset >= static_cast<uint32_t>(IKeybed::kOwnParamCount))
    SV_RAISE(std::logic_error, "", "LKeybedPanel::SetParamValueLocal");
  if (panels[offset]) panels[offset]->SetValue(value);
  return S_OK;
}

}  // namespace SV
