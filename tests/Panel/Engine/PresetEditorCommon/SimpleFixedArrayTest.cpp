#include "Panel/Engine/PresetEditorCommon/SimpleFixedArray.h"

#include "SVFramework/Utilities/Storage/Array.h"

#include <gtest/gtest.h>

#include <vector>

namespace SV {
namespace {

using Buffer = SimpleFixedArray<signed char, 8>;

Buffer Holding(std::vector<signed char> elements) {
  Buffer buffer;
  for (signed char element : elements) buffer.Append(element);
  return buffer;
}

std::vector<signed char> Contents(const Buffer& buffer) { return {buffer.begin(), buffer.end()}; }

TEST(SimpleFixedArray, KeepsItsElementsInsideItselfAlsoWhenEmpty) {
  Buffer buffer;
  const auto* const object = reinterpret_cast<const char*>(&buffer);
  const auto* const data = reinterpret_cast<const char*>(buffer.GetData());
  EXPECT_EQ(buffer.GetCount(), 0u);
  ASSERT_NE(data, nullptr);
  EXPECT_GE(data, object);
  EXPECT_LE(data + 8, object + sizeof(Buffer));
  buffer.Append(1);
  EXPECT_EQ(reinterpret_cast<const char*>(buffer.GetData()), data);
}

TEST(SimpleFixedArray, NeverHoldsMoreThanEightElements) {
  Buffer buffer;
  EXPECT_EQ(buffer.GetMaxCount(), 8u);
  EXPECT_EQ(buffer.SetCount(9), 8);
  EXPECT_EQ(buffer.SetCount(0x7FFFFFFF), 8);
  EXPECT_EQ(buffer.GetCount(), 8u);
  EXPECT_EQ(buffer.InsertItems(0, 1), E_INVALIDARG);
  EXPECT_EQ(buffer.Append(5), E_INVALIDARG);

  Buffer five = Holding({1, 2, 3, 4, 5});
  Array<signed char> four{6, 7, 8, 9};
  EXPECT_EQ(five.AppendAll(four), E_FAIL) << "nothing is copied when the whole does not fit";
  EXPECT_EQ(Contents(five), (std::vector<signed char>{1, 2, 3, 4, 5}));
}

TEST(SimpleFixedArray, InsertsAndRemovesByTheRulesOfItsCount) {
  struct Case {
    const char* what;
    std::vector<signed char> before;
    bool insert;
    uint32_t index;
    uint32_t count;
    int32_t result;
    std::vector<signed char> after;
  };
  const Case cases[] = {
      {"insert moves the tail up and keeps the old bytes in the gap", {1, 2, 3}, true, 1, 2, 5, {1, 2, 3, 2, 3}},
      {"insert at the count appends", {1, 2}, true, 2, 1, 3, {1, 2, 0}},
      {"insert up to eight elements", {1, 2, 3, 4, 5, 6}, true, 0, 2, 8, {1, 2, 1, 2, 3, 4, 5, 6}},
      {"insert that would reach nine is refused", {1, 2, 3, 4, 5, 6, 7}, true, 0, 2, E_INVALIDARG,
       {1, 2, 3, 4, 5, 6, 7}},
      {"insert past the count is refused", {1, 2}, true, 3, 1, E_INVALIDARG, {1, 2}},
      {"remove moves the rest down", {1, 2, 3, 4, 5}, false, 1, 2, 3, {1, 4, 5}},
      {"remove up to the count", {1, 2, 3}, false, 1, 2, 1, {1}},
      {"remove past the count is refused", {1, 2, 3}, false, 2, 2, E_INVALIDARG, {1, 2, 3}},
      {"remove of nothing at the count", {1, 2, 3}, false, 3, 0, 3, {1, 2, 3}},
  };
  for (const Case& test : cases) {
    Buffer buffer = Holding(test.before);
    const int32_t result = test.insert ? buffer.InsertItems(test.index, test.count)
                                       : buffer.RemoveItems(test.index, test.count);
    EXPECT_EQ(result, test.result) << test.what;
    EXPECT_EQ(Contents(buffer), test.after) << test.what;
  }
}

TEST(SimpleFixedArray, InsertAtAndRemoveItemReturnTheNewCount) {
  Buffer buffer = Holding({1, 3});
  EXPECT_EQ(buffer.InsertAt(1, 2), 3);
  EXPECT_EQ(Contents(buffer), (std::vector<signed char>{1, 2, 3}));
  EXPECT_EQ(buffer.InsertAt(0, buffer[2]), 4) << "an element of the array itself";
  EXPECT_EQ(Contents(buffer), (std::vector<signed char>{3, 1, 2, 3}));

  signed char removed = 0;
  EXPECT_EQ(buffer.RemoveItem(1, removed), 3);
  EXPECT_EQ(removed, 1);
  removed = 42;
  EXPECT_EQ(buffer.RemoveItem(3, removed), E_INVALIDARG);
  EXPECT_EQ(removed, 42);
}

}  // namespace
}  // namespace SV
