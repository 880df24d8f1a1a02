#pragma once
#include <cstdint>

#include "SVFramework/Utilities/Storage/StringT.h"

namespace SV {

// The application's folders by id: 0 the program's folder, 1 "::" (the built-in
// resources), 2 the settings folder shared by the user's sessions and 3 the user's
// local data folder (each under the company and product folders, made safe for file
// names and created when missing), 4 the user's documents folder. No path ends with a
// separator; a folder that cannot be found is the empty text, never the filesystem
// root. Any other id raises the out-of-range error "Unknown Path ID.". UI thread.
String GetApplicationFolder(int32_t folderId, const String& company, const String& product);

// The file's path in the folder; empty when the folder is empty, so that no settings
// file is ever opened in the filesystem root.
String PathInFolder(const String& folder, const String& fileName);

}  // namespace SV
