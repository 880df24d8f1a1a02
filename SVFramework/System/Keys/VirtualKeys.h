#pragma once
#include <cstdint>

// The virtual-key numbers the controls react to, as KeyCode::GetVirtualKey gives them.
namespace SV::VirtualKey {

inline constexpr uint32_t kBack = 0x08;
inline constexpr uint32_t kTab = 0x09;
inline constexpr uint32_t kReturn = 0x0D;
inline constexpr uint32_t kShift = 0x10;
inline constexpr uint32_t kControl = 0x11;
inline constexpr uint32_t kAlt = 0x12;
inline constexpr uint32_t kEscape = 0x1B;
inline constexpr uint32_t kSpace = 0x20;
inline constexpr uint32_t kPageUp = 0x21;
inline constexpr uint32_t kPageDown = 0x22;
inline constexpr uint32_t kEnd = 0x23;
inline constexpr uint32_t kHome = 0x24;
inline constexpr uint32_t kLeft = 0x25;
inline constexpr uint32_t kUp = 0x26;
inline constexpr uint32_t kRight = 0x27;
inline constexpr uint32_t kDown = 0x28;
inline constexpr uint32_t kDelete = 0x2E;
inline constexpr uint32_t kF5 = 0x74;

}  // namespace SV::VirtualKey
