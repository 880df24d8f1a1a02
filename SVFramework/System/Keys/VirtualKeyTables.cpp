#include "SVFramework/System/Keys/VirtualKeyTables.h"

#include <algorithm>
#include <array>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace SV {
namespace {

struct IdentifierEntry {
  std::u16string identifier;
  uint8_t virtualKey;
};

// The identifiers with the platform's virtual-key values of the same name, in the
// order they are entered; runs such as VKEY_0..VKEY_9 are added by AddRun.
constexpr std::pair<const char16_t*, uint8_t> kNamedIdentifiers[] = {
    {u"VKEY_BACK", 0x08},     {u"VKEY_TAB", 0x09},        {u"VKEY_CLEAR", 0x0C},      {u"VKEY_RETURN", 0x0D},
    {u"VKEY_SHIFT", 0x10},    {u"VKEY_CONTROL", 0x11},    {u"VKEY_MENU", 0x12},       {u"VKEY_PAUSE", 0x13},
    {u"VKEY_CAPITAL", 0x14},  {u"VKEY_KANA", 0x15},       {u"VKEY_HANGEUL", 0x15},    {u"VKEY_HANGUL", 0x15},
    {u"VKEY_JUNJA", 0x17},    {u"VKEY_FINAL", 0x18},      {u"VKEY_HANJA", 0x19},      {u"VKEY_KANJI", 0x19},
    {u"VKEY_ESCAPE", 0x1B},   {u"VKEY_CONVERT", 0x1C},    {u"VKEY_NONCONVERT", 0x1D}, {u"VKEY_ACCEPT", 0x1E},
    {u"VKEY_MODECHANGE", 0x1F}, {u"VKEY_SPACE", 0x20},    {u"VKEY_PAGEUP", 0x21},     {u"VKEY_PAGEDN", 0x22},
    {u"VKEY_END", 0x23},      {u"VKEY_HOME", 0x24},       {u"VKEY_LEFT", 0x25},       {u"VKEY_UP", 0x26},
    {u"VKEY_RIGHT", 0x27},    {u"VKEY_DOWN", 0x28},       {u"VKEY_SELECT", 0x29},     {u"VKEY_PRINT", 0x2A},
    {u"VKEY_EXECUTE", 0x2B},  {u"VKEY_SNAPSHOT", 0x2C},   {u"VKEY_INSERT", 0x2D},     {u"VKEY_DELETE", 0x2E},
    {u"VKEY_HELP", 0x2F},     {u"VKEY_LWIN", 0x5B},       {u"VKEY_RWIN", 0x5C},       {u"VKEY_APPS", 0x5D},
    {u"VKEY_SLEEP", 0x5F},    {u"VKEY_MULTIPLY", 0x6A},   {u"VKEY_ADD", 0x6B},        {u"VKEY_SEPARATOR", 0x6C},
    {u"VKEY_SUBTRACT", 0x6D}, {u"VKEY_DECIMAL", 0x6E},    {u"VKEY_DIVIDE", 0x6F},     {u"VKEY_NUMLOCK", 0x90},
    {u"VKEY_SCROLL", 0x91},   {u"VKEY_OEM_NEC_EQUAL", 0x92}, {u"VKEY_OEM_FJ_JISHO", 0x92}, {u"VKEY_OEM_FJ_MASSHOU", 0x93},
    {u"VKEY_OEM_FJ_TOUROKU", 0x94}, {u"VKEY_OEM_FJ_LOYA", 0x95}, {u"VKEY_OEM_FJ_ROYA", 0x96},
    {u"VKEY_LSHIFT", 0xA0},   {u"VKEY_RSHIFT", 0xA1},     {u"VKEY_LCONTROL", 0xA2},   {u"VKEY_RCONTROL", 0xA3},
    {u"VKEY_LMENU", 0xA4},    {u"VKEY_RMENU", 0xA5},      {u"VKEY_BROWSER_BACK", 0xA6}, {u"VKEY_BROWSER_FORWARD", 0xA7},
    {u"VKEY_BROWSER_REFRESH", 0xA8}, {u"VKEY_BROWSER_STOP", 0xA9}, {u"VKEY_BROWSER_SEARCH", 0xAA},
    {u"VKEY_BROWSER_FAVORITES", 0xAB}, {u"VKEY_BROWSER_HOME", 0xAC}, {u"VKEY_VOLUME_MUTE", 0xAD},
    {u"VKEY_VOLUME_DOWN", 0xAE}, {u"VKEY_VOLUME_UP", 0xAF}, {u"VKEY_MEDIA_NEXT_TRACK", 0xB0},
    {u"VKEY_MEDIA_PREV_TRACK", 0xB1}, {u"VKEY_MEDIA_STOP", 0xB2}, {u"VKEY_MEDIA_PLAY_PAUSE", 0xB3},
    {u"VKEY_LAUNCH_MAIL", 0xB4}, {u"VKEY_LAUNCH_MEDIA_SELECT", 0xB5}, {u"VKEY_LAUNCH_APP1", 0xB6},
    {u"VKEY_LAUNCH_APP2", 0xB7},
};

// Display names; a key named twice keeps its first name (0x15 "Kana", 0x19 "Hanja",
// 0x92 "NEC Equal"). Back and Tab have none.
constexpr std::pair<uint8_t, const char16_t*> kNamedDisplayNames[] = {
    {0x0C, u"Clear"}, {0x0D, u"Return"}, {0x10, u"Shift"}, {0x11, u"Control"}, {0x12, u"Menu"},
    {0x13, u"Pause"}, {0x14, u"Capital"}, {0x15, u"Kana"}, {0x15, u"Hangeul"}, {0x15, u"Hangul"},
    {0x17, u"Junja"}, {0x18, u"Final"}, {0x19, u"Hanja"}, {0x19, u"Kanji"}, {0x1B, u"Escape"},
    {0x1C, u"Convert"}, {0x1D, u"Non-convert"}, {0x1E, u"Accept"}, {0x1F, u"Mode Change"},
    {0x20, u"Space"}, {0x21, u"Page Up"}, {0x22, u"Page Down"}, {0x23, u"End"}, {0x24, u"Home"},
    {0x25, u"Left Arrow"}, {0x26, u"Up Arrow"}, {0x27, u"Right Arrow"}, {0x28, u"Down Arrow"},
    {0x29, u"Select"}, {0x2A, u"Print"}, {0x2B, u"Execute"}, {0x2C, u"Snapshot"}, {0x2D, u"Insert"},
    {0x2E, u"Del"}, {0x2F, u"Help"}, {0x5B, u"Left Win"}, {0x5C, u"Right Win"}, {0x5D, u"Apps"},
    {0x5F, u"Sleep"}, {0x6A, u"*"}, {0x6B, u"+"}, {0x6C, u"Separator"}, {0x6D, u"-"}, {0x6E, u"."},
    {0x6F, u"/"}, {0x90, u"Numlock"}, {0x91, u"Scroll"}, {0x92, u"NEC Equal"}, {0x92, u"Jisho"},
    {0x93, u"Masshou"}, {0x94, u"Touroku"}, {0x95, u"Loya"}, {0x96, u"Roya"}, {0xA0, u"Left Shift"},
    {0xA1, u"Right Shift"}, {0xA2, u"Left Control"}, {0xA3, u"Right Control"}, {0xA4, u"Left Menu"},
    {0xA5, u"Right Menu"}, {0xA6, u"Browser Back"}, {0xA7, u"Browser Forward"}, {0xA8, u"Browser Refresh"},
    {0xA9, u"Browser Stop"}, {0xAA, u"Browser Search"}, {0xAB, u"Browser Favorites"}, {0xAC, u"Browser Home"},
    {0xAD, u"Volume Mute"}, {0xAE, u"Volume Down"}, {0xAF, u"Volume Up"}, {0xB0, u"Media Next Track"},
    {0xB1, u"Media Prev Track"}, {0xB2, u"Media Stop"}, {0xB3, u"Media Play Pause"}, {0xB4, u"Launch Mail"},
    {0xB5, u"Launch Media Select"}, {0xB6, u"Launch App 1"}, {0xB7, u"Launch App 2"},
};

class Tables {
public:
  Tables() {
    BuildIdentifiers();
    BuildDisplayNames();
  }

