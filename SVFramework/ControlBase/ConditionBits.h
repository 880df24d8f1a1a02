#pragma once
#include <cstdint>

// The bits of a control's conditions word (LControl::GetConditions).
namespace SV::Condition {

inline constexpr uint32_t kFocus = 0x1;
inline constexpr uint32_t kContainsFocus = 0x2;
inline constexpr uint32_t kHover = 0x4;
inline constexpr uint32_t kCapture = 0x8;
inline constexpr uint32_t kLeftDown = 0x10;
inline constexpr uint32_t kMiddleDown = 0x20;
inline constexpr uint32_t kRightDown = 0x40;
inline constexpr uint32_t kLeftDrag = 0x80;
inline constexpr uint32_t kMiddleDrag = 0x100;
inline constexpr uint32_t kRightDrag = 0x200;
inline constexpr uint32_t kEnabled = 0x400;
inline constexpr uint32_t kVisible = 0x800;
inline constexpr uint32_t kHoverOrChildHover = 0x1000;

}  // namespace SV::Condition
