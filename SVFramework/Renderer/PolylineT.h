#pragma once
#include <atomic>
#include <cstdint>

#include "SVFramework/Utilities/PointT.h"
#include "SVFramework/Utilities/Storage/Array.h"

namespace SV {

// The identity of a polyline object for the back ends' path caches: its address, kept
// at full pointer width, and a serial that no other polyline of the process shares, so
// that a polyline made at the address of a freed one never finds the old shape.
struct PolylineHandle {
  uintptr_t address = 0;
  uint64_t serial = 0;

  friend bool operator==(const PolylineHandle&, const PolylineHandle&) = default;

  // The next serial of the process, shared by every kind of cached drawing source.
  static uint64_t NextSerial() {
    static std::atomic<uint64_t> counter{0};
    return counter.fetch_add(1, std::memory_order_relaxed) + 1;
  }
};

// Points drawn as segments, an open line or a polygon, with a line width. The owner
// sets the changed flag when it edits the points, so that cached paths are rebuilt.
template <class T>
class PolylineT {
public:
  PolylineT() : mSerial(PolylineHandle::NextSerial()) {}
  // A copy is another polyline: it gets its own identity.
  PolylineT(const PolylineT& other) : points(other.points), lineWidth(other.lineWidth), mSerial(PolylineHandle::NextSerial()) {}
  PolylineT& operator=(const PolylineT& other) {
    points = other.points;
    lineWidth = other.lineWidth;
    changed = true;
    return *this;
  }

  PolylineHandle GetHandle() const { return {reinterpret_cast<uintptr_t>(this), mSerial}; }

  Array<PointT<T>> points;
  T lineWidth = 1;
  // Cleared by the back end that rebuilt its path, also through a const polyline.
  mutable bool changed = false;

private:
  uint64_t mSerial;
};

}  // namespace SV