  uint8_t Lookup(std::u16string_view identifier) const {
    const auto found = std::lower_bound(mIdentifiers.begin(), mIdentifiers.end(), identifier,
                                        [](const IdentifierEntry& entry, std::u16string_view text) {
                                          return std::u16string_view(entry.identifier) < text;
                                        });
    if (found == mIdentifiers.end() || found->identifier != identifier) return 0;
    return found->virtualKey;
  }

  std::u16string_view IdentifierOf(uint32_t virtualKey) const {
    for (const IdentifierEntry& entry : mIdentifiers)
      if (entry.virtualKey == virtualKey) return entry.identifier;
    return {};
  }

  std::u16string_view DisplayNameOf(uint32_t virtualKey) const {
    return virtualKey < mDisplayNames.size() ? std::u16string_view(mDisplayNames[virtualKey]) : std::u16string_view();
  }

  uint32_t IdentifierCount() const { return static_cast<uint32_t>(mIdentifiers.size()); }

private:
  void AddIdentifierRun(std::u16string_view stem, int count, uint8_t firstKey, int firstSuffix, bool letters) {
    for (int index = 0; index < count; ++index) {
      std::u16string identifier(stem);
      if (letters) {
        identifier += static_cast<char16_t>(u'A' + index);
      } else {
        for (char digit : std::to_string(firstSuffix + index)) identifier += static_cast<char16_t>(digit);
      }
      mIdentifiers.push_back({identifier, static_cast<uint8_t>(firstKey + index)});
    }
  }

