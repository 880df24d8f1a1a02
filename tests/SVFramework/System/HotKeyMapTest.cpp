#include "SVFramework/System/HotKeyMap.h"

#include "tests/Support/TextConversions.h"

#include <gtest/gtest.h>

#include <string>

namespace SV {
namespace {

using Testing::Utf16;

// The editor's bindings as its application string table stores them, with entries
// that must not bind anything.
class HotKeyMapLoading : public testing::Test {
protected:
  RCPtr<LStringTable> mTable = LStringTable::Create({
      {u"GHK.NID_EDIT_DELETE_REQ", u"VKEY_DELETE"},
      {u"GHK_WIN.NID_EDIT_COPY_REQ", u"Ctrl+VKEY_C"},
      {u"GHK_WIN.NID_EDIT_CUT_REQ", u"Ctrl+VKEY_X"},
      {u"GHK_WIN.NID_EDIT_PASTE_REQ", u"Ctrl+VKEY_V"},
      {u"GHK_WIN.NID_MENU_FILE_LOAD_PRESET_FROM_FILE", u"Ctrl+VKEY_O"},
      {u"GHK_WIN.NID_MENU_FILE_SAVE_PRESET_TO_FILE", u"Ctrl+VKEY_S"},
      {u"GHK_MAC.NID_EDIT_COPY_REQ", u"COMMAND+VKEY_C"},
      {u"GHK_WIN.NID_BROKEN_EMPTY", u""},
      {u"GHK_WIN.NID_BROKEN_TRAILING_PLUS", u"Ctrl+"},
      {u"GHK_WIN.GROUP.SUB.NID_NESTED", u"Alt+VKEY_N"},
      {u"GHK_WIN.NID_SECOND_FOR_CTRL_C", u"Ctrl+VKEY_C"},
  });
  HotKeyMap mMap;
};

TEST_F(HotKeyMapLoading, PrefixTakesOnlyEntriesWithItsOwnDot) {
  ASSERT_EQ(mMap.LoadFromStringTable(mTable.Get(), u"GHK"), S_OK);
  EXPECT_EQ(Utf16(mMap.FindCommand(KeyCode::Parse(u"VKEY_DELETE"))), u"NID_EDIT_DELETE_REQ");
  EXPECT_TRUE(mMap.FindCommand(KeyCode::Parse(u"Ctrl+VKEY_C")).IsEmpty());
}

TEST_F(HotKeyMapLoading, KeyboardKeysFindTheirCommands) {
  ASSERT_EQ(mMap.LoadFromStringTable(mTable.Get(), u"GHK_WIN"), S_OK);
  const KeyCode ctrlCDownWithLeftCtrl(0x21430000, 0x04, 0);
  EXPECT_EQ(Utf16(mMap.FindCommand(ctrlCDownWithLeftCtrl)), u"NID_EDIT_COPY_REQ");
  EXPECT_EQ(Utf16(mMap.FindCommand(KeyCode(0x21530000, 0x08, 1))), u"NID_MENU_FILE_SAVE_PRESET_TO_FILE");
  EXPECT_TRUE(mMap.FindCommand(KeyCode(0x01430000, 0x04, 1)).IsEmpty()) << "release of Ctrl+C";
  EXPECT_TRUE(mMap.FindCommand(KeyCode::Parse(u"COMMAND+VKEY_C")).IsEmpty()) << "GHK_MAC is not read";
}

TEST_F(HotKeyMapLoading, CommandIsThePartAfterTheLastDot) {
  mMap.LoadFromStringTable(mTable.Get(), u"GHK_WIN");
  EXPECT_EQ(Utf16(mMap.FindCommand(KeyCode::Parse(u"Alt+VKEY_N"))), u"NID_NESTED");
}

TEST_F(HotKeyMapLoading, FirstEntryForAKeyKeepsItAndTextsThatBindNothingAreSkipped) {
  mMap.LoadFromStringTable(mTable.Get(), u"GHK_WIN");
  EXPECT_FALSE(mMap.HasCommand(u"NID_SECOND_FOR_CTRL_C"));
  EXPECT_FALSE(mMap.HasCommand(u"NID_BROKEN_EMPTY"));
  EXPECT_FALSE(mMap.HasCommand(u"NID_BROKEN_TRAILING_PLUS"));
  EXPECT_TRUE(mMap.FindCommand(KeyCode(u'+', 0)).IsEmpty()) << "typing + must not run a command";
}

TEST_F(HotKeyMapLoading, WithoutTableNothingIsBound) {
  EXPECT_EQ(mMap.LoadFromStringTable(nullptr, u"GHK"), E_INVALIDARG);
  EXPECT_FALSE(mMap.HasCommand(u"NID_EDIT_DELETE_REQ"));
}

TEST(HotKeyMap, AddRefusesEmptyCommandsAndKeysBoundAlready) {
  HotKeyMap map;
  EXPECT_EQ(map.Add(KeyCode::Parse(u"Alt+VKEY_F4"), u"NID_APP_EXIT_REQ"), S_OK);
  EXPECT_EQ(map.Add(KeyCode::Parse(u"Alt+VKEY_F4"), u"NID_OTHER"), E_INVALIDARG);
  EXPECT_EQ(map.Add(KeyCode::Parse(u"Alt+VKEY_F4"), u"NID_APP_EXIT_REQ"), E_INVALIDARG);
  EXPECT_EQ(map.Add(KeyCode::Parse(u"Ctrl+VKEY_Q"), u""), E_INVALIDARG);
  EXPECT_FALSE(map.HasCommand(u"NID_OTHER"));
}

TEST(HotKeyMap, KeysOfACommandKeepTheirOrder) {
  HotKeyMap map;
  map.Add(KeyCode::Parse(u"Ctrl+VKEY_Q"), u"NID_APP_EXIT_REQ");
  map.Add(KeyCode::Parse(u"Alt+VKEY_F4"), u"NID_APP_EXIT_REQ");
  const Array<KeyCode> keys = map.GetKeys(u"NID_APP_EXIT_REQ");
  ASSERT_EQ(keys.GetCount(), 2u);
  EXPECT_EQ(keys[0].code, 0x21510000u);
  EXPECT_EQ(keys[1].code, 0x24730000u);
  EXPECT_EQ(map.GetFirstKey(u"NID_APP_EXIT_REQ").code, 0x21510000u);
  EXPECT_TRUE(map.GetFirstKey(u"NID_UNKNOWN").IsNoKey());
  EXPECT_EQ(map.GetKeys(u"").GetCount(), 0u);
  EXPECT_FALSE(map.HasCommand(u""));
}

}  // namespace
}  // namespace SV
