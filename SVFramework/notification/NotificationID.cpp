#include "SVFramework/notification/NotificationID.h"

#include <cstddef>
#include <cstdint>
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

// The IDs this thread interned last, by text address: a repeated interning of the same
// literal needs neither the lock nor a hash of its text. An entry counts only when the
// text at that address still equals the ID's, since a caller's buffer may have been
// reused for another text.
struct RecentLookup {
  const char16_t* text = nullptr;
  NotificationID id = nullptr;
};
constexpr size_t kRecentLookups = 16;
thread_local RecentLookup recentLookups[kRecentLookups];

RecentLookup& RecentLookupFor(const char16_t* text) {
  return recentLookups[(reinterpret_cast<uintptr_t>(text) >> 3) % kRecentLookups];
}

bool SameText(const char16_t* text, NotificationID id) {
  if (text == id) return true;
  for (; *text == *id; ++text, ++id)
    if (*text == 0) return true;
  return false;
}

// Under the notification lock: the entry for `text`, found by identity or by text.
NotificationID FindLocked(const char16_t* text) {
  RegistryIndex& index = GetRegistryIndex();
  if (index.byPointer.count(text) != 0) return text;
  const auto found = index.byText.find(std::u16string_view(text));
  return found != index.byText.end() ? found->second : nullptr;
}

NotificationID LookUpOrAppend(const char16_t* text) {
  MutexLock lock(GetNotificationLock());
  const NotificationID id = FindLocked(text);
  return id != nullptr ? id : AppendEntry(text);
}

NotificationID LookUp(const char16_t* text) {
  MutexLock lock(GetNotificationLock());
  return FindLocked(text);
}

// Answers from this thread's recent IDs when it can, else from `search`, whose
// non-null answers are remembered.
template <class Search>
NotificationID RecentOr(const char16_t* text, Search search) {
  if (text == nullptr || text[0] == 0) return nullptr;
  RecentLookup& recent = RecentLookupFor(text);
  if (recent.text == text && SameText(text, recent.id)) return recent.id;
  const NotificationID id = search(text);
  if (id != nullptr) recent = RecentLookup{text, id};
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

NotificationID InternNotificationID(const char16_t* text) { return RecentOr(text, LookUpOrAppend); }

NotificationID FindNotificationID(const char16_t* text) { return RecentOr(text, LookUp); }

}  // namespace SV
