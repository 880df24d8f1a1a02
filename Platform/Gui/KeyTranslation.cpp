#include "Platform/Gui/KeyTranslation.h"

#include <unordered_map>

namespace Platform::Gui {
namespace {

const std::unordered_map<int, uint8_t>& KeyTable() {
  static const std::unordered_map<int, uint8_t> table = {
      {Qt::Key_Backspace, 0x08}, {Qt::Key_Tab, 0x09}, {Qt::Key_Backtab, 0x09}, {Qt::Key_Clear, 0x0C},
      {Qt::Key_Return, 0x0D}, {Qt::Key_Enter, 0x0D}, {Qt::Key_Shift, 0x10}, {Qt::Key_Control, 0x11},
      {Qt::Key_Alt, 0x12}, {Qt::Key_AltGr, 0x12}, {Qt::Key_Pause, 0x13}, {Qt::Key_CapsLock, 0x14},
      {Qt::Key_Hangul, 0x15}, {Qt::Key_Kana_Lock, 0x15}, {Qt::Key_Hangul_Hanja, 0x19}, {Qt::Key_Kanji, 0x19},
      {Qt::Key_Escape, 0x1B}, {Qt::Key_Henkan, 0x1C}, {Qt::Key_Muhenkan, 0x1D}, {Qt::Key_Mode_switch, 0x1F},
      {Qt::Key_Space, 0x20}, {Qt::Key_PageUp, 0x21}, {Qt::Key_PageDown, 0x22}, {Qt::Key_End, 0x23},
      {Qt::Key_Home, 0x24}, {Qt::Key_Left, 0x25}, {Qt::Key_Up, 0x26}, {Qt::Key_Right, 0x27},
      {Qt::Key_Down, 0x28}, {Qt::Key_Select, 0x29}, {Qt::Key_Printer, 0x2A}, {Qt::Key_Execute, 0x2B},
      {Qt::Key_Print, 0x2C}, {Qt::Key_Insert, 0x2D}, {Qt::Key_Delete, 0x2E}, {Qt::Key_Help, 0x2F},
      {Qt::Key_Super_L, 0x5B}, {Qt::Key_Meta, 0x5B}, {Qt::Key_Super_R, 0x5C}, {Qt::Key_Menu, 0x5D},
      {Qt::Key_Sleep, 0x5F}, {Qt::Key_NumLock, 0x90}, {Qt::Key_ScrollLock, 0x91},
      {Qt::Key_Back, 0xA6}, {Qt::Key_Forward, 0xA7}, {Qt::Key_Refresh, 0xA8}, {Qt::Key_Stop, 0xA9},
      {Qt::Key_Search, 0xAA}, {Qt::Key_Favorites, 0xAB}, {Qt::Key_HomePage, 0xAC}, {Qt::Key_VolumeMute, 0xAD},
      {Qt::Key_VolumeDown, 0xAE}, {Qt::Key_VolumeUp, 0xAF}, {Qt::Key_MediaNext, 0xB0}, {Qt::Key_MediaPrevious, 0xB1},
      {Qt::Key_MediaStop, 0xB2}, {Qt::Key_MediaTogglePlayPause, 0xB3}, {Qt::Key_MediaPlay, 0xB3},
      {Qt::Key_LaunchMail, 0xB4}, {Qt::Key_LaunchMedia, 0xB5}, {Qt::Key_Launch0, 0xB6}, {Qt::Key_Launch1, 0xB7},
  };
  return table;
}

// Keys of the numeric pad other than its digits, reported with Qt::KeypadModifier.
const std::unordered_map<int, uint8_t>& KeypadTable() {
  static const std::unordered_map<int, uint8_t> table = {
      {Qt::Key_Asterisk, 0x6A}, {Qt::Key_Plus, 0x6B}, {Qt::Key_Comma, 0x6C},
      {Qt::Key_Minus, 0x6D},    {Qt::Key_Period, 0x6E}, {Qt::Key_Slash, 0x6F},
  };
  return table;
}

uint8_t FindIn(const std::unordered_map<int, uint8_t>& table, int qtKey) {
  const auto found = table.find(qtKey);
  return found == table.end() ? 0 : found->second;
}

// X11 keysyms of the sided modifier keys and their side bits in the modifier word.
constexpr struct { uint32_t keySymbol; uint32_t sideBit; } kSidedKeys[] = {
    {0xFFE1, 0x010}, {0xFFE2, 0x020},  // Shift_L, Shift_R
    {0xFFE3, 0x002}, {0xFFE4, 0x004},  // Control_L, Control_R
    {0xFFE9, 0x080}, {0xFFEA, 0x100},  // Alt_L, Alt_R
    {0xFFEB, 0x400}, {0xFFEC, 0x800},  // Super_L, Super_R
};

}  // namespace

uint8_t VirtualKeyFromQtKey(int qtKey, Qt::KeyboardModifiers modifiers) {
  const bool keypad = modifiers.testFlag(Qt::KeypadModifier);
  if (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9) return static_cast<uint8_t>((keypad ? 0x60 : 0x30) + qtKey - Qt::Key_0);
  if (qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z) return static_cast<uint8_t>(0x41 + qtKey - Qt::Key_A);
  if (qtKey >= Qt::Key_F1 && qtKey <= Qt::Key_F24) return static_cast<uint8_t>(0x70 + qtKey - Qt::Key_F1);
  if (keypad) {
    if (const uint8_t key = FindIn(KeypadTable(), qtKey)) return key;
  }
  return FindIn(KeyTable(), qtKey);
}

uint32_t ModifierWordFromQt(Qt::KeyboardModifiers modifiers, uint32_t sides) {
  uint32_t word = 0;
  if (modifiers.testFlag(Qt::ControlModifier)) word |= 0x001 | (sides & 0x006);
  if (modifiers.testFlag(Qt::ShiftModifier)) word |= 0x008 | (sides & 0x030);
  if (modifiers.testFlag(Qt::AltModifier)) word |= 0x040 | (sides & 0x180);
  if (modifiers.testFlag(Qt::MetaModifier)) word |= 0x200 | (sides & 0xC00);
  return word;
}

void ModifierSides::OnKey(uint32_t nativeKeySymbol, bool pressed) {
  for (const auto& entry : kSidedKeys) {
    if (entry.keySymbol != nativeKeySymbol) continue;
    mSideBits = pressed ? (mSideBits | entry.sideBit) : (mSideBits & ~entry.sideBit);
  }
}

}  // namespace Platform::Gui
