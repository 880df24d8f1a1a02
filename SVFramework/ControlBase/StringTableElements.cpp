#include "SVFramework/ControlBase/StringTableElements.h"

namespace SV {

void StringTableElements::Start(std::string_view name, const XmlAttributes& attributes) {
  if (name == "StringTable") {
    String id;
    attributes.GetString(u"ID", id);
    mState.currentTable = &mRegistry.stringTables[id];
  } else if (name == "String") {
    attributes.GetString(u"ID", mState.currentId);
  } else if (name == "Locale") {
    Locale(attributes);
  }
}

void StringTableElements::Locale(const XmlAttributes& attributes) {
  int32_t language = 0;
  if (!mState.currentTable || !attributes.GetNumber(u"LCID", language) || language != mState.language) return;
  ++mState.matchedCount;
  mState.textTarget = &(*mState.currentTable)[mState.currentId];
  mState.textPending = true;
}

void StringTableElements::Text(const String& piece) {
  if (mState.textPending && mState.textTarget) mState.textTarget->Append(piece);
}

}  // namespace SV
