#pragma once
#include <cstdint>

#include "DeviceControl/GeneratedCode/Engine/inc/CCValuesInterface.h"
#include "DeviceControl/GeneratedCode/Engine/inc/LeafModule.h"

namespace SV {

// The model's controller-number leaf (ParamIDs +4 to +7 of the root's first ID). Holds
// no values: reads and writes of its IDs go up to the root's cache. Made by the
// device; used inside the root's lock.
class LCCValues final : public LLeafModule<ICCValues, ParameterTable::ModuleKind::CCValues> {
public:
  // A new leaf without parent, first ID 0 and index 0, its first reference taken.
  static RCPtr<LCCValues> Create();

  // Stores the three, then raises "Invalid FirstParamID" unless this leaf sits at
  // its run's offset from the root's first ID (the stored values stay).
  void SetFirstParamID(LParameterizedModule* parent, int32_t firstParamID, int32_t index) override;
  // Raises for an ID outside the run.
  Variant GetParamValueDefault(int32_t paramID) override;
  Variant GetParamValueLocal(const ParamDescriptor& descriptor) override;
  // An ID of the run goes up to the root (its result); -1 for other IDs and
  // pseudo-IDs; the special pseudo-IDs go to the device unless they came from it,
  // then 1 (no parameter takes them).
  SVRESULT SetParamValueLocal(const ParamDescriptor& descriptor, const Variant& value, bool fromDevice) override;

private:
  LCCValues() = default;
  void CreateChildren() {}
};

}  // namespace SV
