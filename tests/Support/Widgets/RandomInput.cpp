#include "tests/Support/Widgets/RandomInput.h"

#include <array>
#include <cstdio>

#include "SVFramework/System/Keys/KeyCode.h"

namespace SV::Testing {

namespace {

// Arrows, paging, Home/End, Tab, Return, Escape, Backspace, Delete, Insert, Space,
// letters and digits that shortcuts use, F-keys, and a key no control knows.
constexpr std::array<uint32_t, 24> kVirtualKeys = {0x25, 0x26, 0x27, 0x28, 0x21, 0x22, 0x24, 0x23,
                                                   0x09, 0x0D, 0x1B, 0x08, 0x2E, 0x2D, 0x20, 0x41,
                                                   0x43, 0x56, 0x58, 0x5A, 0x30, 0x70, 0x79, 0xE7};
constexpr std::array<uint32_t, 6> kKeyModifiers = {0,
                                                   KeyCode::kModShift | KeyCode::kModLeftShift,
                                                   KeyCode::kModCtrl | KeyCode::kModLeftCtrl,
                                                   KeyCode::kModAlt | KeyCode::kModLeftAlt,
                                                   KeyCode::kModCtrl | KeyCode::kModShift,
                                                   KeyCode::kModCtrl | KeyCode::kModAlt | KeyCode::kModShift};
constexpr std::array<int32_t, 5> kMouseModifiers = {0, 1, 8, 0x40, 9};
constexpr std::array<int32_t, 3> kButtons = {1, 2, 4};

std::string Hex(uint32_t value) {
  char text[16];
  std::snprintf(text, sizeof text, "0x%X", value);
  return text;
}

}  // namespace

void RandomInput::Run(const RCPtr<LControl>& target, int count, const std::function<void()>& check) {
  for (int i = 0; i < count; ++i) {
    OneEvent(target);
    if (check) check();
  }
  for (const int32_t button : kButtons)
    if (mHeldButtons & static_cast<uint32_t>(button)) mHarness.Release(PointNear(target), button);
  mHeldButtons = 0;
}

void RandomInput::OneEvent(const RCPtr<LControl>& target) {
  const int kind = Pick(100);
  if (kind < 40) return PointerEvent(target);
  if (kind < 60) return KeyEvent();
  if (kind < 80) return CharacterEvent();
  if (kind < 85) return PasteEvent();
  IdleEvent();
}

PointT<int32_t> RandomInput::PointNear(const RCPtr<LControl>& target) {
  const RectT<double>& rect = target->GetRect();
  const int32_t width = static_cast<int32_t>(rect.width), height = static_cast<int32_t>(rect.height);
  const PointT<int32_t> local{Pick(width + 41) - 20, Pick(height + 41) - 20};
  return mHarness.At(target, local);
}

void RandomInput::PointerEvent(const RCPtr<LControl>& target) {
  const PointT<int32_t> point = PointNear(target);
  const int32_t modifiers = kMouseModifiers[static_cast<size_t>(Pick(kMouseModifiers.size()))];
  const int32_t button = kButtons[static_cast<size_t>(Pick(kButtons.size()))];
  const std::string where = " (" + std::to_string(point.x) + "," + std::to_string(point.y) + ")";
  switch (Pick(6)) {
    case 0:
      mLastEvent = "move" + where;
      return mHarness.MoveTo(point, modifiers);
    case 1:
      mLastEvent = "press " + std::to_string(button) + where;
      mHeldButtons |= static_cast<uint32_t>(button);
      return mHarness.Press(point, button, modifiers);
    case 2:
      mLastEvent = "release " + std::to_string(button) + where;
      mHeldButtons &= ~static_cast<uint32_t>(button);
      return mHarness.Release(point, button, modifiers);
    case 3:
      mLastEvent = "double click" + where;
      return mHarness.DoubleClick(point);
    case 4:
      mLastEvent = "drag to" + where;
      return mHarness.Drag(PointNear(target), point, 1 + Pick(4));
    default:
      mLastEvent = "wheel " + std::to_string(Pick(4)) + where;
      return mHarness.Wheel(point, Pick(4), modifiers);
  }
}

void RandomInput::KeyEvent() {
  const uint32_t key = kVirtualKeys[static_cast<size_t>(Pick(kVirtualKeys.size()))];
  const uint32_t modifiers = kKeyModifiers[static_cast<size_t>(Pick(kKeyModifiers.size()))];
  const int how = Pick(3);
  mLastEvent = "key " + Hex(key) + " mods " + Hex(modifiers) + (how == 2 ? " up" : how == 1 ? " repeat" : " down");
  if (how == 2) return mHarness.KeyUp(key, modifiers);
  mHarness.KeyDown(key, modifiers, how == 1);
}

void RandomInput::CharacterEvent() {
  const std::u16string text = OddText().substr(0, 1 + static_cast<size_t>(Pick(4)));
  mLastEvent = "characters of length " + std::to_string(text.size());
  mHarness.Type(text);
}

void RandomInput::PasteEvent() {
  const std::u16string text = OddText();
  mLastEvent = "paste of length " + std::to_string(text.size());
  mHarness.application.clipboard.ChangeOutside(text);
  mHarness.Edit(u"NID_EDIT_PASTE_REQ");
}

void RandomInput::IdleEvent() {
  const int how = Pick(4);
  if (how == 0) {
    const uint32_t back = static_cast<uint32_t>(Pick(2000));
    mLastEvent = "clock back " + std::to_string(back) + " ms";
    mHarness.application.ticks -= back;
    mHarness.application.seconds -= back / 1000.0;
    mHarness.Idle(0);
    return;
  }
  const uint32_t forward = how == 1 ? 100000u : static_cast<uint32_t>(Pick(700));
  mLastEvent = "idle after " + std::to_string(forward) + " ms";
  mHarness.Idle(forward);
}

std::u16string RandomInput::OddText() {
  static const std::array<std::u16string, 12> kTexts = {
      u"", u"0", u"-12.5", u"abc", u"nan", u"1e309", u"line\nbreak\r\n\ttab",
      u"\u0001\u0008\u001B\u007F", u"\U0001F600 smile", std::u16string(1, char16_t(0xD800)) + u"lone",
      std::u16string(1, char16_t(0xDC00)) + u"7", u"\u00E9\u4E2D\u0301"};
  const int which = Pick(14);
  if (which < 12) return kTexts[static_cast<size_t>(which)];
  std::u16string longText(static_cast<size_t>(5000 + Pick(5000)), u'9');
  if (which == 13) longText[static_cast<size_t>(Pick(static_cast<int>(longText.size())))] = u'\n';
  return longText;
}

}  // namespace SV::Testing
