#pragma once
#include <array>
#include <cstdint>

#include "DeviceControl/GeneratedCode/Engine/inc/CCValuesInterface.h"
#include "Panel/UI/PresetEditorCommon/VariantBufferSetterParameterPanel.h"

namespace SV {

// The controller-number module of the editor's tree: the four "cc" panels of the mod
// wheel, the sustain pedal and the two expression pedals, in that order, ParamIDs first +
// 0 to 3. Not a control; the device view makes it and keeps it. UI thread only.
class LCCParamHandler : public virtual LRefCountedObject, public ICCValues {
public:
  using Panels = std::array<RCPtr<LVariantBufferSetterParameterPanel>, 4>;

  explicit LCCParamHandler(const Panels& panels);
  ~LCCParamHandler() override;

  // Stores the module's place, then gives each panel its ParamID.
  void SetFirstParamID(LParameterizedModule* parent, int32_t firstParamID, int32_t index) override;
  // Shows the value on the panel of its offset. 0; a logic error for an ID outside the
  // module's four.
  SVRESULT SetParamValueLocal(const ParamDescriptor& descriptor, const Variant& value, bool notify) override;

private:
  Panels mPanels;
};

}  // namespace SV
