#pragma once
#include <cstdint>

#include "SVFramework/Renderer/PolylineT.h"
#include "SVFramework/Utilities/Graphics/RectT.h"
#include "SVFramework/Utilities/PointT.h"
#include "SVFramework/Utilities/Storage/Array.h"

namespace SV {

// Rectangles with one packed 0xAARRGGBB colour each, and a scale applied to their
// coordinates when they are filled.
template <class T>
struct ColorRectListT {
  ColorRectListT() : serial(PolylineHandle::NextSerial()) {}
  // A copy is another list: it gets its own identity.
  ColorRectListT(const ColorRectListT& other)
      : rects(other.rects), colors(other.colors), scale(other.scale), serial(PolylineHandle::NextSerial()) {}
  ColorRectListT& operator=(const ColorRectListT& other) {
    rects = other.rects;
    colors = other.colors;
    scale = other.scale;
    changed = true;
    return *this;
  }

  // The list object's identity for the back ends' caches, as a polyline's.
  PolylineHandle GetHandle() const { return {reinterpret_cast<uintptr_t>(this), serial}; }

  Array<RectT<T>> rects;
  Array<uint32_t> colors;
  PointT<T> scale{1, 1};
  // Set by the owner when it edits the list; cleared by the back end that recorded it.
  mutable bool changed = false;

private:
  uint64_t serial;
};

}  // namespace SV
