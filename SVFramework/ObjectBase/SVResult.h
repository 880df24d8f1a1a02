#pragma once
#include <cstdint>

// Result of most operations: negative is a failure, 0 success, 1 success with
// nothing done. Callers test for failure with `< 0` and compare against a specific
// negative code only where the operation lists its own codes.
using SVRESULT = int32_t;

namespace SV {

inline constexpr SVRESULT S_OK = 0;
inline constexpr SVRESULT S_FALSE = 1;

inline constexpr SVRESULT E_FAIL = static_cast<SVRESULT>(0x80004005u);
inline constexpr SVRESULT E_INVALIDARG = static_cast<SVRESULT>(0x80070057u);
inline constexpr SVRESULT E_NOTIMPL = static_cast<SVRESULT>(0x80004001u);
inline constexpr SVRESULT E_OUTOFMEMORY = static_cast<SVRESULT>(0x8007000Eu);

inline constexpr bool Failed(SVRESULT result) { return result < 0; }
inline constexpr bool Succeeded(SVRESULT result) { return result >= 0; }

}  // namespace SV
