#pragma once
#include <cstdint>

namespace SV {

// How a part or a bitmap fills a rectangle larger than itself.
enum class ResizeType : int32_t { Stretch = 0, Tile = 1, Center = 2 };

}  // namespace SV
