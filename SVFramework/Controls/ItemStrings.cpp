#include "SVFramework/Controls/ItemStrings.h"

#include <string_view>

#include "SVFramework/ControlBase/StringTable.h"
#include "SVFramework/Utilities/Storage/CharacterClasses.h"

namespace SV {
namespace {

constexpr std::u16string_view kItemPrefix = u"ITEM.";

// The leading decimal number, -1 without digits; growth stops past the range so
// that no count of digits overflows.
int64_t LeadingItemIndex(std::u16string_view text) {
  size_t at = 0;
  while (at < text.size() && (text[at] == u' ' || text[at] == u'\t')) ++at;
  bool negative = false;
  if (at < text.size() && (text[at] == u'+' || text[at] == u'-')) negative = text[at++] == u'-';
  if (at == text.size() || !IsAsciiDigit(text[at])) return -1;
  int64_t number = 0;
  for (; at < text.size() && IsAsciiDigit(text[at]); ++at) {
    if (number <= kMaxItemKeyIndex) number = number * 10 + (text[at] - u'0');
  }
  return negative && number != 0 ? -number : number;
}

}  // namespace

int32_t GetItemKeyIndex(const String& key) {
  const std::u16string_view text = key.View();
  if (text.substr(0, kItemPrefix.size()) != kItemPrefix) return -1;
  const int64_t number = LeadingItemIndex(text.substr(kItemPrefix.size()));
  return number < 0 || number > kMaxItemKeyIndex ? -1 : static_cast<int32_t>(number);
}

StringArrayT<char16_t, char> ReadItemTexts(const LStringTable* table) {
  StringArrayT<char16_t, char> texts;
  if (!table) return texts;
  Array<StringPair> entries;
  table->GetEntriesWithPrefix(String(kItemPrefix.data()), entries);
  for (uint32_t entry = 0; entry < entries.GetCount(); ++entry) {
    const int32_t index = GetItemKeyIndex(entries[entry].first);
    if (index < 0) continue;
    while (texts.GetCount() <= static_cast<uint32_t>(index)) texts.Append(String());
    texts[static_cast<uint32_t>(index)] = entries[entry].second;
  }
  return texts;
}

}  // namespace SV
