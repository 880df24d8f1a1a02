#include "SVFramework/System/Keys/VirtualKeyTables.h"

#include "tests/Support/TextConversions.h"

#include <gtest/gtest.h>

#include <string>

namespace SV {
namespace {

using Testing::Utf16;

TEST(VirtualKeyTables, HoldAllIdentifiersAndDisplayNames) {
  EXPECT_EQ(GetVirtualKeyIdentifierCount(), 149u);
  int named = 0;
  for (uint32_t key = 0; key < 256; ++key) named += GetVirtualKeyDisplayName(key).IsEmpty() ? 0 : 1;
  EXPECT_EQ(named, 143);
}

TEST(VirtualKeyTables, LookUpIdentifiersExactlyAndInUpperCaseOnly) {
  EXPECT_EQ(LookupVirtualKey(u"VKEY_PAGEUP"), 0x21);
  EXPECT_EQ(LookupVirtualKey(u"VKEY_PAGEDN"), 0x22);
  EXPECT_EQ(LookupVirtualKey(u"VKEY_0"), 0x30);
  EXPECT_EQ(LookupVirtualKey(u"VKEY_Z"), 0x5A);
  EXPECT_EQ(LookupVirtualKey(u"VKEY_NUMPAD9"), 0x69);
  EXPECT_EQ(LookupVirtualKey(u"VKEY_F24"), 0x87);
  EXPECT_EQ(LookupVirtualKey(u"VKEY_LAUNCH_APP2"), 0xB7);
  EXPECT_EQ(LookupVirtualKey(u"vkey_s"), 0);
  EXPECT_EQ(LookupVirtualKey(u"VKEY_S "), 0);
  EXPECT_EQ(LookupVirtualKey(u""), 0);
}

TEST(VirtualKeyTables, SharedKeysPrintTheirFirstIdentifierAndFirstDisplayName) {
  EXPECT_EQ(Utf16(GetVirtualKeyIdentifier(0x15)), u"VKEY_HANGEUL");
  EXPECT_EQ(Utf16(GetVirtualKeyIdentifier(0x19)), u"VKEY_HANJA");
  EXPECT_EQ(Utf16(GetVirtualKeyIdentifier(0x92)), u"VKEY_OEM_FJ_JISHO");
  EXPECT_EQ(Utf16(GetVirtualKeyDisplayName(0x15)), u"Kana");
  EXPECT_EQ(Utf16(GetVirtualKeyDisplayName(0x19)), u"Hanja");
  EXPECT_EQ(Utf16(GetVirtualKeyDisplayName(0x92)), u"NEC Equal");
}

TEST(VirtualKeyTables, KeysWithoutNamesGiveEmptyTexts) {
  EXPECT_TRUE(GetVirtualKeyDisplayName(0x08).IsEmpty());
  EXPECT_TRUE(GetVirtualKeyDisplayName(0x09).IsEmpty());
  EXPECT_TRUE(GetVirtualKeyIdentifier(0x00).IsEmpty());
  EXPECT_TRUE(GetVirtualKeyIdentifier(0xFF).IsEmpty());
  EXPECT_TRUE(GetVirtualKeyDisplayName(0x1000).IsEmpty());
  EXPECT_EQ(Utf16(GetVirtualKeyDisplayName(0x60)), u"Numpad 0");
  EXPECT_EQ(Utf16(GetVirtualKeyDisplayName(0x87)), u"F24");
}

}  // namespace
}  // namespace SV
