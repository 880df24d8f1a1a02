#pragma once
#include <map>

#include "SVFramework/ControlBase/StringTable.h"
#include "SVFramework/ObjectBase/SVResult.h"
#include "SVFramework/System/Keys/KeyCode.h"
#include "SVFramework/Utilities/Storage/Array.h"
#include "SVFramework/notification/NotificationID.h"

namespace SV {

// The key bindings of one scope: each command (a notification ID) with the keys bound
// to it. A key is bound to at most one command, so a key finds at most one command.
// Used on the UI thread.
class HotKeyMap {
public:
  // Binds every entry of the table whose ID begins with the prefix and a "." (so "GHK"
  // takes "GHK.X" but not "GHK_WIN.X"): the command is the part of the ID after its
  // last ".", the key the parsed text. Texts that bind nothing and keys bound already
  // are skipped, so the first entry for a key keeps it. E_INVALIDARG without a table.
  SVRESULT LoadFromStringTable(const LStringTable* table, const String& prefix);
  // Appends the key to the command's keys. E_INVALIDARG for an empty command or a key
  // that is bound already (to any command).
  SVRESULT Add(const KeyCode& key, const String& command);
  // The command bound to a key equal to `key` (KeyCode::operator==); empty when none.
  String FindCommand(const KeyCode& key) const;
  // The keys of a command; empty for an empty or unknown command.
  Array<KeyCode> GetKeys(const String& command) const;
  // The command's first key, or the no-key code.
  KeyCode GetFirstKey(const String& command) const;
  bool HasCommand(const String& command) const;
  void Clear() { mBindings.clear(); }
  bool IsEmpty() const { return mBindings.empty(); }

private:
  static NotificationID CommandID(const String& command);

  // Ordered by the interned ID's address, as the commands compare by identity.
  std::map<NotificationID, Array<KeyCode>> mBindings;
};

}  // namespace SV
