#include "SVFramework/Utilities/Storage/Array.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "SVFramework/ObjectBase/Exception.h"
#include "SVFramework/Utilities/Storage/StringT.h"

namespace SV {
namespace {

std::vector<int> Contents(const Array<int>& array) { return std::vector<int>(array.begin(), array.end()); }

TEST(ArrayAccess, GetAtRaisesTheStandardOutOfRangeErrorInBothForms) {
  Array<int> array{1, 2};
  const Array<int>& readOnly = array;
  for (const uint32_t index : {2u, 100u}) {
    try {
      array.GetAt(index);
      ADD_FAILURE() << "no exception for index " << index;
    } catch (const std::out_of_range& error) {
      EXPECT_STREQ(error.what(), "invalid vector<T> subscript");
      EXPECT_EQ(dynamic_cast<const ExceptionBase*>(&error), nullptr) << "not a framework exception";
    }
    EXPECT_THROW(readOnly.GetAt(index), std::out_of_range);
  }
  EXPECT_THROW(Array<int>().GetAt(0), std::out_of_range);
}

TEST(ArrayInsert, InsertAtTheCountAppendsAndPastItIsRefused) {
  Array<int> array{1, 2};
  EXPECT_EQ(array.InsertAt(2, 3), 2);
  EXPECT_EQ(array.InsertAt(0, 0), 0);
  EXPECT_EQ(array.InsertAt(5, 9), E_INVALIDARG);
  EXPECT_EQ(array.InsertItems(5, 2), E_INVALIDARG);
  EXPECT_EQ(Contents(array), (std::vector<int>{0, 1, 2, 3}));
  EXPECT_EQ(array.Append(4), 4);
}

TEST(ArrayInsert, InsertItemsOpensDefaultElements) {
  Array<int> array{1, 2};
  EXPECT_EQ(array.InsertItems(1, 2), 4);
  EXPECT_EQ(Contents(array), (std::vector<int>{1, 0, 0, 2}));
}

TEST(ArrayRemove, RemoveItemsRefusesARangeThatDoesNotLieInside) {
  struct Case { uint32_t index, count; int32_t expected; };
  const Case cases[] = {{3, 0, E_INVALIDARG}, {2, 2, E_INVALIDARG}, {0, 4, E_INVALIDARG},
                        {1, 2, 1}, {0, 3, 0}, {2, 0, 3}};
  for (const Case& c : cases) {
    Array<int> array{1, 2, 3};
    EXPECT_EQ(array.RemoveItems(c.index, c.count), c.expected) << c.index << "+" << c.count;
    if (c.expected < 0) {
      EXPECT_EQ(Contents(array), (std::vector<int>{1, 2, 3}));
    }
  }
}

TEST(ArrayRemove, RemoveItemHandsTheElementOutAndRaisesForABadIndex) {
  Array<String> array{String(u"a"), String(u"b")};
  String removed;
  EXPECT_EQ(array.RemoveItem(0, removed), 1);
  EXPECT_EQ(removed, String(u"a"));
  EXPECT_THROW(array.RemoveItem(1, removed), std::out_of_range);
  EXPECT_EQ(array.RemoveLast(removed), 0);
  EXPECT_EQ(removed, String(u"b"));
  EXPECT_THROW(array.RemoveLast(removed), std::out_of_range);
}

TEST(ArrayCount, SetCountDefaultConstructsAndRemoveAllEmpties) {
  Array<String> array{String(u"x")};
  EXPECT_EQ(array.SetCount(3), 3);
  EXPECT_EQ(array[0], String(u"x"));
  EXPECT_TRUE(array[2].IsEmpty());
  EXPECT_EQ(array.RemoveAll(), S_OK);
  EXPECT_EQ(array.GetCount(), 0u);
  EXPECT_EQ(array.GetData(), nullptr);
}

TEST(ArraySwap, SwapExchangesTwoElementsAndRefusesBadIndices) {
  Array<int> array{1, 2, 3};
  EXPECT_EQ(array.Swap(0, 2), S_OK);
  EXPECT_EQ(array.Swap(1, 1), S_OK);
  EXPECT_EQ(array.Swap(0, 3), E_INVALIDARG);
  EXPECT_EQ(Contents(array), (std::vector<int>{3, 2, 1}));
}

TEST(ArrayAppend, AppendOfAnotherArrayAppendsCopiesAndReturnsTheCount) {
  Array<String> names{String(u"a")};
  const Array<String> more{String(u"b"), String(u"c")};
  EXPECT_EQ(names.Append(more), 3);
  EXPECT_EQ(names[2], String(u"c"));
  EXPECT_EQ(more.GetCount(), 2u);
}

TEST(ArrayCopy, CopiesAreIndependent) {
  Array<int> original{1, 2};
  Array<int> copy = original;
  copy[0] = 9;
  copy.Append(3);
  EXPECT_EQ(Contents(original), (std::vector<int>{1, 2}));
  EXPECT_EQ(Contents(copy), (std::vector<int>{9, 2, 3}));
}

}  // namespace
}  // namespace SV
