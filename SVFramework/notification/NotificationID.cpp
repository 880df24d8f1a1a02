#include "SVFramework/notification/NotificationID.h"

#include <string_view>
#include <unordered_map>
#include <unordered_set>

namespace SV {

namespace {

// Finds registry entries by identity and by text without scanning the registry. The
// views point into the entries' own buffers, which never move or change.
struct RegistryIndex {
  std::unordered_set<NotificationID> byPointer;
  std::unordered_map<std::u16string_view, NotificationID> byText;
};

// Built on first use and never destroyed, so threads still running at process end can
// intern safely.
RegistryIndex& GetRegistryIndex() {
  static RegistryIndex* index = new RegistryIndex;
  return *index;
}

NotificationID AppendEntry(const char16_t* text) {
  StringArrayT<char16_t, char>& registry = GetNotificationIDRegistry();
  registry.Append(String(text));
  const NotificationID id = registry.GetAt(registry.GetCount() - 1).GetString();
  RegistryIndex& index = GetRegistryIndex();
  index.byPointer.insert(id);
  index.byText.emplace(std::u16string_view(id), id);
  return id;
}

}  // namespace

Mutex& GetNotificationLock() {
  static Mutex* lock = new Mutex;
  return *lock;
}

StringArrayT<char16_t, char>& GetNotificationIDRegistry() {
  static StringArrayT<char16_t, char>* registry = new StringArrayT<char16_t, char>;
  return *registry;
}

NotificationID InternNotificationID(const char16_t* text) {
  if (text == nullptr || text[0] == 0) return nullptr;
  MutexLock lock(GetNotificationLock());
  RegistryIndex& index = GetRegistryIndex();
  if (index.byPointer.count(text) != 0) return text;
  const auto found = index.byText.find(std::u16string_view(text));
  if (found != index.byText.end()) return found->second;
  return AppendEntry(text);
}

}  // namespace SV