  void BuildIdentifiers() {
    for (const auto& [identifier, key] : kNamedIdentifiers) mIdentifiers.push_back({identifier, key});
    AddIdentifierRun(u"VKEY_", 10, 0x30, 0, false);
    AddIdentifierRun(u"VKEY_", 26, 0x41, 0, true);
    AddIdentifierRun(u"VKEY_NUMPAD", 10, 0x60, 0, false);
    AddIdentifierRun(u"VKEY_F", 24, 0x70, 1, false);
    std::stable_sort(mIdentifiers.begin(), mIdentifiers.end(),
                     [](const IdentifierEntry& a, const IdentifierEntry& b) { return a.identifier < b.identifier; });
  }

  void AddDisplayName(uint8_t key, std::u16string name) {
    if (mDisplayNames[key].empty()) mDisplayNames[key] = std::move(name);
  }

  void AddDisplayRun(std::u16string_view stem, int count, uint8_t firstKey, int firstSuffix) {
    for (int index = 0; index < count; ++index) {
      std::u16string name(stem);
      for (char digit : std::to_string(firstSuffix + index)) name += static_cast<char16_t>(digit);
      AddDisplayName(static_cast<uint8_t>(firstKey + index), name);
    }
  }

  void BuildDisplayNames() {
    for (const auto& [key, name] : kNamedDisplayNames) AddDisplayName(key, name);
    AddDisplayRun(u"", 10, 0x30, 0);
    for (int letter = 0; letter < 26; ++letter)
      AddDisplayName(static_cast<uint8_t>(0x41 + letter), std::u16string(1, static_cast<char16_t>(u'A' + letter)));
    AddDisplayRun(u"Numpad ", 10, 0x60, 0);
    AddDisplayRun(u"F", 24, 0x70, 1);
  }

  std::vector<IdentifierEntry> mIdentifiers;
  std::array<std::u16string, 256> mDisplayNames;
};

const Tables& TheTables() {
  static const Tables tables;
  return tables;
}

String ToString(std::u16string_view text) {
  return String(std::u16string(text).c_str());
}

}  // namespace

void BuildVirtualKeyTables() { TheTables(); }

uint8_t LookupVirtualKey(const String& identifier) { return TheTables().Lookup(identifier.View()); }

String GetVirtualKeyDisplayName(uint32_t virtualKey) { return ToString(TheTables().DisplayNameOf(virtualKey)); }

String GetVirtualKeyIdentifier(uint32_t virtualKey) { return ToString(TheTables().IdentifierOf(virtualKey)); }

uint32_t GetVirtualKeyIdentifierCount() { return TheTables().IdentifierCount(); }

}  // namespace SV
