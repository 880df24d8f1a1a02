#pragma once
#include "DeviceControl/GeneratedCode/Engine/inc/ParameterTable.h"
#include "DeviceControl/GeneratedCode/Engine/inc/ParameterizedModule.h"

namespace SV {

// The keybed leaf of a parameter tree: a module that owns the parameters of its
// rows in the parameter table and adds no operation. Implemented by the model
// (the values live in the root's cache) and by the editor's view.
class IKeybed : public LParameterizedModule {
public:
  static constexpr int32_t kOwnParamCount = ParameterTable::RunCount(ParameterTable::ModuleKind::Keybed, 0);

protected:
  IKeybed() : LParameterizedModule(kOwnParamCount) {}
};

}  // namespace SV
