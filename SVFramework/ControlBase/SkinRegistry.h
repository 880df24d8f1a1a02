#pragma once
#include <cstdint>
#include <map>

#include "SVFramework/ControlBase/Colorizer.h"
#include "SVFramework/ControlBase/ControlDescriptor.h"
#include "SVFramework/ControlBase/LookDescriptor.h"
#include "SVFramework/ControlBase/VisualPartDescriptor.h"
#include "SVFramework/Utilities/Storage/RCPtrArray.h"
#include "SVFramework/Utilities/Storage/StringPairs.h"
#include "SVFramework/Utilities/Storage/StringT.h"

namespace SV {

// Everything read from the skin and string-table documents, by name in ordinal order.
// A name that is present keeps its first entry: later definitions under it are
// dropped. Nothing is ever removed, so a second load adds to the first.
// Used on the UI thread.
struct SkinRegistry {
  // Inserts unless the name is present; returns the entry now registered.
  template <class T>
  static const RCPtr<T>& Register(std::map<String, RCPtr<T>>& registry, const String& name, const RCPtr<T>& entry) {
    return registry.try_emplace(name, entry).first->second;
  }
  // The entry of that name, or null.
  template <class T>
  static RCPtr<T> Find(const std::map<String, RCPtr<T>>& registry, const String& name) {
    const auto found = registry.find(name);
    return found == registry.end() ? RCPtr<T>() : found->second;
  }

  String applicationName;
  // "::" for the built-in resources, else the folder and "/"; prefixed to image files.
  String baseFolder;
  RCPtrArray<LControlDescriptor, 1, 0> skins;
  int32_t currentSkinIndex = 0;
  std::map<String, StringMap> stringTables;
  std::map<String, RCPtr<LColorizer>> colorizers;
  std::map<String, RCPtr<LVisualPartDescriptor>> parts;
  std::map<String, RCPtr<LLookDescriptor>> looks;
  std::map<String, RCPtr<LLookList>> lookLists;
  // Font name -> replacement, for the language; cleared at each top-level Skin.
  StringMap fontTranslations;
};

}  // namespace SV
