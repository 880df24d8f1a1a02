#include "SVFramework/Utilities/Graphics/RegionBandOptimizer.h"

#include <algorithm>
#include <utility>

namespace SV {

RegionNode* RegionBandOptimizer::Optimize(RegionNode* head) {
  mNodes.clear();
  for (RegionNode* node = head; node != nullptr; node = node->next) mNodes.push_back(node);
  if (mNodes.size() < 2) return head;
  SortByTop();
  CutIntoBands();
  MergeWithinBands();
  MergeBandsVertically();
  return Relink();
}

void RegionBandOptimizer::SortByTop() {
  std::stable_sort(mNodes.begin(), mNodes.end(),
                   [](const RegionNode* a, const RegionNode* b) { return a->top < b->top; });
}

// Walks the nodes (cut pieces included, when the walk reaches them). At the first node
// of each run of equal tops the limit becomes the lowest bottom of the run, or the next
// run's top when that is higher; every node of the run that reaches below the limit is
// cut there. Afterwards nodes with the same top have the same bottom.
void RegionBandOptimizer::CutIntoBands() {
  int32_t limit = 0;
  for (size_t index = 0; index < mNodes.size(); ++index) {
    const RegionNode& node = *mNodes[index];
    if (index != 0 && node.top < limit && limit < node.bottom) {
      CutAt(index, limit);
      continue;
    }
    limit = node.bottom;
    size_t scan = index + 1;
    for (; scan < mNodes.size() && mNodes[scan]->top == node.top; ++scan) {
      limit = std::min(limit, mNodes[scan]->bottom);
    }
    if (scan < mNodes.size()) limit = std::min(limit, mNodes[scan]->top);
    if (limit < node.bottom) CutAt(index, limit);
  }
}

// Splits the node at `index` at row `limit`; the lower piece goes where the list stays
// sorted by top, after every node with a top at or above the limit.
void RegionBandOptimizer::CutAt(size_t index, int32_t limit) {
  RegionNode* const node = mNodes[index];
  RegionNode* const lower = mPool.Allocate();
  if (lower == nullptr) return;
  *lower = {node->left, limit, node->right, node->bottom, nullptr};
  node->bottom = limit;
  size_t position = index + 1;
  while (position < mNodes.size() && mNodes[position]->top <= limit) ++position;
  mNodes.insert(mNodes.begin() + static_cast<std::ptrdiff_t>(position), lower);
}

std::vector<RegionBandOptimizer::Band> RegionBandOptimizer::BandsBy(bool byBottom) const {
  std::vector<Band> bands;
  const auto key = [byBottom](const RegionNode* node) { return byBottom ? node->bottom : node->top; };
  for (size_t first = 0; first < mNodes.size();) {
    size_t end = first + 1;
    while (end < mNodes.size() && key(mNodes[end]) == key(mNodes[first])) ++end;
    bands.push_back({first, end});
    first = end;
  }
  return bands;
}

void RegionBandOptimizer::MergeWithinBands() {
  size_t first = 0;
  while (first < mNodes.size()) {
    size_t end = first + 1;
    while (end < mNodes.size() && mNodes[end]->top == mNodes[first]->top) ++end;
    MergeBand(first, end);
    first = end;
  }
}

// Bubble passes over one band until a pass changes nothing: touching neighbours merge
// into the first of the two, a neighbour further left is swapped forward. A merge
// counts as a change too, since the grown node may now touch the one before it; so
// the band ends sorted by left with no two nodes touching.
void RegionBandOptimizer::MergeBand(size_t first, size_t& end) {
  bool changed = true;
  while (changed) {
    changed = false;
    size_t index = first;
    while (index + 1 < end) {
      RegionNode* const a = mNodes[index];
      RegionNode* const b = mNodes[index + 1];
      if (b->right == a->left || b->left == a->right) {
        if (b->right == a->left) {
          a->left = b->left;
        } else {
          a->right = b->right;
        }
        mPool.Free(b);
        mNodes.erase(mNodes.begin() + static_cast<std::ptrdiff_t>(index + 1));
        --end;
        changed = true;
      } else if (b->left < a->left) {
        std::swap(mNodes[index], mNodes[index + 1]);
        changed = true;
        ++index;
      } else {
        ++index;
      }
    }
  }
}

void RegionBandOptimizer::MergeBandsVertically() {
  const std::vector<Band> bands = BandsBy(true);
  for (size_t i = 1; i < bands.size(); ++i) MergeColumns(bands[i - 1], bands[i]);
  const auto merged = std::remove(mNodes.begin(), mNodes.end(), nullptr);
  mNodes.erase(merged, mNodes.end());
}

// Each node of the upper band that sits exactly on top of a node of the lower band,
// with the same left and right, is absorbed by it (the lower node grows upward) and
// leaves the list (its slot becomes null).
void RegionBandOptimizer::MergeColumns(const Band& upper, const Band& lower) {
  size_t searchFrom = lower.first;
  for (size_t a = upper.first; a < upper.end; ++a) {
    RegionNode* const above = mNodes[a];
    if (above == nullptr) continue;
    size_t b = searchFrom;
    while (b < lower.end && !(mNodes[b]->top == above->bottom && mNodes[b]->left == above->left &&
                              mNodes[b]->right == above->right)) {
      ++b;
    }
    if (b == lower.end) {
      searchFrom = lower.first;
      continue;
    }
    mNodes[b]->top = above->top;
    mPool.Free(above);
    mNodes[a] = nullptr;
    if (b + 1 == lower.end) return;
    searchFrom = b + 1;
  }
}

RegionNode* RegionBandOptimizer::Relink() {
  for (size_t i = 0; i + 1 < mNodes.size(); ++i) mNodes[i]->next = mNodes[i + 1];
  mNodes.back()->next = nullptr;
  return mNodes.front();
}

}  // namespace SV

