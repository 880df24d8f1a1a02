#pragma once
#include "DeviceControl/GeneratedCode/Engine/inc/ParameterTable.h"
#include "DeviceControl/GeneratedCode/Engine/inc/ParameterizedModule.h"

namespace SV {

// The controller-number leaf of a parameter tree: a module that owns the parameters of its
// rows in the parameter table and adds no operation. Implemented by the model
// (the values live in the root's cache) and by the editor's view.
class ICCValues : public LParameterizedModule {
public:
  static constexpr int32_t kOwnParamCount = ParameterTable::RunCount(ParameterTable::ModuleKind::CCValues, 0);

protected:
  ICCValues() : LParameterizedModule(kOwnParamCount) {}
};

}  // namespace SV
