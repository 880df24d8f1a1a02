#include "SVFramework/Controls/ItemStrings.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

#include "SVFramework/ControlBase/StringTable.h"

namespace SV {
namespace {

struct ItemStringsKeyCase {
  std::u16string key;
  int32_t index;
};

void PrintTo(const ItemStringsKeyCase& test, std::ostream* out) {
  *out << String(test.key.c_str()).ToUTF8().GetString();
}

class ItemKeyIndexTest : public ::testing::TestWithParam<ItemStringsKeyCase> {};

TEST_P(ItemKeyIndexTest, OnlyIndexesFromZeroTo65535AreItems) {
  EXPECT_EQ(GetItemKeyIndex(GetParam().key.c_str()), GetParam().index);
}

const ItemStringsKeyCase kItemKeyCases[] = {
    {u"ITEM.00", 0},  {u"ITEM.15", 15},    {u"ITEM.7", 7},         {u"ITEM. 3", 3},
    {u"ITEM.+4", 4},  {u"ITEM.12abc", 12}, {u"ITEM.65535", 65535}, {u"ITEM.-0", 0},
    {u"ITEM.-1", -1}, {u"ITEM.65536", -1}, {u"ITEM.99999999", -1}, {u"ITEM.99999999999999999999999999", -1},
    {u"ITEM.", -1},   {u"ITEM.abc", -1},   {u"ITEM.-", -1},        {u"ITEMS.01", -1},
    {u"item.01", -1}, {u"", -1},
};

INSTANTIATE_TEST_SUITE_P(Keys, ItemKeyIndexTest, ::testing::ValuesIn(kItemKeyCases));

std::vector<std::string> Texts(const StringMap& entries) {
  const RCPtr<LStringTable> table = LStringTable::Create(entries);
  const StringArrayT<char16_t, char> texts = ReadItemTexts(table.Get());
  std::vector<std::string> result;
  for (uint32_t index = 0; index < texts.GetCount(); ++index) result.push_back(texts[index].ToUTF8().GetString());
  return result;
}

TEST(ItemTexts, TextsFollowTheirIndexesAndGapsStayEmpty) {
  EXPECT_EQ(Texts({{u"ITEM.00", u"one"}, {u"ITEM.02", u"three"}, {u"TITLE", u"not an item"}}),
            (std::vector<std::string>{"one", "", "three"}));
}

TEST(ItemTexts, OfTwoKeysForOneIndexTheLaterInKeyOrderWins) {
  EXPECT_EQ(Texts({{u"ITEM.01", u"first"}, {u"ITEM.1", u"second"}, {u"ITEM.00", u"zero"}}),
            (std::vector<std::string>{"zero", "second"}));
}

TEST(ItemTexts, HostileKeysAreIgnoredWithoutGrowingTheList) {
  EXPECT_EQ(Texts({{u"ITEM.-1", u"before"},
                   {u"ITEM.99999999", u"far"},
                   {u"ITEM.4294967296", u"wrapped"},
                   {u"ITEM.x", u"nothing"},
                   {u"ITEM.00", u"kept"}}),
            (std::vector<std::string>{"kept"}));
  EXPECT_EQ(Texts({{u"ITEM.65535", u"last"}}).size(), 65536u);
}

TEST(ItemTexts, ANullTableHasNoItems) {
  EXPECT_EQ(ReadItemTexts(nullptr).GetCount(), 0u);
}

}  // namespace
}  // namespace SV
