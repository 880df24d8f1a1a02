#pragma once
#include <cstdint>

#include "SVFramework/Utilities/Storage/Variant.h"

namespace SV::OneByteValue {

// The form every preset parameter value takes: a byte buffer of exactly one byte
// (tag 14, size 1).
Variant Make(uint8_t byte);

// Whether `value` can be stored as one byte, and that byte as the parameter form in
// `byte`. Accepted: a one-byte buffer; bool; int8 and the wider integers (tags 2 to 7,
// 10, 11) whose value lies in 0 to 255; uint8 always. Refused: empty, reals, strings,
// packed arrays, unowned memory and buffers of any other size.
bool Normalize(const Variant& value, Variant& byte);

}  // namespace SV::OneByteValue
