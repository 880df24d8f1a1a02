#include "SVFramework/Utilities/Storage/ArrayUtils.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

#include "SVFramework/Utilities/Storage/Array.h"
#include "SVFramework/Utilities/Storage/RCPtrArray.h"
#include "tests/Support/InstrumentedObject.h"

namespace SV {
namespace {

// An element whose key is what the sort compares and whose tag records its place
// before the sort.
struct Keyed {
  int key = 0;
  int tag = 0;
};

bool ByKey(const Keyed& a, const Keyed& b) { return a.key < b.key; }

Array<Keyed> KeysModulo(int count, int modulus) {
  Array<Keyed> array;
  for (int i = 0; i < count; ++i) array.Append(Keyed{(count - i) % modulus, i});
  return array;
}

std::string OutOfRangeText(const std::function<void()>& action) {
  try {
    action();
  } catch (const Exception<std::out_of_range>& error) {
    return error.what();
  }
  return "no exception";
}

TEST(ArraySort, EqualElementsKeepTheirOrderAlsoBeyondThirtyTwoElements) {
  for (const int count : {5, 32, 33, 200}) {
    Array<Keyed> array = KeysModulo(count, 3);
    ArrayUtils::Sort(array, 0, array.GetCount(), ByKey);
    for (uint32_t i = 1; i < array.GetCount(); ++i) {
      ASSERT_LE(array[i - 1].key, array[i].key) << count << " elements, at " << i;
      if (array[i - 1].key == array[i].key) {
        ASSERT_LT(array[i - 1].tag, array[i].tag) << count << " elements, at " << i;
      }
    }
  }
}

TEST(ArraySort, OnlyTheGivenRangeIsSorted) {
  Array<int> array{9, 4, 3, 2, 1, 0};
  ArrayUtils::Sort(array, 1, 3, [](int a, int b) { return a < b; });
  EXPECT_EQ(std::vector<int>(array.begin(), array.end()), (std::vector<int>{9, 2, 3, 4, 1, 0}));
}

TEST(ArraySort, ARangePastTheEndRaisesUnlessItHoldsFewerThanTwoElements) {
  Array<int> array{3, 1};
  const auto less = [](int a, int b) { return a < b; };
  EXPECT_EQ(OutOfRangeText([&] {
              ArrayUtils::Sort(array, 0, 3, less);
            }).rfind("Out of Range : SV::ArrayUtils::Sort : Utilities/Storage/ArrayUtils : Line ", 0),
            0u);
  EXPECT_THROW(ArrayUtils::Sort(array, 1, 2, less), Exception<std::out_of_range>);
  EXPECT_NO_THROW(ArrayUtils::Sort(array, 7, 1, less));
  EXPECT_NO_THROW(ArrayUtils::Sort(array, 7, 0, less));
  EXPECT_EQ(array[0], 3);
}

TEST(ArraySort, SortingSmartPointersKeepsTheReferenceCountsExact) {
  Testing::LifeRecord record;
  RCPtrArray<Testing::InstrumentedObject> array;
  for (int i = 0; i < 40; ++i) array.Append(RCPtr<Testing::InstrumentedObject>(new Testing::InstrumentedObject(record)));
  ArrayUtils::Sort(array, 0, array.GetCount(), [](const auto& a, const auto& b) { return a.Get() > b.Get(); });
  for (uint32_t i = 0; i < array.GetCount(); ++i) EXPECT_EQ(array[i]->GetRefCount(), 1) << i;
  for (uint32_t i = 1; i < array.GetCount(); ++i) EXPECT_GT(array[i - 1].Get(), array[i].Get());
  EXPECT_EQ(record.Alive(), 40);
}

TEST(ArraySortIndecies, SortsAnIndexPermutationAndKeepsTiesInIndexOrder) {
  const Array<Keyed> source = KeysModulo(100, 4);
  Array<uint32_t> indices{77};
  ArrayUtils::SortIndecies(indices, source, 10, 80, [&](uint32_t a, uint32_t b) { return source[a].key < source[b].key; });
  ASSERT_EQ(indices.GetCount(), 80u);
  for (uint32_t i = 1; i < indices.GetCount(); ++i) {
    const Keyed& before = source[indices[i - 1]];
    const Keyed& after = source[indices[i]];
    ASSERT_LE(before.key, after.key) << i;
    if (before.key == after.key) {
      ASSERT_LT(indices[i - 1], indices[i]) << i;
    }
  }
  EXPECT_GE(*std::min_element(indices.begin(), indices.end()), 10u);
  EXPECT_LE(*std::max_element(indices.begin(), indices.end()), 89u);
}

TEST(ArraySortIndecies, CountsBelowTwoOnlyFillTheIndices) {
  const Array<int> source{5, 6, 7};
  Array<uint32_t> indices{4, 4, 4};
  int comparisons = 0;
  const auto counting = [&](uint32_t, uint32_t) { ++comparisons; return false; };
  ArrayUtils::SortIndecies(indices, source, 2, 1, counting);
  EXPECT_EQ(std::vector<uint32_t>(indices.begin(), indices.end()), (std::vector<uint32_t>{2}));
  ArrayUtils::SortIndecies(indices, source, 3, 0, counting);
  EXPECT_EQ(indices.GetCount(), 0u);
  EXPECT_EQ(comparisons, 0);
}

TEST(ArraySortIndecies, ASourceTooShortRaisesAndLeavesTheIndicesUntouched) {
  const Array<int> source{5, 6};
  Array<uint32_t> indices{9};
  const std::string text = OutOfRangeText(
      [&] { ArrayUtils::SortIndecies(indices, source, 0, 3, [](uint32_t a, uint32_t b) { return a < b; }); });
  EXPECT_EQ(text.rfind("Out of Range : SV::ArrayUtils::SortIndecies : Utilities/Storage/ArrayUtils : Line ", 0), 0u) << text;
  EXPECT_EQ(std::vector<uint32_t>(indices.begin(), indices.end()), (std::vector<uint32_t>{9}));
}

}  // namespace
}  // namespace SV
