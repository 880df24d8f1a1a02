#pragma once
#include <cstdint>

// Opaque ARGB pixels the renderer tests draw and read back.
namespace SV::Testing {

inline constexpr uint32_t kRed = 0xFFFF0000u;
inline constexpr uint32_t kGreen = 0xFF00FF00u;
inline constexpr uint32_t kBlue = 0xFF0000FFu;
inline constexpr uint32_t kWhite = 0xFFFFFFFFu;

}  // namespace SV::Testing
