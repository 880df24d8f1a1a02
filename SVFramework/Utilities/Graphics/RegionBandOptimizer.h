#pragma once
#include <cstddef>
#include <vector>

#include "SVFramework/Utilities/Graphics/RegionNodePool.h"

namespace SV {

// The band optimisation of a region's node list: sorts the nodes by top, cuts them
// into horizontal bands whose nodes share top and bottom, merges touching nodes
// within each band and then equal columns across neighbouring bands. The covered
// area never changes and no overlaps arise. Used by Region::Optimize only.
class RegionBandOptimizer {
public:
  explicit RegionBandOptimizer(RegionNodePool& pool) : mPool(pool) {}

  // Takes the list that starts at `head` and returns the head of the optimised list;
  // nodes that merge away go back to the pool, cut pieces come from it.
  RegionNode* Optimize(RegionNode* head);

private:
  struct Band {
    size_t first;
    size_t end;
  };

  void SortByTop();
  void CutIntoBands();
  void CutAt(size_t index, int32_t limit);
  void MergeWithinBands();
  void MergeBand(size_t first, size_t& end);
  void MergeBandsVertically();
  void MergeColumns(const Band& upper, const Band& lower);
  std::vector<Band> BandsBy(bool byBottom) const;
  RegionNode* Relink();

  RegionNodePool& mPool;
  std::vector<RegionNode*> mNodes;
};

}  // namespace SV
