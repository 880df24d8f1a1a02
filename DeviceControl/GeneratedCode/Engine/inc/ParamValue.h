#pragma once
#include <cstdint>

#include "DeviceControl/GeneratedCode/Engine/inc/ParamDescriptor.h"
#include "SVFramework/Utilities/Storage/Variant.h"

namespace SV {

// One value with its identity: the unpacked list element that the root module hands
// to the engine and that the engine fills for its callers.
struct ParamValue {
  ParamValue() = default;
  ParamValue(int32_t paramID, const Variant& subKey, const Variant& newValue)
      : descriptor(paramID, subKey), value(newValue) {}
  ParamValue(const ParamDescriptor& identity, const Variant& newValue) : descriptor(identity), value(newValue) {}

  bool operator==(const ParamValue& other) const {
    return descriptor == other.descriptor && value == other.value;
  }

  ParamDescriptor descriptor;
  Variant value;
};

}  // namespace SV
