#include "SVFramework/Utilities/Graphics/Region.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <random>
#include <set>
#include <tuple>
#include <vector>

namespace SV {
namespace {

std::vector<EdgeRect> NodesOf(const Region& region) {
  std::vector<EdgeRect> nodes;
  for (const RegionNode* node = region.GetFirst(); node != nullptr; node = node->next) {
    nodes.push_back({node->left, node->top, node->right, node->bottom});
  }
  return nodes;
}

std::vector<EdgeRect> Sorted(std::vector<EdgeRect> rects) {
  std::sort(rects.begin(), rects.end(), [](const EdgeRect& a, const EdgeRect& b) {
    return std::tie(a.top, a.left, a.bottom, a.right) < std::tie(b.top, b.left, b.bottom, b.right);
  });
  return rects;
}

Region RegionOf(std::initializer_list<EdgeRect> rects) {
  Region region;
  for (const EdgeRect& rect : rects) region.AddRect(rect);
  return region;
}

// The pixels of a small grid that a region covers, computed one pixel at a time: the
// oracle the region's rectangle arithmetic is checked against.
class PixelGrid {
public:
  static constexpr int kSize = 24;

  void Add(const EdgeRect& rect, bool covered) {
    for (int y = std::max(rect.top, 0); y < std::min(rect.bottom, kSize); ++y) {
      for (int x = std::max(rect.left, 0); x < std::min(rect.right, kSize); ++x) mPixels[y][x] = covered;
    }
  }
  void IntersectWith(const PixelGrid& other) {
    for (int y = 0; y < kSize; ++y) {
      for (int x = 0; x < kSize; ++x) mPixels[y][x] = mPixels[y][x] && other.mPixels[y][x];
    }
  }
  bool At(int x, int y) const { return mPixels[y][x]; }

private:
  std::array<std::array<bool, kSize>, kSize> mPixels{};
};

// Fails unless the region covers exactly the grid's pixels, each by one node only.
void ExpectCoversExactly(const Region& region, const PixelGrid& grid, int step) {
  std::array<std::array<int, PixelGrid::kSize>, PixelGrid::kSize> hits{};
  for (const EdgeRect& node : NodesOf(region)) {
    ASSERT_TRUE(node.left < node.right && node.top < node.bottom) << "empty node, step " << step;
    ASSERT_TRUE(node.left >= 0 && node.top >= 0 && node.right <= PixelGrid::kSize && node.bottom <= PixelGrid::kSize)
        << "node outside everything added, step " << step;
    for (int y = node.top; y < node.bottom; ++y) {
      for (int x = node.left; x < node.right; ++x) ++hits[y][x];
    }
  }
  for (int y = 0; y < PixelGrid::kSize; ++y) {
    for (int x = 0; x < PixelGrid::kSize; ++x) {
      ASSERT_LE(hits[y][x], 1) << "overlap at " << x << "," << y << ", step " << step;
      ASSERT_EQ(hits[y][x] == 1, grid.At(x, y)) << "pixel " << x << "," << y << ", step " << step;
    }
  }
}

EdgeRect RandomRect(std::mt19937& random) {
  std::uniform_int_distribution<int> coordinate(0, PixelGrid::kSize);
  const int x0 = coordinate(random), x1 = coordinate(random), y0 = coordinate(random), y1 = coordinate(random);
  return {std::min(x0, x1), std::min(y0, y1), std::max(x0, x1), std::max(y0, y1)};
}

TEST(RegionOracle, RandomEditsCoverExactlyThePixelsOfAPixelByPixelModel) {
  std::mt19937 random(20261210);
  for (int round = 0; round < 40; ++round) {
    Region region;
    PixelGrid grid;
    for (int step = 0; step < 30; ++step) {
      const EdgeRect rect = RandomRect(random);
      switch (random() % 5) {
        case 0:
        case 1:
          region.AddRect(rect);
          grid.Add(rect, true);
          break;
        case 2:
          region.SubtractRect(rect);
          grid.Add(rect, false);
          break;
        case 3: {
          Region other = RegionOf({rect, RandomRect(random)});
          PixelGrid otherGrid;
          for (const EdgeRect& node : NodesOf(other)) otherGrid.Add(node, true);
          region.Intersect(other);
          grid.IntersectWith(otherGrid);
          break;
        }
        default:
          region.Optimize();
          break;
      }
      ExpectCoversExactly(region, grid, step);
      if (HasFatalFailure()) return;
    }
  }
}

TEST(RegionOracle, OptimizeLeavesNoTwoNodesThatCouldMerge) {
  std::mt19937 random(7);
  for (int round = 0; round < 100; ++round) {
    Region region;
    PixelGrid grid;
    for (int step = 0; step < 12; ++step) {
      const EdgeRect rect = RandomRect(random);
      const bool add = random() % 3 != 0;
      add ? region.AddRect(rect) : region.SubtractRect(rect);
      grid.Add(rect, add);
    }
    region.Optimize();
    ExpectCoversExactly(region, grid, round);
    const std::vector<EdgeRect> nodes = NodesOf(region);
    for (const EdgeRect& a : nodes) {
      for (const EdgeRect& b : nodes) {
        const bool sideBySide = a.top == b.top && a.bottom == b.bottom && a.right == b.left;
        const bool stacked = a.left == b.left && a.right == b.right && a.bottom == b.top;
        EXPECT_FALSE(sideBySide || stacked) << "round " << round;
      }
    }
  }
}

TEST(RegionAdd, CutsTheOlderRectangleAroundTheNewOne) {
  const Region region = RegionOf({{0, 0, 10, 20}, {5, 5, 15, 10}});
  const std::vector<EdgeRect> expected = {{5, 5, 15, 10}, {0, 5, 5, 10}, {0, 10, 10, 20}, {0, 0, 10, 5}};
  EXPECT_EQ(NodesOf(region), expected);
  int area = 0;
  for (const EdgeRect& node : NodesOf(region)) area += (node.right - node.left) * (node.bottom - node.top);
  EXPECT_EQ(area, 225);
}

TEST(RegionAdd, IgnoresEmptyRectanglesAndKeepsOneNodeForARepeatedOne) {
  Region region;
  region.AddRect({5, 5, 5, 10});
  region.AddRect({5, 10, 8, 3});
  EXPECT_TRUE(region.IsEmpty());
  region.AddRect({1, 2, 3, 4});
  region.AddRect({1, 2, 3, 4});
  EXPECT_EQ(NodesOf(region), (std::vector<EdgeRect>{{1, 2, 3, 4}}));
}

TEST(RegionSubtract, ARectangleThatOnlyTouchesChangesNothing) {
  Region region = RegionOf({{0, 0, 10, 10}});
  for (const EdgeRect& touching : {EdgeRect{10, 0, 20, 10}, EdgeRect{0, 10, 10, 20}, EdgeRect{-5, -5, 0, 0}}) {
    region.SubtractRect(touching);
    EXPECT_EQ(NodesOf(region), (std::vector<EdgeRect>{{0, 0, 10, 10}}));
  }
}

TEST(RegionSubtract, AnEmptyRectangleRemovesNothingAndLeavesNoEmptyNodes) {
  Region region = RegionOf({{0, 0, 10, 10}});
  region.SubtractRect({2, 5, 8, 5});
  region.SubtractRect({5, 2, 5, 8});
  EXPECT_EQ(NodesOf(region), (std::vector<EdgeRect>{{0, 0, 10, 10}}));
}

TEST(RegionSubtract, HandsTheRemovedPiecesToTheOutRegion) {
  Region region = RegionOf({{0, 0, 10, 10}, {20, 0, 30, 10}});
  Region removed;
  region.SubtractRect({5, 5, 25, 15}, &removed);
  EXPECT_EQ(Sorted(NodesOf(removed)), (std::vector<EdgeRect>{{5, 5, 10, 10}, {20, 5, 25, 10}}));
  EXPECT_EQ(Sorted(NodesOf(region)),
            (std::vector<EdgeRect>{{0, 0, 10, 5}, {20, 0, 30, 5}, {0, 5, 5, 10}, {25, 5, 30, 10}}));
}

TEST(RegionIntersect, WithAnEmptyRegionEmptiesIt) {
  Region region = RegionOf({{0, 0, 10, 10}});
  region.Intersect(Region());
  EXPECT_TRUE(region.IsEmpty());
}

TEST(RegionIntersect, KeepsOnlyTheCommonArea) {
  Region region = RegionOf({{0, 0, 10, 10}});
  region.Intersect(RegionOf({{5, -5, 20, 5}}));
  EXPECT_EQ(NodesOf(region), (std::vector<EdgeRect>{{5, 0, 10, 5}}));
}

TEST(RegionIntersects, IsStrictOverlap) {
  const Region region = RegionOf({{10, 10, 20, 20}});
  EXPECT_TRUE(region.Intersects({19, 19, 30, 30}));
  EXPECT_FALSE(region.Intersects({20, 10, 30, 20}));
  EXPECT_FALSE(Region().Intersects({0, 0, 100, 100}));
}

TEST(RegionIntersectsOffsetRect, DecidesOnTheMovedRectangleLimitedToTheNonNegativeRange) {
  const Region region = RegionOf({{0, 0, 10, 10}});
  struct Case {
    const char* what;
    double x, y, width, height, dx, dy;
    bool expected;
  };
  const Case cases[] = {
      {"inside", 2, 2, 3, 3, 0, 0, true},
      {"a width of 0 never intersects", 2, 2, 0, 3, 0, 0, false},
      {"entirely left of 0", -20, 2, 10, 3, 0, 0, false},
      {"entirely above 0", 2, -20, 3, 10, 0, 0, false},
      {"the offset moves it out", 2, 2, 3, 3, 20, 0, false},
      {"the offset moves it in", 22, 2, 3, 3, -20, 0, true},
      {"rounds to whole pixels: 9.6 becomes 10, touching only", 9.6, 2, 3, 3, 0, 0, false},
      {"a huge rectangle is limited, not overflowed", -1e300, -1e300, 1e301, 1e301, 0, 0, true},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(region.IntersectsOffsetRect(c.x, c.y, c.width, c.height, c.dx, c.dy), c.expected) << c.what;
  }
}

TEST(RegionOptimize, MergesTheDocumentedExamples) {
  struct Case {
    const char* what;
    std::vector<EdgeRect> input;
    std::vector<EdgeRect> expected;
  };
  const Case cases[] = {
      {"side by side", {{0, 0, 10, 10}, {10, 0, 20, 10}}, {{0, 0, 20, 10}}},
      {"four squares", {{0, 0, 10, 10}, {10, 0, 20, 10}, {0, 10, 10, 20}, {10, 10, 20, 20}}, {{0, 0, 20, 20}}},
      {"an L stays two", {{0, 0, 20, 10}, {0, 10, 10, 20}}, {{0, 0, 20, 10}, {0, 10, 10, 20}}},
      {"a column over many bands", {{0, 0, 5, 1}, {0, 1, 5, 2}, {0, 2, 5, 3}, {0, 3, 5, 4}}, {{0, 0, 5, 4}}},
      {"the cut pieces of an added rectangle",
       {{0, 0, 10, 20}, {5, 5, 15, 10}},
       {{0, 0, 10, 5}, {0, 5, 15, 10}, {0, 10, 10, 20}}},
  };
  for (const Case& c : cases) {
    Region region;
    for (const EdgeRect& rect : c.input) region.AddRect(rect);
    region.Optimize();
    EXPECT_EQ(Sorted(NodesOf(region)), Sorted(c.expected)) << c.what;
  }
}

TEST(RegionBounds, AreZeroAndFalseWhenEmpty) {
  EdgeRect bounds{1, 2, 3, 4};
  EXPECT_FALSE(Region().GetBounds(bounds));
  EXPECT_EQ(bounds, (EdgeRect{0, 0, 0, 0}));
  EXPECT_TRUE(RegionOf({{5, 6, 7, 8}, {-1, 10, 2, 30}}).GetBounds(bounds));
  EXPECT_EQ(bounds, (EdgeRect{-1, 6, 7, 30}));
}

TEST(RegionRectArray, ListsEachNodeAsOriginAndSizeAfterEmptyingTheArray) {
  Array<RectT<int32_t>> rects{{9, 9, 9, 9}};
  RegionOf({{1, 2, 4, 8}, {10, 10, 11, 12}}).ToRectArray(rects);
  ASSERT_EQ(rects.GetCount(), 2u);
  EXPECT_EQ(rects[0], (RectT<int32_t>{10, 10, 1, 2}));
  EXPECT_EQ(rects[1], (RectT<int32_t>{1, 2, 3, 6}));
}

TEST(RegionOffset, MovesEveryNodeAndSaturatesAtTheRangeEnds) {
  Region region = RegionOf({{0, 0, 10, 10}});
  region.Offset(5, -5);
  EXPECT_EQ(NodesOf(region), (std::vector<EdgeRect>{{5, -5, 15, 5}}));
  region.Offset(INT32_MAX, 0);
  EXPECT_EQ(NodesOf(region), (std::vector<EdgeRect>{{INT32_MAX, -5, INT32_MAX, 5}}));
}

TEST(RegionCopy, CopiesAreIndependent) {
  Region original = RegionOf({{0, 0, 10, 10}});
  Region copy = original;
  copy.AddRect({20, 20, 30, 30});
  original.Clear();
  EXPECT_TRUE(original.IsEmpty());
  EXPECT_EQ(copy.GetCount(), 2u);
  Region moved = std::move(copy);
  EXPECT_EQ(moved.GetCount(), 2u);
}

TEST(RegionAppend, CopiesTheOtherNodesWithoutRemovingOverlaps) {
  Region region = RegionOf({{0, 0, 10, 10}});
  region.Append(RegionOf({{5, 5, 15, 15}}));
  EXPECT_EQ(NodesOf(region), (std::vector<EdgeRect>{{5, 5, 15, 15}, {0, 0, 10, 10}}));
}

TEST(RoundPoint, RoundsHalfAwayFromZeroAndSaturates) {
  EXPECT_EQ(RoundPoint({2.5f, -2.5f}), (PointT<int32_t>{3, -3}));
  EXPECT_EQ(RoundPoint({3e9f, -3e9f}), (PointT<int32_t>{INT32_MAX, INT32_MIN}));
  EXPECT_EQ(RoundPoint({0.49f, -0.49f}), (PointT<int32_t>{0, 0}));
}

}  // namespace
}  // namespace SV
