#include "Platform/IniFileManager/IniArray.h"

#include <algorithm>
#include <charconv>
#include <vector>

namespace IniFile {

int32_t IniArray::Count(const IniDocument& document) const {
  std::vector<int32_t> indices;
  for (const std::string& key : document.KeyNames(mPath.section)) {
    if (const auto index = IndexOfItemKey(key)) indices.push_back(*index);
  }
  std::sort(indices.begin(), indices.end());
  int32_t count = 0;
  for (const int32_t index : indices) {
    if (index != count) break;
    ++count;
  }
  return count;
}

const std::string* IniArray::Item(const IniDocument& document, int32_t index) const {
  return document.FindValue(mPath.section, ItemKey(index));
}

void IniArray::SetItem(IniDocument& document, int32_t index, std::string_view text) const {
  document.SetValue(mPath.section, ItemKey(index), text);
}

void IniArray::Resize(IniDocument& document, int32_t count) const {
  const int32_t kept = std::min(Count(document), count);
  document.RemoveKeys(mPath.section, [&](std::string_view key) {
    const auto index = IndexOfItemKey(key);
    return index && *index >= kept;
  });
  for (int32_t index = kept; index < count; ++index) SetItem(document, index, "");
}

void IniArray::RemoveItem(IniDocument& document, int32_t index) const {
  const int32_t count = Count(document);
  for (int32_t moved = index; moved + 1 < count; ++moved) {
    const std::string next = *Item(document, moved + 1);
    SetItem(document, moved, next);
  }
  const std::string lastKey = ItemKey(count - 1);
  document.RemoveKeys(mPath.section, [&](std::string_view key) { return key == lastKey; });
}

std::string IniArray::ItemKey(int32_t index) const {
  return mPath.name + "[" + std::to_string(index) + "]";
}

// The index of a key "Name[digits]" written the way ItemKey writes it (no sign, no
// leading zero), or nothing for any other key.
std::optional<int32_t> IniArray::IndexOfItemKey(std::string_view key) const {
  if (!key.starts_with(mPath.name) || !key.ends_with(']')) return std::nullopt;
  std::string_view digits = key.substr(mPath.name.size());
  if (!digits.starts_with('[')) return std::nullopt;
  digits = digits.substr(1, digits.size() - 2);
  if (digits.empty() || (digits.size() > 1 && digits.front() == '0') || digits.front() == '-') {
    return std::nullopt;
  }
  int32_t index = 0;
  const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), index);
  if (error != std::errc() || end != digits.data() + digits.size()) return std::nullopt;
  return index;
}

}  // namespace IniFile
