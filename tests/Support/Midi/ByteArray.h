#pragma once
#include <cstdint>
#include <vector>

#include "SVFramework/Utilities/Storage/Array.h"

namespace SV::Testing {

// The bytes as the framework's byte array, the form MIDI messages take in its calls.
inline Array<int8_t> ArrayOf(const std::vector<uint8_t>& bytes) {
  Array<int8_t> array;
  for (uint8_t byte : bytes) array.Append(static_cast<int8_t>(byte));
  return array;
}

}  // namespace SV::Testing
