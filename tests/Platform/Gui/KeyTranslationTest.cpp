#include "Platform/Gui/KeyTranslation.h"

#include <gtest/gtest.h>

#include <string>

namespace Platform::Gui {
namespace {

struct KeyCase {
  const char* name;
  int qtKey;
  Qt::KeyboardModifiers modifiers;
  uint8_t virtualKey;
};

// Each row: a Qt key with its modifiers and the virtual key our key words carry.
const KeyCase kKeyCases[] = {
    {"LetterKeepsItsCode", Qt::Key_S, Qt::NoModifier, 0x53},
    {"LetterWithCtrl", Qt::Key_C, Qt::ControlModifier, 0x43},
    {"DigitKeepsItsCode", Qt::Key_7, Qt::NoModifier, 0x37},
    {"KeypadDigit", Qt::Key_7, Qt::KeypadModifier, 0x67},
    {"F1", Qt::Key_F1, Qt::NoModifier, 0x70},
    {"F4WithAlt", Qt::Key_F4, Qt::AltModifier, 0x73},
    {"F24", Qt::Key_F24, Qt::NoModifier, 0x87},
    {"PageUp", Qt::Key_PageUp, Qt::NoModifier, 0x21},
    {"PageDown", Qt::Key_PageDown, Qt::NoModifier, 0x22},
    {"LeftArrow", Qt::Key_Left, Qt::NoModifier, 0x25},
    {"DownArrow", Qt::Key_Down, Qt::NoModifier, 0x28},
    {"KeypadHomeStaysHome", Qt::Key_Home, Qt::KeypadModifier, 0x24},
    {"Delete", Qt::Key_Delete, Qt::NoModifier, 0x2E},
    {"BacktabIsTab", Qt::Key_Backtab, Qt::ShiftModifier, 0x09},
    {"KeypadEnterIsReturn", Qt::Key_Enter, Qt::KeypadModifier, 0x0D},
    {"KeypadPlusIsAdd", Qt::Key_Plus, Qt::KeypadModifier, 0x6B},
    {"KeypadSlashIsDivide", Qt::Key_Slash, Qt::KeypadModifier, 0x6F},
    {"MainPlusHasNoVirtualKey", Qt::Key_Plus, Qt::NoModifier, 0x00},
    {"ControlKey", Qt::Key_Control, Qt::ControlModifier, 0x11},
    {"LeftWindowsKey", Qt::Key_Super_L, Qt::MetaModifier, 0x5B},
    {"MenuKeyIsApps", Qt::Key_Menu, Qt::NoModifier, 0x5D},
    {"PrintScreenIsSnapshot", Qt::Key_Print, Qt::NoModifier, 0x2C},
    {"VolumeUp", Qt::Key_VolumeUp, Qt::NoModifier, 0xAF},
    {"UnknownKey", Qt::Key_unknown, Qt::NoModifier, 0x00},
    {"CharacterOnlyKey", Qt::Key_Udiaeresis, Qt::NoModifier, 0x00},
};

void PrintTo(const KeyCase& row, std::ostream* out) { *out << row.name; }

class KeyTranslationKeys : public testing::TestWithParam<KeyCase> {};

TEST_P(KeyTranslationKeys, QtKeyGivesItsVirtualKey) {
  EXPECT_EQ(VirtualKeyFromQtKey(GetParam().qtKey, GetParam().modifiers), GetParam().virtualKey);
}

INSTANTIATE_TEST_SUITE_P(Keys, KeyTranslationKeys, testing::ValuesIn(kKeyCases),
                         [](const testing::TestParamInfo<KeyCase>& info) { return std::string(info.param.name); });

TEST(KeyTranslation, ModifierWordKeepsSidesOnlyWithTheirModifier) {
  EXPECT_EQ(ModifierWordFromQt(Qt::NoModifier, 0xFFF), 0u);
  EXPECT_EQ(ModifierWordFromQt(Qt::ControlModifier, 0x002), 0x003u);
  EXPECT_EQ(ModifierWordFromQt(Qt::ShiftModifier | Qt::AltModifier, 0x020 | 0x100 | 0x002), 0x008u | 0x020 | 0x040 | 0x100);
  EXPECT_EQ(ModifierWordFromQt(Qt::MetaModifier, 0x800), 0xA00u);
  EXPECT_EQ(ModifierWordFromQt(Qt::KeypadModifier, 0), 0u);
}

TEST(KeyTranslation, SidesFollowPressesAndReleasesOfTheModifierKeys) {
  ModifierSides sides;
  sides.OnKey(0xFFE3, true);   // Control_L
  sides.OnKey(0xFFE2, true);   // Shift_R
  sides.OnKey(0x0073, true);   // s: not a modifier
  EXPECT_EQ(sides.GetSideBits(), 0x002u | 0x020);
  sides.OnKey(0xFFE3, false);
  EXPECT_EQ(sides.GetSideBits(), 0x020u);
  sides.OnKey(0xFFEC, true);   // Super_R
  sides.Clear();
  EXPECT_EQ(sides.GetSideBits(), 0u);
}

}  // namespace
}  // namespace Platform::Gui
