#pragma once
#include <cstdint>

namespace SV::PseudoParamID {

// Negative ParamIDs that carry device-level information through the parameter
// operations; none has a cache slot.
inline constexpr int32_t DeviceReady = -2;      // bool
inline constexpr int32_t DeviceSelection = -4;  // written: the device as int64; reported: [int64, bool]
inline constexpr int32_t DeviceText = -8;       // a text the device-control library supplies
inline constexpr int32_t MakerName = -9;        // text
inline constexpr int32_t ProductName = -10;     // text

}  // namespace SV::PseudoParamID
