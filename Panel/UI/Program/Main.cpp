// The editor's program: the Qt platform object around the editor's application object.
#include <cstdlib>

#include "Panel/UI/Application.h"
#include "Panel/UI/ResourceFolderOption.h"
#include "SVFramework/Application/QtFrameworkApp.h"
#include "SVFramework/Application/QtOSWindowFactory.h"

int main(int argc, char** argv) {
  SV::InstallQtOSWindowFactory();
  SV::QtFrameworkApp<SV::LApplication>::Options options;
  const std::string folder = SV::ResourceFolderOption(argc, argv, std::getenv("CORVEX_RESOURCES"));
  options.resourceFolder.AssignUTF8(folder.c_str(), static_cast<int32_t>(folder.size()));
  return SV::QtFrameworkApp<SV::LApplication>::FrameworkMain(argc, argv, -1, std::move(options));
}
