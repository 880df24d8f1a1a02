#include <QStandardPaths>
#include <QStringList>

#include "SVFramework/Renderer/FontRenderer/FontFileInfo.h"

namespace SV {

std::vector<String> GetPlatformFontFolders() {
  std::vector<String> folders;
  for (const QString& folder : QStandardPaths::standardLocations(QStandardPaths::FontsLocation)) {
    folders.emplace_back(reinterpret_cast<const char16_t*>(folder.utf16()));
  }
  return folders;
}

}  // namespace SV
