#include "SVFramework/Application/ApplicationFolders.h"

#include <cstdlib>
#include <stdexcept>

#include "Platform/System/ProgramModule.h"
#include "SVFramework/ObjectBase/Exception.h"
#include "SVFramework/Utilities/Storage/SVFile.h"

namespace SV {
namespace {

String ProgramFolder() {
  const std::string path = ::Platform::System::ProgramModule::Instance().GetFilePath();
  const size_t slash = path.rfind('/');
  return slash == std::string::npos || slash == 0 ? String() : String(path.substr(0, slash).c_str());
}

String DocumentsFolder() {
  const char* home = std::getenv("HOME");
  return home && home[0] == '/' ? String(home) + String(u"/Documents") : String();
}

// The data folder with its company and product folders, created; empty when the base
// folder is unknown or a folder cannot be made.
String DataFolder(File::ApplicationDataFolder which, const String& company, const String& product) {
  String folder;
  if (File::GetApplicationDataFolder(which, company, product, folder) < 0) return String();
  if (File::EnsureFolder(folder) < 0) return String();
  return folder;
}

}  // namespace

String GetApplicationFolder(int32_t folderId, const String& company, const String& product) {
  switch (folderId) {
    case 0: return ProgramFolder();
    case 1: return String(u"::");
    case 2: return DataFolder(File::ApplicationDataFolder::Common, company, product);
    case 3: return DataFolder(File::ApplicationDataFolder::Local, company, product);
    case 4: return DocumentsFolder();
    default: SV_RAISE(std::out_of_range, "Unknown Path ID.", "SV::GetApplicationFolder");
  }
}

String PathInFolder(const String& folder, const String& fileName) {
  if (folder.IsEmpty()) return String();
  return folder + String(u"/") + fileName;
}

}  // namespace SV
