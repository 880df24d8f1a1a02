#include "SVFramework/ControlBase/StringTable.h"

namespace SV {

RCPtr<LStringTable> LStringTable::Create(const StringMap& entries) {
  return RCPtr<LStringTable>(new LStringTable(entries));
}

bool LStringTable::GetString(const char16_t* id, String& text) const {
  const auto found = mEntries.find(String(id));
  if (found == mEntries.end()) return false;
  text = found->second;
  return true;
}

SVRESULT LStringTable::SetString(const char16_t* id, const String& text) {
  if (!id || !*id) return E_INVALIDARG;
  const auto [entry, added] = mEntries.insert_or_assign(String(id), text);
  return added ? S_OK : S_FALSE;
}

SVRESULT LStringTable::AppendString(const char16_t* id, const String& text) {
  if (!id || !*id) return E_INVALIDARG;
  const auto [entry, added] = mEntries.try_emplace(String(id));
  entry->second.Append(text);
  return added ? S_OK : S_FALSE;
}

SVRESULT LStringTable::GetEntriesWithPrefix(const String& prefix, Array<StringPair>& entries) const {
  entries.SetCount(0);
  for (auto entry = mEntries.lower_bound(prefix); entry != mEntries.end(); ++entry) {
    if (!entry->first.View().starts_with(prefix.View())) break;
    entries.Append(StringPair{entry->first, entry->second});
  }
  return S_OK;
}

}  // namespace SV
