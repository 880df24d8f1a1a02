#include "Panel/UI/PresetEditorCommon/CCParamHandler.h"

#include <stdexcept>

#include "SVFramework/ObjectBase/Exception.h"

namespace SV {

LCCParamHandler::LCCParamHandler(const Panels& panels) : mPanels(panels) {}

LCCParamHandler::~LCCParamHandler() = default;

void LCCParamHandler::SetFirstParamID(LParameterizedModule* parent, int32_t firstParamID, int32_t index) {
  LParameterizedModule::SetFirstParamID(parent, firstParamID, index);
  for (int32_t offset = 0; offset < static_cast<int32_t>(mPanels.size()); ++offset)
    if (mPanels[offset]) mPanels[offset]->SetParameter(ParamDescriptor(firstParamID + offset));
}

SVRESULT LCCParamHandler::SetParamValueLocal(const ParamDescriptor& descriptor, const Variant& value, bool) {
  const uint32_t offset = OffsetOf(descriptor.paramID);
  if (offset >= mPanels.size()) SV_RAISE(std::logic_error, "", "LCCParamHandler::SetParamValueLocal");
  if (mPanels[offset]) mPanels[offset]->SetValue(value);
  return S_OK;
}

}  // namespace SV
