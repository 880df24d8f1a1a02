#include "Platform/System/KnownFolders.h"

#include <cstdlib>

namespace Platform::System {

namespace {

// An environment value that names an absolute folder other than the root, without a
// trailing slash; empty otherwise.
std::string AbsoluteFolderOf(const char* variable) {
  const char* value = std::getenv(variable);
  std::string folder = value ? value : "";
  if (folder.empty() || folder.front() != '/') return {};
  while (folder.size() > 1 && folder.back() == '/') folder.pop_back();
  return folder == "/" ? std::string() : folder;
}

std::string BaseFolder(const char* variable, const char* underHome) {
  std::string folder = AbsoluteFolderOf(variable);
  if (!folder.empty()) return folder;
  folder = AbsoluteFolderOf("HOME");
  return folder.empty() ? std::string() : folder + underHome;
}

}  // namespace

std::string KnownFolders::UserConfigFolder() { return BaseFolder("XDG_CONFIG_HOME", "/.config"); }

std::string KnownFolders::UserDataFolder() { return BaseFolder("XDG_DATA_HOME", "/.local/share"); }

}  // namespace Platform::System
