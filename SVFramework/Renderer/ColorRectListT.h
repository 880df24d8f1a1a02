#pragma once
#include <cstdint>

#include "SVFramework/Utilities/Graphics/RectT.h"
#include "SVFramework/Utilities/PointT.h"
#include "SVFramework/Utilities/Storage/Array.h"

namespace SV {

// Rectangles with one packed 0xAARRGGBB colour each, and a scale applied to their
// coordinates when they are filled.
template <class T>
struct ColorRectListT {
  Array<RectT<T>> rects;
  Array<uint32_t> colors;
  PointT<T> scale{1, 1};
};

}  // namespace SV
