#include "DeviceControl/GeneratedCode/Engine/inc/PseudoParamTranslator.h"

#include "DeviceControl/GeneratedCode/Engine/inc/ParameterizedModule.h"

namespace SV {

SVRESULT LPseudoParamTranslator::Translate(const ParamDescriptor&, const Variant&, ParamDescriptor& translated,
                                           Variant& translatedValue) const {
  translated = ParamDescriptor(mModule.GetFirstParamID() - 1);
  translatedValue.Empty();
  return -1;
}

}  // namespace SV
