#pragma once
#include <cstdint>

#include "SVFramework/ControlBase/ControlDescriptor.h"
#include "SVFramework/ControlBase/LookDescriptor.h"
#include "SVFramework/ControlBase/StringTable.h"
#include "SVFramework/Utilities/Storage/StringPairs.h"
#include "SVFramework/Utilities/Storage/StringT.h"

namespace SV {

// The font a SubControl names, kept for the Skin nested in it.
struct PendingFont {
  String name;
  float size = 0.0f;
  int32_t style = -1;
  bool inheritsFromParent = false;
  bool sizeIsRelative = false;
};

// Where the skin and string-table reader stands: each element acts on what the
// elements before it left here. Pointers into the registry's string tables stay
// valid because those tables are never removed. UI thread.
struct SkinReaderState {
  bool skipFirst = false;
  bool stringMode = false;
  // The language identifier Locale and FontLocale are compared with.
  int32_t language = 0;
  // Locale elements that matched in the current parse.
  int32_t matchedCount = 0;

  // String mode: the open matching Locale's entry.
  bool textPending = false;
  String* textTarget = nullptr;
  StringMap* currentTable = nullptr;
  // Shared by String and CreateParam.
  String currentId;

  // An open CreateParam with an ID; whether a piece of its value has arrived.
  bool parameterPending = false;
  bool parameterHasText = false;
  RCPtr<LStringTable> currentParameters;

  RCPtr<LControlDescriptor> currentControl;
  RCPtr<LLookDescriptor> currentLook;
  RCPtr<LLookList> currentLookList;
  bool inLooks = false;
  PendingFont pendingFont;
  int32_t fontLocale = 0;
};

}  // namespace SV
