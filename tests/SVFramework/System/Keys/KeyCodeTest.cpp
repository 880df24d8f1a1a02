#include "SVFramework/System/Keys/KeyCode.h"

#include "tests/Support/TextConversions.h"

#include <gtest/gtest.h>

#include <string>

namespace SV {
namespace {

using Testing::Utf16;

struct ParseCase {
  const char* name;
  const char16_t* text;
  uint32_t code;
};

// Each row: a binding text and the code word it reads to.
const ParseCase kParseCases[] = {
    {"CtrlS", u"Ctrl+VKEY_S", 0x21530000},
    {"AltF4", u"Alt+VKEY_F4", 0x24730000},
    {"PlainDelete", u"VKEY_DELETE", 0x202E0000},
    {"CharacterByNumber", u"[65]", 0x00000041},
    {"AltCharacterKeepsAlt", u"Alt+x", 0x04000078},
    {"LowerCaseReadsLikeUpperCase", u"ctrl+vkey_s", 0x21530000},
    {"ShiftInsideIdentifierCounts", u"VKEY_SHIFT", 0x22100000},
    {"ShiftAndLeftShift", u"Shift+VKEY_LSHIFT", 0x22A00000},
    {"CommandSetsCmd", u"COMMAND+VKEY_O", 0x284F0000},
    {"UnknownIdentifierHasNoKey", u"Ctrl+VKEY_NOSUCH", 0x21000000},
    {"UnknownIdentifierAlone", u"VKEY_NOPE", 0x20000000},
    {"BracketDropsCtrl", u"Ctrl+[19]", 0x00000013},
    {"BracketKeepsAlt", u"Alt+[65]", 0x04000041},
    {"BracketWithBlanksAndSign", u"[  +66]", 0x00000042},
    {"BracketNegativeWrapsToUnit", u"[-1]", 0x0000FFFF},
    {"BracketHugeNumberSaturates", u"[99999999999999999999]", 0x0000FFFF},
    {"BracketWithoutDigitsIsZero", u"[x]", 0x00000000},
    {"BracketWithoutCloseHasNoKey", u"Ctrl+[65", 0x20000000},
    {"CloseOnlyBeforeOpenHasNoKey", u"]65[", 0x20000000},
    {"PlusAsCharacterAfterModifier", u"Ctrl++", 0x0000002B},
    {"SingleCharacter", u"q", 0x00000071},
    {"EmptyBindsNothing", u"", 0x80000000},
    {"TrailingPlusBindsNothing", u"Ctrl+", 0x80000000},
    {"WordBindsNothing", u"hello", 0x80000000},
    {"PlusSignsBindNothing", u"+++", 0x80000000},
};

void PrintTo(const ParseCase& row, std::ostream* out) { *out << row.name; }

class KeyCodeParse : public testing::TestWithParam<ParseCase> {};

TEST_P(KeyCodeParse, ReadsTheCodeWordWithoutSidesOrFlag) {
  const KeyCode key = KeyCode::Parse(GetParam().text);
  EXPECT_EQ(key.code, GetParam().code);
  EXPECT_EQ(key.sides, 0u);
  EXPECT_EQ(key.previousState, 0);
}

INSTANTIATE_TEST_SUITE_P(Texts, KeyCodeParse, testing::ValuesIn(kParseCases),
                         [](const testing::TestParamInfo<ParseCase>& info) { return std::string(info.param.name); });

TEST(KeyCode, ParserSurvivesTenThousandPlusSignsAndBindsNothing) {
  const std::u16string pluses(10000, u'+');
  EXPECT_TRUE(KeyCode::Parse(String(pluses.c_str())).IsNoKey());
  const std::u16string modifiers = std::u16string(u"Ctrl") + pluses + u"VKEY_S";
  EXPECT_EQ(KeyCode::Parse(String(modifiers.c_str())).code, 0x21530000u);
}

struct TextCase {
  const char* name;
  KeyCode key;
  const char16_t* display;
  const char16_t* identifier;
};

// Each row: a key and its display text and identifier text.
const TextCase kTextCases[] = {
    {"CtrlS", KeyCode(0x21530000, 0, 0), u"Ctrl+S", u"Ctrl+VKEY_S"},
    {"AltF4", KeyCode(0x24730000, 0, 0), u"Alt+F4", u"Alt+VKEY_F4"},
    {"PrefixOrderCtrlAltShiftCmd", KeyCode(0x2F2E0000, 0, 0), u"Ctrl+Alt+Shift+Cmd+Del",
     u"Ctrl+Alt+Shift+Cmd+VKEY_DELETE"},
    {"TabHasNoDisplayName", KeyCode(0x21090000, 0, 0), u"Ctrl+", u"Ctrl+VKEY_TAB"},
    {"SharedKeyPrintsFirstIdentifier", KeyCode(0x24150000, 0, 0), u"Alt+Kana", u"Alt+VKEY_HANGEUL"},
    {"ControlCharacterShowsCtrlLetter", KeyCode(0x00000013, 0, 0), u"Ctrl+S", u"[19]"},
    {"PrintableCharacter", KeyCode(0x04000078, 0, 0), u"Alt+x", u"Alt+[120]"},
    {"SpaceCharacterShowsNothing", KeyCode(0x00000020, 0, 0), u"", u"[32]"},
    {"NoKeyShowsOnlyPrefixes", KeyCode(0x81000000, 0, 0), u"Ctrl+", u"Ctrl+"},
    {"UnknownKeyShowsOnlyPrefixes", KeyCode(0x21FF0000, 0, 0), u"Ctrl+", u"Ctrl+"},
};

void PrintTo(const TextCase& row, std::ostream* out) { *out << row.name; }

class KeyCodeText : public testing::TestWithParam<TextCase> {};

TEST_P(KeyCodeText, PrintsDisplayAndIdentifierText) {
  EXPECT_EQ(Utf16(KeyCode::GetDisplayText(GetParam().key)), GetParam().display);
  EXPECT_EQ(Utf16(KeyCode::ToString(GetParam().key)), GetParam().identifier);
}

INSTANTIATE_TEST_SUITE_P(Keys, KeyCodeText, testing::ValuesIn(kTextCases),
                         [](const testing::TestParamInfo<TextCase>& info) { return std::string(info.param.name); });

TEST(KeyCode, IdentifierTextOfEveryParsedBindingParsesBackToTheSameCode) {
  for (const char16_t* text : {u"Ctrl+VKEY_S", u"Alt+VKEY_F4", u"VKEY_DELETE", u"Shift+VKEY_PAGEUP", u"VKEY_KANJI",
                               u"[65]", u"Alt+[120]"}) {
    const KeyCode parsed = KeyCode::Parse(text);
    EXPECT_EQ(KeyCode::Parse(KeyCode::ToString(parsed)).code, parsed.code) << KeyCode::ToString(parsed).ToUTF8().GetString();
  }
}

struct EqualityCase {
  const char* name;
  KeyCode left;
  KeyCode right;
  bool equal;
};

const KeyCode kKeyboardCtrlSDown(0x21530000, 0x04, 0);  // left Ctrl held

// Each row: two keys and whether they compare equal.
const EqualityCase kEqualityCases[] = {
    {"KeyboardCtrlSEqualsParsedBinding", kKeyboardCtrlSDown, KeyCode::Parse(u"Ctrl+VKEY_S"), true},
    {"RepeatFlagIsIgnored", KeyCode(0x21530000, 0x08, 1), KeyCode::Parse(u"Ctrl+VKEY_S"), true},
    {"ReleaseDiffers", KeyCode(0x01530000, 0x04, 1), KeyCode::Parse(u"Ctrl+VKEY_S"), false},
    {"CtrlShiftSDiffers", KeyCode(0x23530000, 0x04, 0), KeyCode::Parse(u"Ctrl+VKEY_S"), false},
    {"CharacterIgnoresShift", KeyCode(u'a', KeyCode::kModShift), KeyCode(u'a', 0), true},
    {"CharacterIgnoresCtrl", KeyCode(u'a', KeyCode::kModCtrl), KeyCode(u'a', 0), true},
    {"CharacterKeepsAlt", KeyCode(u'a', KeyCode::kModAlt), KeyCode(u'a', 0), false},
    {"CharacterDiffersFromOtherCharacter", KeyCode(u'a', 0), KeyCode(u'b', 0), false},
    {"NoKeyEqualsNoKey", KeyCode(), KeyCode(), true},
    {"NoKeyComparesCtrl", KeyCode(0x81000000, 0, 0), KeyCode(), false},
    {"UnknownBindingEqualsNoCharacter", KeyCode::Parse(u"Ctrl+VKEY_NOSUCH"), KeyCode(u'\0', KeyCode::kModCtrl), false},
};

void PrintTo(const EqualityCase& row, std::ostream* out) { *out << row.name; }

class KeyCodeEquality : public testing::TestWithParam<EqualityCase> {};

TEST_P(KeyCodeEquality, ComparesCodeWordsOnly) {
  EXPECT_EQ(GetParam().left == GetParam().right, GetParam().equal);
  EXPECT_EQ(GetParam().right == GetParam().left, GetParam().equal);
}

INSTANTIATE_TEST_SUITE_P(Pairs, KeyCodeEquality, testing::ValuesIn(kEqualityCases),
                         [](const testing::TestParamInfo<EqualityCase>& info) { return std::string(info.param.name); });

TEST(KeyCode, SideBitsNeedTheirGenericModifier) {
  EXPECT_EQ(KeyCode::GetSidedModifiers(0x18), 0x01u);
  EXPECT_EQ(KeyCode::GetSidedModifiers(0x28), 0x02u);
  EXPECT_EQ(KeyCode::GetSidedModifiers(0x03), 0x04u);
  EXPECT_EQ(KeyCode::GetSidedModifiers(0x05), 0x08u);
  EXPECT_EQ(KeyCode::GetSidedModifiers(0xC0), 0x10u);
  EXPECT_EQ(KeyCode::GetSidedModifiers(0x140), 0x20u);
  EXPECT_EQ(KeyCode::GetSidedModifiers(0x600), 0x40u);
  EXPECT_EQ(KeyCode::GetSidedModifiers(0xA00), 0x80u);
  EXPECT_EQ(KeyCode::GetSidedModifiers(0x0DB6), 0u) << "side bits without generic bits";
}

TEST(KeyCode, CharacterEventCarriesModifierBitsAndSides) {
  const KeyCode key(u'c', KeyCode::kModCtrl | KeyCode::kModLeftCtrl | KeyCode::kModWin | KeyCode::kModFifth);
  EXPECT_EQ(key.code, 0x19000063u);
  EXPECT_EQ(key.sides, 0x04u);
  EXPECT_EQ(key.previousState, 0);
}

}  // namespace
}  // namespace SV
