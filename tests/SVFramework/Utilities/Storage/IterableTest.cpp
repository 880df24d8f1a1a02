#include "SVFramework/Utilities/Storage/Iterable.h"

#include <gtest/gtest.h>

#include <vector>

#include "SVFramework/Utilities/Storage/Array.h"

namespace SV {
namespace {

std::vector<int> ForwardWalk(const IIterable<int>& iterable) {
  std::vector<int> seen;
  for (auto it = iterable.Begin(); it != iterable.End(); ++it) seen.push_back(*it);
  return seen;
}

std::vector<int> ReverseWalk(const IIterable<int>& iterable) {
  std::vector<int> seen;
  for (auto it = iterable.ReverseBegin(); it != iterable.ReverseEnd(); ++it) seen.push_back(*it);
  return seen;
}

TEST(IterablePositions, AdvanceClampsIntoBeforeFirstAndEnd) {
  const Array<int> array{10, 20, 30};
  const ElementPosition first = array.GetFirstPosition();
  const ElementPosition last = array.GetLastPosition();
  struct Case { const char* what; ElementPosition from; int32_t n; ElementPosition expected; };
  const Case cases[] = {
      {"last +1 is end", last, 1, array.GetEndPosition()},
      {"last +5 is still end", last, 5, array.GetEndPosition()},
      {"first -1 is before-first", first, -1, array.GetBeforeFirstPosition()},
      {"first -7 is still before-first", first, -7, array.GetBeforeFirstPosition()},
      {"before-first +1 is first", array.GetBeforeFirstPosition(), 1, first},
      {"end -1 is last", array.GetEndPosition(), -1, last},
      {"first +2 is last", first, 2, last},
  };
  for (const Case& c : cases) EXPECT_EQ(array.Advance(c.from, c.n), c.expected) << c.what;
}

TEST(IterablePositions, AnEmptyIterableHasOnlyNullPositionsAndAnEmptyWalk) {
  const Array<int> empty;
  for (const ElementPosition position : {empty.GetFirstPosition(), empty.GetLastPosition(), empty.GetEndPosition(),
                                         empty.GetBeforeFirstPosition(), empty.Advance(ElementPosition(), 3)})
    EXPECT_TRUE(position.IsNull());
  EXPECT_TRUE(empty.Begin() == empty.End());
  EXPECT_TRUE(empty.ReverseBegin() == empty.ReverseEnd());
}

TEST(IterableWalks, ForwardAndReverseWalksVisitEveryElementOnce) {
  const Array<int> array{1, 2, 3, 4};
  EXPECT_EQ(ForwardWalk(array), (std::vector<int>{1, 2, 3, 4}));
  EXPECT_EQ(ReverseWalk(array), (std::vector<int>{4, 3, 2, 1}));
  EXPECT_EQ(ForwardWalk(Array<int>{7}), (std::vector<int>{7}));
  EXPECT_EQ(ReverseWalk(Array<int>{7}), (std::vector<int>{7}));
}

TEST(IterableWalks, AModifyingIteratorWritesIntoTheIterable) {
  Array<int> array{1, 2, 3};
  IIterable<int>& iterable = array;
  for (int& element : iterable) element *= 10;
  EXPECT_EQ(ForwardWalk(array), (std::vector<int>{10, 20, 30}));
}

TEST(IterableAccess, TheWalkingGetAtAndTheArrayGetAtGiveTheSameElement) {
  Array<int> array{5, 6, 7, 8};
  for (uint32_t i = 0; i < array.GetCount(); ++i) {
    EXPECT_EQ(&array.IIterable<int>::GetAt(i), &array.IArray<int>::GetAt(i)) << i;
    EXPECT_EQ(&array.IIterable<int>::GetAt(i), &array.GetAt(i)) << i;
  }
}

TEST(IterableAccess, GenericSwapChecksBothIndices) {
  Array<int> array{1, 2, 3};
  EXPECT_EQ(array.IIterable<int>::Swap(0, 2), S_OK);
  EXPECT_EQ(ForwardWalk(array), (std::vector<int>{3, 2, 1}));
  EXPECT_EQ(array.IIterable<int>::Swap(0, 3), E_INVALIDARG);
  EXPECT_EQ(array.IIterable<int>::Swap(3, 0), E_INVALIDARG);
  EXPECT_EQ(ForwardWalk(array), (std::vector<int>{3, 2, 1}));
}

TEST(IterableSearch, FindGivesTheFirstEqualElementOrMinusOne) {
  EXPECT_EQ((Array<int>{4, 5, 4}).Find(4), 0);
  EXPECT_EQ((Array<int>{4, 5, 4}).Find(5), 1);
  EXPECT_EQ((Array<int>{4, 5, 4}).Find(6), -1);
  EXPECT_EQ(Array<int>().Find(4), -1);
}

TEST(IterableAppend, AppendAllAndAppendFromCopyInSourceOrder) {
  for (const bool throughStorage : {false, true}) {
    Array<int> array{1, 2};
    const Array<int> source{3, 4, 5};
    const int32_t count = throughStorage ? array.AppendFrom(source) : array.AppendAll(source);
    EXPECT_EQ(count, 5);
    EXPECT_EQ(ForwardWalk(array), (std::vector<int>{1, 2, 3, 4, 5}));
  }
}

TEST(IterableAppend, AppendingAnIterableToItselfDoublesIt) {
  for (const bool throughStorage : {false, true}) {
    Array<int> array{1, 2, 3};
    EXPECT_EQ(throughStorage ? array.AppendFrom(array) : array.AppendAll(array), 6);
    EXPECT_EQ(ForwardWalk(array), (std::vector<int>{1, 2, 3, 1, 2, 3}));
  }
}

TEST(IterableAppend, AnEmptySourceReturnsTheCountAtOnce) {
  Array<int> array{1};
  EXPECT_EQ(array.AppendAll(Array<int>()), 1);
  EXPECT_EQ(array.Append(Array<int>()), 1);
}

TEST(IterableAssign, AssignReplacesTheContentsAndAssignToItselfKeepsThem) {
  Array<int> array{1, 2, 3};
  EXPECT_EQ(array.Assign(Array<int>{9}), 1);
  EXPECT_EQ(ForwardWalk(array), (std::vector<int>{9}));
  EXPECT_EQ(array.Assign(array), 1);
  EXPECT_EQ(ForwardWalk(array), (std::vector<int>{9}));
}

}  // namespace
}  // namespace SV
