#include "SVFramework/Utilities/Storage/ArrayBuffer.h"

#include <gtest/gtest.h>

#include <vector>

#include "SVFramework/Utilities/Storage/ArrayBufferM.h"

namespace SV {
namespace {

using Indices = ArrayBuffer<uint32_t, 4, 1600>;

template <class E>
std::vector<E> Contents(const IArray<E>& array) {
  return std::vector<E>(array.begin(), array.end());
}

TEST(ArrayBufferInsert, InsertAtReturnsTheNewCountAndRefusesAnIndexPastTheCount) {
  Indices array;
  EXPECT_EQ(array.InsertAt(0, 10), 1);
  EXPECT_EQ(array.InsertAt(1, 30), 2);
  EXPECT_EQ(array.InsertAt(1, 20), 3);
  EXPECT_EQ(array.InsertAt(4, 99), E_INVALIDARG);
  EXPECT_EQ(array.InsertItems(4, 1), E_INVALIDARG);
  EXPECT_EQ(Contents<uint32_t>(array), (std::vector<uint32_t>{10, 20, 30}));
}

TEST(ArrayBufferInsert, InsertedElementsAreClearedAndTheTailMovesUp) {
  Indices array;
  for (const uint32_t value : {1u, 2u, 3u}) array.Append(value);
  EXPECT_EQ(array.InsertItems(1, 2), 5);
  EXPECT_EQ(Contents<uint32_t>(array), (std::vector<uint32_t>{1, 0, 0, 2, 3}));
  EXPECT_EQ(array.InsertItems(2, 0), 5);
}

TEST(ArrayBufferInsert, AnElementOfTheArrayItselfCanBeInserted) {
  ArrayBuffer<double, 1, 0> array;
  array.Append(1.5);
  for (int i = 0; i < 10; ++i) array.InsertAt(0, array[array.GetCount() - 1]);
  EXPECT_EQ(Contents<double>(array), std::vector<double>(11, 1.5));
}

TEST(ArrayBufferRemove, RemoveItemHandsTheElementOutOrRefusesABadIndex) {
  Indices array;
  for (const uint32_t value : {1u, 2u, 3u}) array.Append(value);
  uint32_t removed = 77;
  EXPECT_EQ(array.RemoveItem(3, removed), E_INVALIDARG);
  EXPECT_EQ(removed, 77u);
  EXPECT_EQ(array.RemoveItem(1, removed), 2);
  EXPECT_EQ(removed, 2u);
  EXPECT_EQ(array.RemoveLast(removed), 1);
  EXPECT_EQ(removed, 3u);
  EXPECT_EQ(array.RemoveItems(0, 2), E_INVALIDARG);
  EXPECT_EQ(array.RemoveItems(5, 0), 1);
  EXPECT_EQ(Contents<uint32_t>(array), (std::vector<uint32_t>{1}));
}

TEST(ArrayBufferCount, SetCountClearsOnlyTheNewElements) {
  Indices array;
  for (const uint32_t value : {5u, 6u, 7u, 8u}) array.Append(value);
  array.SetCount(1);
  EXPECT_EQ(array.SetCount(4), 4);
  EXPECT_EQ(Contents<uint32_t>(array), (std::vector<uint32_t>{5, 0, 0, 0}));
}

TEST(ArrayBufferStorage, CapacityGrowsInStepsAndKeepsItsStorageWithinTheSlack) {
  Indices array;
  array.SetCount(5);
  EXPECT_EQ(array.GetCapacity(), 8u);
  const uint32_t* storage = array.GetData();
  array[4] = 3;
  EXPECT_EQ(array.FillBytes(0, 0, -1), S_OK);
  EXPECT_EQ(array.GetData(), storage);
  array.SetCount(1);
  EXPECT_EQ(array.GetCapacity(), 8u) << "at most 1600 elements spare: kept";
  ArrayBuffer<uint32_t, 1, 0> exact;
  exact.SetCount(5);
  exact.SetCount(2);
  EXPECT_EQ(exact.GetCapacity(), 2u);
}

TEST(ArrayBufferFill, FillBytesWritesARangeAndRefusesOneThatPassesTheEnd) {
  ArrayBuffer<uint8_t, 4, 0> bytes;
  bytes.SetCount(4);
  struct Case { uint32_t offset; int32_t count; SVRESULT expected; std::vector<uint8_t> after; };
  const Case cases[] = {
      {1, 2, S_OK, {0, 9, 9, 0}},
      {2, -1, S_OK, {0, 0, 9, 9}},
      {4, -1, S_OK, {0, 0, 0, 0}},
      {3, 2, E_INVALIDARG, {0, 0, 0, 0}},
      {5, -1, E_INVALIDARG, {0, 0, 0, 0}},
  };
  for (const Case& c : cases) {
    bytes.FillBytes(0, 0, -1);
    EXPECT_EQ(bytes.FillBytes(9, c.offset, c.count), c.expected) << c.offset << "," << c.count;
    EXPECT_EQ(Contents<uint8_t>(bytes), c.after) << c.offset << "," << c.count;
  }
}

TEST(ArrayBufferInline, ElementsMoveIntoTheBufferPastTheInlineCountAndBackInside) {
  ArrayBufferM<signed char, 4, 1, 0> bytes;
  for (const signed char value : {1, 2, 3, 4}) bytes.Append(value);
  EXPECT_TRUE(bytes.IsInline());
  EXPECT_EQ(bytes.GetCapacity(), 0u) << "a short message takes no buffer";
  bytes.Append(5);
  EXPECT_FALSE(bytes.IsInline());
  EXPECT_EQ(bytes.GetCapacity(), 5u);
  EXPECT_EQ(Contents<signed char>(bytes), (std::vector<signed char>{1, 2, 3, 4, 5}));
  signed char removed = 0;
  bytes.RemoveLast(removed);
  EXPECT_TRUE(bytes.IsInline());
  EXPECT_EQ(bytes.GetCapacity(), 0u) << "the buffer is released";
  EXPECT_EQ(Contents<signed char>(bytes), (std::vector<signed char>{1, 2, 3, 4}));
}

TEST(ArrayBufferInline, AnEmptyInlineArrayHasNoDataAndGrowsStraightIntoTheBuffer) {
  ArrayBufferM<signed char, 4, 1, 0> bytes;
  EXPECT_EQ(bytes.GetData(), nullptr);
  EXPECT_EQ(bytes.SetCount(6), 6);
  EXPECT_FALSE(bytes.IsInline());
  EXPECT_EQ(Contents<signed char>(bytes), std::vector<signed char>(6, 0));
  EXPECT_EQ(bytes.SetCount(0), 0);
  EXPECT_EQ(bytes.GetCount(), 0u);
  EXPECT_EQ(bytes.GetCapacity(), 0u);
}

}  // namespace
}  // namespace SV
