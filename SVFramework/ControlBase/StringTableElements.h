#pragma once
#include <string_view>
#include "SVFramework/ControlBase/SkinReaderState.h"
#include "SVFramework/ControlBase/SkinRegistry.h"
#include "SVFramework/ControlBase/XmlAttributes.h"

namespace SV {

// The string-table elements: StringTable picks (or makes) the table, String the ID,
// and a Locale of the reader's language opens the entry that the following
// character data is appended to. A Locale without LCID, or before any StringTable,
// is ignored. UI thread, inside one parse.
class StringTableElements {
public:
  StringTableElements(SkinRegistry& registry, SkinReaderState& state) : mRegistry(registry), mState(state) {}

  void Start(std::string_view name, const XmlAttributes& attributes);
  // Every end tag closes the open entry.
  void End() { mState.textPending = false; }
  void Text(const String& piece);

private:
  void Locale(const XmlAttributes& attributes);

  SkinRegistry& mRegistry;
  SkinReaderState& mState;
};

}  // namespace SV
