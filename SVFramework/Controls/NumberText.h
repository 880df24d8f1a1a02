#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace SV {

// Numbers as the numeric fields read and write them: decimal syntax only, the same in
// every locale ("." is the decimal point). Any thread.

// The number at the start of the text: leading white space, an optional sign, digits
// with at most one ".", an optional exponent; the longest such prefix counts. No value
// when the prefix holds no decimal digit or the number is not finite.
std::optional<double> ReadLeadingNumber(std::u16string_view text);

// The value with `decimals` digits after the point (0: none), rounded as printf's
// fixed format rounds; a value that shows as zero is written without its sign.
std::u16string FormatNumber(double value, int32_t decimals);

}  // namespace SV
