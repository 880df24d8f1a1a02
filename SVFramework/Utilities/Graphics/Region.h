#pragma once
#include <cstdint>

#include "SVFramework/Utilities/Graphics/RectT.h"
#include "SVFramework/Utilities/Graphics/RegionNodePool.h"
#include "SVFramework/Utilities/PointT.h"
#include "SVFramework/Utilities/Storage/Array.h"

namespace SV {

// A rectangle by its edges, half-open: columns left..right-1, rows top..bottom-1.
struct EdgeRect {
  int32_t left = 0;
  int32_t top = 0;
  int32_t right = 0;
  int32_t bottom = 0;

  friend bool operator==(const EdgeRect&, const EdgeRect&) = default;
};

// The area that needs repainting: a set of non-overlapping integer rectangles whose
// nodes come from the process-wide RegionNodePool. Every operation but Append keeps
// the nodes free of overlaps; the order of nodes carries no meaning. A region has no
// lock: its owner locks it where two threads share it.
class Region {
public:
  Region() = default;
  Region(const Region& other);
  Region(Region&& other) noexcept;
  Region& operator=(Region other) noexcept;
  ~Region();

  // Adds the rectangle to the covered area; an empty one (right <= left or bottom <= top)
  // is ignored.
  void AddRect(const EdgeRect& rect);

  // Removes the rectangle from the covered area, cutting each overlapped node into at
  // most four pieces. The removed parts go to `removed` when given, else to the pool.
  // An empty rectangle removes nothing.
  void SubtractRect(const EdgeRect& rect, Region* removed = nullptr);
  void SubtractRegion(const Region& other, Region* removed = nullptr);

  // Keeps only what lies inside the other region.
  void Intersect(const Region& other);

  // True when a node overlaps the rectangle (rectangles that only touch do not).
  bool Intersects(const EdgeRect& rect) const;

  // True when the rectangle (x, y, width, height) moved by (dx, dy), limited to the
  // non-negative 32-bit range and rounded to whole pixels, overlaps a node; false for
  // a rectangle with no width or height.
  bool IntersectsOffsetRect(double x, double y, double width, double height, double dx, double dy) const;

  void Offset(int32_t dx, int32_t dy);

  // Adds copies of the other region's nodes without removing overlaps: the caller
  // guarantees they are disjoint from this region, or accepts overlaps.
  void Append(const Region& other);

  // Merges the nodes into fewer and larger rectangles; the covered area is unchanged.
  void Optimize();

  // The bounding rectangle; all zeros and false for an empty region.
  bool GetBounds(EdgeRect& bounds) const;

  // One (x, y, width, height) rectangle per node, in list order; the array is emptied first.
  void ToRectArray(Array<RectT<int32_t>>& rects) const;

  uint32_t GetCount() const;
  bool IsEmpty() const { return mHead == nullptr; }
  void Clear();

  // The first node of the list, null when empty: for walking the rectangles.
  const RegionNode* GetFirst() const { return mHead; }

private:
  void Push(const EdgeRect& rect);
  void PushNode(RegionNode* node);
  void CutAround(RegionNode* node, const EdgeRect& cut);
  RegionNode* Unlink(RegionNode* node, RegionNode* predecessor);

  RegionNode* mHead = nullptr;
};

// A float point rounded to whole pixels: half away from zero, saturated to the
// 32-bit range.
PointT<int32_t> RoundPoint(const PointT<float>& point);

}  // namespace SV
