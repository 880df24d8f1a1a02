#include <gtest/gtest.h>

#include <vector>

#include "DeviceControl/GeneratedCode/Engine/inc/ParamDescriptor.h"
#include "DeviceControl/GeneratedCode/Engine/inc/ParamDescriptors.h"
#include "DeviceControl/GeneratedCode/Engine/inc/ParamRanges.h"
#include "DeviceControl/GeneratedCode/Engine/inc/ParamValues.h"

namespace SV {
namespace {

Variant OneByteBuffer(uint8_t value) {
  Variant byte;
  byte.SetBuffer(&value, 1);
  return byte;
}

Variant Int32(int32_t value) {
  Variant number;
  number.SetInt32(value);
  return number;
}

std::vector<uint8_t> Bytes(const Variant& value) {
  uint32_t size = 0;
  const auto* data = static_cast<const uint8_t*>(value.GetData(size));
  return std::vector<uint8_t>(data, data + size);
}

std::vector<int32_t> IDs(const ParamValues& list) {
  std::vector<int32_t> ids;
  for (uint32_t i = 0; i < list.GetCount(); ++i) {
    Variant value, subKey;
    int32_t id = 0;
    EXPECT_EQ(list.GetAt(i, value, id, subKey), 0);
    ids.push_back(id);
  }
  return ids;
}

ParamValues ListOf(std::initializer_list<ParamValue> entries) {
  ParamValues list;
  list.SetFromArray(entries.begin(), static_cast<uint32_t>(entries.size()));
  return list;
}

TEST(ParamValues, AnElementPacksValueIDAndSubKeyInThatOrder) {
  const ParamValues list = ListOf({ParamValue(5, Variant(), OneByteBuffer(64))});
  ASSERT_EQ(list.GetTag(), VariantTag::Array);
  ASSERT_EQ(list.GetCount(), 1u);
  Variant element, member;
  ASSERT_EQ(list.GetArrayItem(0, element), 0);
  ASSERT_EQ(element.GetArrayItemCount(), 3u);
  element.GetArrayItem(0, member);
  EXPECT_EQ(member, OneByteBuffer(64));
  element.GetArrayItem(1, member);
  EXPECT_EQ(member, Int32(5));
  element.GetArrayItem(2, member);
  EXPECT_TRUE(member.IsEmpty());

  Variant value, subKey;
  int32_t id = 0;
  EXPECT_EQ(list.GetAt(0, value, id, subKey), 0);
  EXPECT_EQ(value, OneByteBuffer(64));
  EXPECT_EQ(id, 5);
  EXPECT_TRUE(subKey.IsEmpty());
  EXPECT_EQ(list.GetAt(1, value, id, subKey), ParamListResult::NotAList);
  EXPECT_EQ(id, -1);
  EXPECT_TRUE(value.IsEmpty());
}

TEST(ParamValues, MalformedListsAndElementsAreReportedNotRead) {
  Variant pairMembers[2] = {OneByteBuffer(1), Int32(3)};
  Variant pair;
  pair.SetArray(pairMembers, 2);
  ParamValues twoMemberElement;
  twoMemberElement.SetArray(&pair, 1);
  ParamValues notAList;
  notAList.SetInt32(7);

  struct Case {
    const char* what;
    const ParamValues& list;
    SVRESULT expected;
    SVRESULT expectedFind;  // a list without elements has nothing to find
  } cases[] = {
      {"an element of two values", twoMemberElement, ParamListResult::MalformedElement,
       ParamListResult::MalformedElement},
      {"a value that is not a packed array", notAList, ParamListResult::NotAList, S_FALSE},
      {"an empty value", ParamValues(), ParamListResult::NotAList, S_FALSE},
  };
  for (const Case& c : cases) {
    Variant value = OneByteBuffer(9), subKey;
    int32_t id = 77;
    EXPECT_EQ(c.list.GetAt(0, value, id, subKey), c.expected) << c.what;
    EXPECT_EQ(id, -1) << c.what;
    EXPECT_TRUE(value.IsEmpty()) << c.what;
    EXPECT_EQ(c.list.Find(ParamDescriptor(3), value), c.expectedFind) << c.what;
    EXPECT_TRUE(value.IsEmpty()) << c.what;
  }
  EXPECT_EQ(notAList.GetCount(), 0u);
  EXPECT_EQ(twoMemberElement.SetValue(ParamDescriptor(1), OneByteBuffer(1)), ParamListResult::MalformedElement);
}

TEST(ParamValues, SetValueKeepsTheListSortedAndReportsUnchangedValues) {
  ParamValues list = ListOf({ParamValue(3, Variant(), OneByteBuffer(30)), ParamValue(7, Variant(), OneByteBuffer(70))});
  EXPECT_EQ(list.SetValue(ParamDescriptor(5), OneByteBuffer(50)), 0);
  EXPECT_EQ(IDs(list), (std::vector<int32_t>{3, 5, 7}));

  const std::vector<uint8_t> before = Bytes(list);
  EXPECT_EQ(list.SetValue(ParamDescriptor(5), OneByteBuffer(50)), 1);
  EXPECT_EQ(Bytes(list), before);

  EXPECT_EQ(list.SetValue(ParamDescriptor(5), OneByteBuffer(51)), 0);
  EXPECT_EQ(IDs(list), (std::vector<int32_t>{3, 5, 7}));
  Variant found;
  EXPECT_EQ(list.Find(ParamDescriptor(5), found), 0);
  EXPECT_EQ(found, OneByteBuffer(51));
}

TEST(ParamValues, SetValueOrdersEqualIDsBySubKeyAndGrowsAnEmptyList) {
  ParamValues list;
  EXPECT_EQ(list.SetValue(ParamDescriptor(4, Int32(2)), OneByteBuffer(2)), 0);
  EXPECT_EQ(list.SetValue(ParamDescriptor(4, Int32(1)), OneByteBuffer(1)), 0);
  EXPECT_EQ(list.SetValue(ParamDescriptor(9), OneByteBuffer(9)), 0);
  ASSERT_EQ(list.GetCount(), 3u);
  Variant value, subKey;
  int32_t id = 0;
  list.GetAt(0, value, id, subKey);
  EXPECT_EQ(subKey, Int32(1));
  list.GetAt(1, value, id, subKey);
  EXPECT_EQ(subKey, Int32(2));
  EXPECT_EQ(list.Find(ParamDescriptor(4), value), 1) << "the empty sub-key is another value";
}

TEST(ParamValues, FindOnAnEmptyListGivesOneAndAnEmptyValue) {
  ParamValues list;
  Variant value = OneByteBuffer(1);
  EXPECT_EQ(list.Find(ParamDescriptor(0), value), 1);
  EXPECT_TRUE(value.IsEmpty());
}

TEST(ParamValues, SetFromArrayRefusesNoEntriesAndKeepsTheContent) {
  ParamValues list = ListOf({ParamValue(1, Variant(), OneByteBuffer(1))});
  const ParamValue entry(2, Variant(), OneByteBuffer(2));
  EXPECT_EQ(list.SetFromArray(nullptr, 1), ParamListResult::NotAList);
  EXPECT_EQ(list.SetFromArray(&entry, 0), ParamListResult::NotAList);
  EXPECT_EQ(IDs(list), (std::vector<int32_t>{1}));
  EXPECT_EQ(list.SetSingleValue(ParamDescriptor(-4), OneByteBuffer(4)), 0);
  EXPECT_EQ(IDs(list), (std::vector<int32_t>{-4}));
}

TEST(ParamValues, AnIDStoredWithAnotherNumericTagIsRead) {
  Variant members[3] = {OneByteBuffer(1), Variant(), Variant()};
  members[1].SetUInt8(12);
  Variant element;
  element.SetArray(members, 3);
  ParamValues list;
  list.SetArray(&element, 1);
  EXPECT_EQ(IDs(list), (std::vector<int32_t>{12}));
}

TEST(ParamDescriptors, ARunExpandsToItsIDsInOrderWithEmptySubKeys) {
  const ParamDescriptors all(ParamRange{0, 24});
  ASSERT_EQ(all.GetCount(), 24u);
  for (uint32_t i = 0; i < 24; ++i) {
    int32_t id = -5;
    Variant subKey = OneByteBuffer(1);
    EXPECT_EQ(all.GetAt(i, id, subKey), 0);
    EXPECT_EQ(id, static_cast<int32_t>(i));
    EXPECT_TRUE(subKey.IsEmpty());
  }
  const ParamDescriptors none(ParamRange{0, 0});
  EXPECT_EQ(none.GetTag(), VariantTag::Array);
  EXPECT_EQ(none.GetCount(), 0u);
  int32_t id = 0;
  Variant subKey;
  EXPECT_EQ(none.GetAt(0, id, subKey), ParamListResult::NotAList);
  EXPECT_EQ(id, -1);
}

TEST(ParamDescriptors, RangesExpandInListOrderAndAWildCountIsRefused) {
  const ParamRange runs[] = {{10, 2}, {0, 0}, {3, 1}};
  ParamRanges ranges;
  ASSERT_EQ(ranges.Set(runs, 3), 0);
  ParamDescriptors descriptors;
  ASSERT_EQ(descriptors.SetFromRanges(ranges), 0);
  std::vector<int32_t> ids;
  for (uint32_t i = 0; i < descriptors.GetCount(); ++i) {
    int32_t id = 0;
    Variant subKey;
    descriptors.GetAt(i, id, subKey);
    ids.push_back(id);
  }
  EXPECT_EQ(ids, (std::vector<int32_t>{10, 11, 3}));

  const ParamRange wild{0, 0x7FFFFFFF};
  ranges.Set(&wild, 1);
  EXPECT_EQ(descriptors.SetFromRanges(ranges), E_INVALIDARG);
  EXPECT_EQ(descriptors.GetCount(), 3u);
  EXPECT_EQ(ParamDescriptors(wild).GetCount(), 0u);
}

TEST(ParamRanges, RunsComeBackAsSetAndBadIndexesGiveTheMinusOneRun) {
  const ParamRange runs[] = {{0, 24}, {-8, 1}};
  ParamRanges ranges;
  EXPECT_EQ(ranges.Set(nullptr, 2), ParamListResult::NotAList);
  ASSERT_EQ(ranges.Set(runs, 2), 0);
  ASSERT_EQ(ranges.GetCount(), 2u);
  ParamRange run;
  EXPECT_EQ(ranges.GetAt(1, run), 0);
  EXPECT_EQ(run, (ParamRange{-8, 1}));
  EXPECT_EQ(ranges.GetAt(2, run), ParamListResult::NotAList);
  EXPECT_EQ(run, (ParamRange{-1, 0}));

  const ParamValues threeMembers = ListOf({ParamValue(1, Variant(), OneByteBuffer(1))});
  ParamRanges malformed;
  malformed.Assign(threeMembers);
  run = ParamRange{5, 5};
  EXPECT_EQ(malformed.GetAt(0, run), ParamListResult::MalformedElement);
  EXPECT_EQ(run, (ParamRange{5, 5}));
}

TEST(ParamDescriptorToString, IsTheParamIDAsUnsignedDecimal) {
  EXPECT_EQ(ParamDescriptorToString(ParamDescriptor(17)), String(u"17"));
  EXPECT_EQ(ParamDescriptorToString(ParamDescriptor(-2)), String(u"4294967294"));
}

}  // namespace
}  // namespace SV
