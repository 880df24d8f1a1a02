#include "Platform/SharedLibrary/SharedLibrary.h"

#include <dlfcn.h>
#include <unistd.h>

#include <climits>
#include <vector>

namespace SV::Platform {

SharedLibrary::~SharedLibrary() { Unload(); }

bool SharedLibrary::Load(const std::string& absolutePath) {
  Unload();
  // A name without '/' would send the loader along the search path.
  if (absolutePath.empty() || absolutePath.front() != '/' || absolutePath.size() >= PATH_MAX) return false;
  mHandle = dlopen(absolutePath.c_str(), RTLD_NOW | RTLD_LOCAL);
  return mHandle != nullptr;
}

void SharedLibrary::Unload() {
  if (mHandle) dlclose(mHandle);
  mHandle = nullptr;
}

void* SharedLibrary::FindEntryPoint(const char* name) const {
  if (!mHandle || !name) return nullptr;
  return dlsym(mHandle, name);
}

std::string ProgramFolder() {
  std::vector<char> path(PATH_MAX + 1);
  const ssize_t length = readlink("/proc/self/exe", path.data(), PATH_MAX);
  if (length <= 0) return {};
  std::string program(path.data(), static_cast<size_t>(length));
  const auto slash = program.rfind('/');
  if (slash == std::string::npos) return {};
  return program.substr(0, slash + 1);
}

}  // namespace SV::Platform
