#include "SVFramework/System/HotKeyMap.h"

namespace SV {

SVRESULT HotKeyMap::LoadFromStringTable(const LStringTable* table, const String& prefix) {
  if (!table) return E_INVALIDARG;
  Array<StringPair> entries;
  table->GetEntriesWithPrefix(prefix + String(u"."), entries);
  for (uint32_t index = 0; index < entries.GetCount(); ++index) {
    const StringPair& entry = entries[index];
    const KeyCode key = KeyCode::Parse(entry.second);
    if (key.IsNoKey()) continue;
    const String command = entry.first.Mid(entry.first.ReverseFind('.') + 1);
    Add(key, command);
  }
  return S_OK;
}

SVRESULT HotKeyMap::Add(const KeyCode& key, const String& command) {
  if (command.IsEmpty() || !FindCommand(key).IsEmpty()) return E_INVALIDARG;
  Array<KeyCode>& keys = mBindings[CommandID(command)];
  keys.InsertAt(keys.GetCount(), key);
  return S_OK;
}

String HotKeyMap::FindCommand(const KeyCode& key) const {
  for (const auto& [command, keys] : mBindings)
    for (uint32_t index = keys.GetCount(); index-- > 0;)
      if (keys[index] == key) return String(command);
  return String();
}

Array<KeyCode> HotKeyMap::GetKeys(const String& command) const {
  if (command.IsEmpty()) return {};
  const auto found = mBindings.find(CommandID(command));
  return found == mBindings.end() ? Array<KeyCode>() : found->second;
}

KeyCode HotKeyMap::GetFirstKey(const String& command) const {
  const Array<KeyCode> keys = GetKeys(command);
  return keys.GetCount() > 0 ? keys[0] : KeyCode();
}

bool HotKeyMap::HasCommand(const String& command) const { return GetKeys(command).GetCount() > 0; }

NotificationID HotKeyMap::CommandID(const String& command) { return InternNotificationID(command.GetString()); }

}  // namespace SV
