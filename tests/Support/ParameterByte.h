#pragma once
#include <cstdint>

#include "DeviceControl/GeneratedCode/Engine/inc/OneByteValue.h"

namespace SV::Testing {

// A preset parameter value in the form the modules store it (one-byte buffer).
inline Variant Byte(uint8_t value) { return OneByteValue::Make(value); }

}  // namespace SV::Testing
