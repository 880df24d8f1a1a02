#include "SVFramework/ControlBase/StringTable.h"

#include <gtest/gtest.h>

namespace SV {
namespace {

TEST(StringTable, GetStringLeavesTheOutTextAloneForAnAbsentId) {
  const RCPtr<LStringTable> table = LStringTable::Create({{u"TITLE", u"Editor"}});
  String text(u"unchanged");
  EXPECT_FALSE(table->GetString(u"TOOLTIP", text));
  EXPECT_EQ(text, u"unchanged");
  EXPECT_TRUE(table->GetString(u"TITLE", text));
  EXPECT_EQ(text, u"Editor");
}

TEST(StringTable, SetStringAddsReplacesAndRefusesAnEmptyId) {
  const RCPtr<LStringTable> table = LStringTable::Create();
  EXPECT_EQ(table->SetString(u"", u"x"), E_INVALIDARG);
  EXPECT_EQ(table->SetString(nullptr, u"x"), E_INVALIDARG);
  EXPECT_EQ(table->SetString(u"A", u"first"), S_OK);
  EXPECT_EQ(table->SetString(u"A", u"second"), S_FALSE);
  String text;
  ASSERT_TRUE(table->GetString(u"A", text));
  EXPECT_EQ(text, u"second");
  EXPECT_EQ(table->GetCount(), 1u);
}

TEST(StringTable, AppendStringJoinsPiecesAndAddsAnAbsentId) {
  const RCPtr<LStringTable> table = LStringTable::Create();
  EXPECT_EQ(table->AppendString(u"V", u"a"), S_OK);
  EXPECT_EQ(table->AppendString(u"V", u"&b"), S_FALSE);
  EXPECT_EQ(table->AppendString(u"", u"x"), E_INVALIDARG);
  String text;
  ASSERT_TRUE(table->GetString(u"V", text));
  EXPECT_EQ(text, u"a&b");
}

TEST(StringTable, EntriesWithAPrefixComeInOrdinalIdOrderAndOnlyWhenTheIdStartsWithIt) {
  const RCPtr<LStringTable> table = LStringTable::Create({
      {u"CONTEXT_MENU1.00.NID_MENU_HELP_ABOUT_REQ", u"About"},
      {u"CONTEXT_MENU0.01.NID_MENU_FILE_GET_PRESET_FROM_DEVICE", u"Get Preset"},
      {u"CONTEXT_MENU0.00.NID_MENU_FILE_SEND_PRESET_TO_DEVICE", u"Send Preset"},
      {u"CONTEXT_MENU1.01.NID_MENU_HELP_OPEN_USERGUIDE_REQ", u"User Guide"},
      {u"MY_CONTEXT_MENU", u"elsewhere"},
      {u"CONTEXT_MENV", u"after"},
  });
  Array<StringPair> entries;
  entries.Append(StringPair{u"stale", u"stale"});
  ASSERT_EQ(table->GetEntriesWithPrefix(u"CONTEXT_MENU", entries), S_OK);
  ASSERT_EQ(entries.GetCount(), 4u);
  EXPECT_EQ(entries[0].first, u"CONTEXT_MENU0.00.NID_MENU_FILE_SEND_PRESET_TO_DEVICE");
  EXPECT_EQ(entries[1].first, u"CONTEXT_MENU0.01.NID_MENU_FILE_GET_PRESET_FROM_DEVICE");
  EXPECT_EQ(entries[2].second, u"About");
  EXPECT_EQ(entries[3].first, u"CONTEXT_MENU1.01.NID_MENU_HELP_OPEN_USERGUIDE_REQ");

  ASSERT_EQ(table->GetEntriesWithPrefix(u"", entries), S_OK);
  EXPECT_EQ(entries.GetCount(), 6u);
}

}  // namespace
}  // namespace SV
