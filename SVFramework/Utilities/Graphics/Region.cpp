#include "SVFramework/Utilities/Graphics/Region.h"

#include <algorithm>
#include <limits>
#include <utility>

#include "SVFramework/Utilities/Graphics/RegionBandOptimizer.h"

namespace SV {
namespace {

RegionNodePool& Pool() { return RegionNodePool::Instance(); }

bool Overlaps(const RegionNode& node, const EdgeRect& rect) {
  return node.left < rect.right && rect.left < node.right && node.top < rect.bottom && rect.top < node.bottom;
}

EdgeRect EdgesOf(const RegionNode& node) { return {node.left, node.top, node.right, node.bottom}; }

// Edges moved past the 32-bit range stay at its ends instead of wrapping around.
int32_t SaturatingAdd(int32_t edge, int32_t delta) {
  const int64_t sum = int64_t{edge} + delta;
  return static_cast<int32_t>(std::clamp<int64_t>(sum, INT32_MIN, INT32_MAX));
}

}  // namespace

Region::Region(const Region& other) { Append(other); }

Region::Region(Region&& other) noexcept : mHead(std::exchange(other.mHead, nullptr)) {}

Region& Region::operator=(Region other) noexcept {
  std::swap(mHead, other.mHead);
  return *this;
}

Region::~Region() { Clear(); }

void Region::PushNode(RegionNode* node) {
  node->next = mHead;
  mHead = node;
}

void Region::Push(const EdgeRect& rect) {
  RegionNode* node = Pool().Allocate();
  if (node == nullptr) return;
  node->left = rect.left;
  node->top = rect.top;
  node->right = rect.right;
  node->bottom = rect.bottom;
  PushNode(node);
}

void Region::AddRect(const EdgeRect& rect) {
  if (rect.right <= rect.left || rect.bottom <= rect.top) return;
  SubtractRect(rect);
  Push(rect);
}

// Pushes the parts of the node outside `cut` (above, below, left, right) at the head
// and shrinks the node to the overlap.
void Region::CutAround(RegionNode* node, const EdgeRect& cut) {
  if (node->top < cut.top) {
    Push({node->left, node->top, node->right, cut.top});
    node->top = cut.top;
  }
  if (cut.bottom < node->bottom) {
    Push({node->left, cut.bottom, node->right, node->bottom});
    node->bottom = cut.bottom;
  }
  if (node->left < cut.left) {
    Push({node->left, node->top, cut.left, node->bottom});
    node->left = cut.left;
  }
  if (cut.right < node->right) {
    Push({cut.right, node->top, node->right, node->bottom});
    node->right = cut.right;
  }
}

// Takes the node out of the list and returns its predecessor, searched from the head
// when none is known (null when the node was the head).
RegionNode* Region::Unlink(RegionNode* node, RegionNode* predecessor) {
  if (predecessor == nullptr) {
    for (RegionNode* scan = mHead; scan != nullptr; scan = scan->next) {
      if (scan->next == node) {
        predecessor = scan;
        break;
      }
    }
  }
  if (predecessor == nullptr) {
    mHead = node->next;
  } else {
    predecessor->next = node->next;
  }
  node->next = nullptr;
  return predecessor;
}

void Region::SubtractRect(const EdgeRect& rect, Region* removed) {
  // An empty rectangle removes nothing; cutting around it would leave empty nodes.
  if (rect.right <= rect.left || rect.bottom <= rect.top) return;
  RegionNode* predecessor = nullptr;
  RegionNode* node = mHead;
  while (node != nullptr) {
    RegionNode* const next = node->next;
    if (!Overlaps(*node, rect)) {
      predecessor = node;
      node = next;
      continue;
    }
    CutAround(node, rect);
    predecessor = Unlink(node, predecessor);
    if (removed != nullptr) {
      removed->PushNode(node);
    } else {
      Pool().Free(node);
    }
    node = next;
  }
}

void Region::SubtractRegion(const Region& other, Region* removed) {
  for (const RegionNode* node = other.mHead; node != nullptr; node = node->next) {
    SubtractRect(EdgesOf(*node), removed);
  }
}

void Region::Intersect(const Region& other) {
  Region inside;
  SubtractRegion(other, &inside);
  std::swap(mHead, inside.mHead);
}

bool Region::Intersects(const EdgeRect& rect) const {
  for (const RegionNode* node = mHead; node != nullptr; node = node->next) {
    if (Overlaps(*node, rect)) return true;
  }
  return false;
}

bool Region::IntersectsOffsetRect(double x, double y, double width, double height, double dx, double dy) const {
  constexpr double kMax = 2147483647.0;
  constexpr double kEpsilon = std::numeric_limits<double>::epsilon();
  const double x0 = x + dx;
  const double y0 = y + dy;
  const double left = std::max(x0, 0.0);
  const double top = std::max(y0, 0.0);
  const double right = std::min(x0 + width, kMax);
  const double bottom = std::min(y0 + height, kMax);
  if (!(right - left > kEpsilon) || !(bottom - top > kEpsilon)) return false;
  return Intersects({RoundToInt32(left), RoundToInt32(top), RoundToInt32(left + (right - left)),
                     RoundToInt32(top + (bottom - top))});
}

void Region::Offset(int32_t dx, int32_t dy) {
  if (dx == 0 && dy == 0) return;
  for (RegionNode* node = mHead; node != nullptr; node = node->next) {
    node->left = SaturatingAdd(node->left, dx);
    node->right = SaturatingAdd(node->right, dx);
    node->top = SaturatingAdd(node->top, dy);
    node->bottom = SaturatingAdd(node->bottom, dy);
  }
}

void Region::Append(const Region& other) {
  for (const RegionNode* node = other.mHead; node != nullptr; node = node->next) Push(EdgesOf(*node));
}

void Region::Optimize() { mHead = RegionBandOptimizer(Pool()).Optimize(mHead); }

bool Region::GetBounds(EdgeRect& bounds) const {
  bounds = {};
  if (mHead == nullptr) return false;
  bounds = EdgesOf(*mHead);
  for (const RegionNode* node = mHead->next; node != nullptr; node = node->next) {
    bounds.left = std::min(bounds.left, node->left);
    bounds.top = std::min(bounds.top, node->top);
    bounds.right = std::max(bounds.right, node->right);
    bounds.bottom = std::max(bounds.bottom, node->bottom);
  }
  return true;
}

void Region::ToRectArray(Array<RectT<int32_t>>& rects) const {
  rects.RemoveAll();
  for (const RegionNode* node = mHead; node != nullptr; node = node->next) {
    rects.Append(RectT<int32_t>{node->left, node->top, node->right - node->left, node->bottom - node->top});
  }
}

uint32_t Region::GetCount() const {
  uint32_t count = 0;
  for (const RegionNode* node = mHead; node != nullptr; node = node->next) ++count;
  return count;
}

void Region::Clear() {
  while (mHead != nullptr) {
    RegionNode* const next = mHead->next;
    Pool().Free(mHead);
    mHead = next;
  }
}

PointT<int32_t> RoundPoint(const PointT<float>& point) {
  return {RoundToInt32(point.x), RoundToInt32(point.y)};
}

}  // namespace SV
