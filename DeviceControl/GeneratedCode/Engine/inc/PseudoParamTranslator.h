#pragma once
#include "DeviceControl/GeneratedCode/Engine/inc/ParamDescriptor.h"
#include "SVFramework/ObjectBase/SVResult.h"
#include "SVFramework/Utilities/Storage/Variant.h"

namespace SV {

class LParameterizedModule;

// Maps a pseudo-ID onto one of its module's own parameters. This model maps none:
// Translate always answers -1 with the ParamID just below the module's run and an
// empty value. Owned by its module, which it does not keep alive.
class LPseudoParamTranslator {
public:
  explicit LPseudoParamTranslator(LParameterizedModule& module) : mModule(module) {}

  SVRESULT Translate(const ParamDescriptor& descriptor, const Variant& value, ParamDescriptor& translated,
                     Variant& translatedValue) const;

private:
  LParameterizedModule& mModule;
};

}  // namespace SV
