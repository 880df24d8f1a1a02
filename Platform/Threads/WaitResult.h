#pragma once
#include <cstdint>

namespace SV::Platform {

// Result of every wait of the thread layer, as the framework reads it: 0 when the
// object was signalled (0 + index for a wait on any of several events), 258 when
// the time ran out, -1 when the wait could not be made.
using WaitResult = int32_t;

inline constexpr WaitResult WaitSignalled = 0;
inline constexpr WaitResult WaitTimedOut = 258;
inline constexpr WaitResult WaitFailed = -1;

// Time-out in milliseconds meaning "no limit". Every negative time-out waits
// without limit.
inline constexpr int32_t WaitForever = -1;

}  // namespace SV::Platform
