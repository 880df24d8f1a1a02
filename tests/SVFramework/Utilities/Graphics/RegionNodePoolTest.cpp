#include "SVFramework/Utilities/Graphics/RegionNodePool.h"

#include <gtest/gtest.h>

#include <set>
#include <thread>
#include <vector>

namespace SV {
namespace {

TEST(RegionNodePool, MakesItsBlockOnTheFirstAllocationAndCountsThePeak) {
  RegionNodePool pool;
  EXPECT_EQ(pool.GetCapacity(), 0u);
  EXPECT_EQ(pool.GetPeakCount(), 0u);
  RegionNode* first = pool.Allocate();
  RegionNode* second = pool.Allocate();
  EXPECT_EQ(pool.GetCapacity(), 512u);
  EXPECT_EQ(pool.GetFreeCount(), 510u);
  EXPECT_EQ(pool.GetInUseCount(), 2u);
  pool.Free(first);
  pool.Free(second);
  EXPECT_EQ(pool.GetInUseCount(), 0u);
  EXPECT_EQ(pool.GetPeakCount(), 2u);
  EXPECT_EQ(pool.GetFreeCount(), 512u);
}

TEST(RegionNodePool, HandsOutZeroedNodesAgainAfterTheyComeBack) {
  RegionNodePool pool;
  RegionNode* node = pool.Allocate();
  *node = {1, 2, 3, 4, node};
  pool.Free(node);
  std::vector<RegionNode*> nodes;
  for (int i = 0; i < 512; ++i) {
    nodes.push_back(pool.Allocate());
    EXPECT_EQ(nodes.back()->left | nodes.back()->bottom, 0);
    EXPECT_EQ(nodes.back()->next, nullptr);
  }
  EXPECT_EQ(std::set<RegionNode*>(nodes.begin(), nodes.end()).size(), 512u);
  for (RegionNode* n : nodes) pool.Free(n);
}

TEST(RegionNodePool, BeyondTheBlockNodesComeFromTheHeapAndGoBackThere) {
  RegionNodePool pool;
  std::vector<RegionNode*> nodes;
  for (int i = 0; i < 600; ++i) nodes.push_back(pool.Allocate());
  EXPECT_EQ(pool.GetFreeCount(), 0u);
  EXPECT_EQ(pool.GetInUseCount(), 600u);
  for (size_t i = 512; i < nodes.size(); ++i) pool.Free(nodes[i]);
  EXPECT_EQ(pool.GetFreeCount(), 0u) << "heap nodes must not enter the ring";
  for (size_t i = 0; i < 512; ++i) pool.Free(nodes[i]);
  EXPECT_EQ(pool.GetFreeCount(), 512u);
  EXPECT_EQ(pool.GetInUseCount(), 0u);
  EXPECT_EQ(pool.GetPeakCount(), 600u);
}

TEST(RegionNodePool, FreedBlockSlotsAreReusedInTheOrderTheyCameBack) {
  RegionNodePool pool;
  std::vector<RegionNode*> nodes;
  for (int i = 0; i < 512; ++i) nodes.push_back(pool.Allocate());
  pool.Free(nodes[7]);
  pool.Free(nodes[3]);
  EXPECT_EQ(pool.Allocate(), nodes[7]);
  EXPECT_EQ(pool.Allocate(), nodes[3]);
  for (RegionNode* n : nodes) pool.Free(n);
}

TEST(RegionNodePool, ThreadsAllocatingAndFreeingAtOnceKeepTheCountsRight) {
  RegionNodePool pool;
  auto churn = [&pool] {
    std::vector<RegionNode*> nodes;
    for (int round = 0; round < 200; ++round) {
      for (int i = 0; i < 300; ++i) nodes.push_back(pool.Allocate());
      for (RegionNode* node : nodes) pool.Free(node);
      nodes.clear();
    }
  };
  std::thread first(churn), second(churn);
  first.join();
  second.join();
  EXPECT_EQ(pool.GetInUseCount(), 0u);
  EXPECT_EQ(pool.GetFreeCount(), 512u);
}

TEST(RegionNodePool, FreeOfNullDoesNothing) {
  RegionNodePool pool;
  pool.Free(nullptr);
  EXPECT_EQ(pool.GetInUseCount(), 0u);
}

}  // namespace
}  // namespace SV
