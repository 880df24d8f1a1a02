#pragma once
#include <string>

namespace SV::Platform {

// A shared library loaded at run time by absolute path, never through the library
// search path, so that only the program's own copy is ever used. Unloads itself
// when destroyed. Not locked: one owner thread.
class DynamicLibrary {
public:
  DynamicLibrary() = default;
  ~DynamicLibrary() { Unload(); }
  DynamicLibrary(const DynamicLibrary&) = delete;
  DynamicLibrary& operator=(const DynamicLibrary&) = delete;

  // Loads the library at `absolutePath` (UTF-8). False, with nothing loaded, for a
  // relative path or a library that cannot be loaded; LastError tells why.
  bool Load(const std::string& absolutePath);
  // True when a library was loaded and has been freed; false when none was loaded
  // or the system refused to free it.
  bool Unload();
  bool IsLoaded() const { return mHandle != nullptr; }

  // The address of an exported symbol, or null when it is missing or nothing is loaded.
  void* FindSymbol(const char* name) const;
  template <class Function>
  Function Find(const char* name) const {
    return reinterpret_cast<Function>(FindSymbol(name));
  }

  const std::string& LastError() const { return mLastError; }

private:
  void* mHandle = nullptr;
  std::string mLastError;
};

// The folder that holds the running program (no trailing '/'), empty when unknown.
std::string ProgramFolder();

// `folder` + "/" + `fileName`, with exactly one separator between them.
std::string JoinPath(const std::string& folder, const std::string& fileName);

}  // namespace SV::Platform
