#pragma once
#include "SVFramework/Threads/Mutex.h"
#include "SVFramework/Utilities/Storage/StringArrayT.h"

namespace SV {

// A notification ID: the address of a zero-terminated UTF-16 text owned by the ID
// registry. Two IDs are the same ID exactly when the pointers are equal; the pointer
// is also the ID's text and stays valid until the process ends.
using NotificationID = const char16_t*;

// The ID of `text`: the registry's copy of it, added on first use. Null for a null or
// empty text. `text` may itself be an ID, which is then found by identity before any
// text is compared. Letter case matters. Any thread.
NotificationID InternNotificationID(const char16_t* text);
// The ID of `text` when it has been interned, else null; never adds an entry, so
// lookups with texts from anywhere leave the registry as it is. Null for a null or
// empty text. Any thread.
NotificationID FindNotificationID(const char16_t* text);

// The one registry of the process: entries are only ever appended and each keeps its
// characters in a buffer of its own. Read it only while holding GetNotificationLock().
StringArrayT<char16_t, char>& GetNotificationIDRegistry();

// The process-wide lock of the ID registry and the notification recycling pool. It is
// innermost: nothing else is locked while it is held, except by the thread that holds
// it taking it again.
Mutex& GetNotificationLock();

}  // namespace SV
