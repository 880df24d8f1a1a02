#include "Platform/DynamicLibrary/DynamicLibrary.h"

#include <dlfcn.h>
#include <unistd.h>

#include <climits>

namespace SV::Platform {

bool DynamicLibrary::Load(const std::string& absolutePath) {
  Unload();
  if (absolutePath.empty() || absolutePath.front() != '/') {
    mLastError = "not an absolute path: " + absolutePath;
    return false;
  }
  mHandle = dlopen(absolutePath.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (!mHandle) {
    const char* error = dlerror();
    mLastError = error ? error : "cannot load " + absolutePath;
    return false;
  }
  mLastError.clear();
  return true;
}

bool DynamicLibrary::Unload() {
  if (!mHandle) return false;
  const bool freed = dlclose(mHandle) == 0;
  mHandle = nullptr;
  return freed;
}

void* DynamicLibrary::FindSymbol(const char* name) const {
  if (!mHandle || !name) return nullptr;
  return dlsym(mHandle, name);
}

std::string ProgramFolder() {
  char path[PATH_MAX];
  const ssize_t length = readlink("/proc/self/exe", path, sizeof path - 1);
  if (length <= 0) return {};
  const std::string program(path, static_cast<size_t>(length));
  const auto slash = program.rfind('/');
  return slash == std::string::npos ? std::string() : program.substr(0, slash == 0 ? 1 : slash);
}

std::string JoinPath(const std::string& folder, const std::string& fileName) {
  if (folder.empty()) return fileName;
  if (folder.back() == '/') return folder + fileName;
  return folder + "/" + fileName;
}

}  // namespace SV::Platform
