#pragma once
#include <cstdint>

#include "DeviceControl/GeneratedCode/Engine/inc/KeybedInterface.h"
#include "Panel/UI/PresetEditorCommon/VariantBufferSetterParameterPanel.h"
#include "SVFramework/Controls/Panel.h"

namespace SV {

// The keybed's four parameters on screen (skin control "keybed"): the transpose switch
// and value, the split switch and key. As the keybed module of the editor's tree it
// gives its panels their ParamIDs (first + 0 to 3) and shows the values routed to it.
// The transpose value is shown from -39 to 48 and stored as 1 to 88 (offset 40).
// A missing panel leaves its parameter without a control. UI thread only.
class LKeybedPanel : public LPanel, public IKeybed {
public:
  static constexpr double kTransposeOffset = 40;

  LKeybedPanel(const RCPtr<LControl>& parent, const String& name);
  ~LKeybedPanel() override;

  // Finds the four panels, narrows their ranges and sets the transpose offset; the
  // panel base's result.
  SVRESULT Initialize() override;
  // Stores the module's place, then gives each panel its ParamID.
  void SetFirstParamID(LParameterizedModule* parent, int32_t firstParamID, int32_t index) override;
  // Shows the value on the panel of its offset. 0; a logic error for an ID outside the
  // keybed's four.
  SVRESULT SetParamValueLocal(const ParamDescriptor& descriptor, const Variant& value, bool notify) override;

private:
  static RCPtr<LVariantBufferSetterParameterPanel> FindPanel(LControl& parent, const char16_t* name,
                                                             double minimum, double maximum);

  RCPtr<LVariantBufferSetterParameterPanel> mTransposeOnOff;
  RCPtr<LVariantBufferSetterParameterPanel> mTransposeValue;
  RCPtr<LVariantBufferSetterParameterPanel> mSplitOnOff;
  RCPtr<LVariantBufferSetterParameterPanel> mSplitKeyNumber;
};

}  // namespace SV
