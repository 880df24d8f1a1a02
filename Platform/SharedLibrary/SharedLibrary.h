#pragma once
#include <string>

namespace SV::Platform {

// One shared library loaded by its absolute path, never looked for along the
// library search path, and unloaded when the object goes. A path that is relative,
// empty or names no loadable library leaves the object unloaded, and every lookup
// then answers null. Not copyable; one thread at a time, except that entry points
// once found may be called from any thread while the object lives.
class SharedLibrary {
public:
  SharedLibrary() = default;
  ~SharedLibrary();
  SharedLibrary(const SharedLibrary&) = delete;
  SharedLibrary& operator=(const SharedLibrary&) = delete;

  // Loads the library at `absolutePath` (UTF-8), binding every symbol at once and
  // keeping them to itself; an earlier library is unloaded first. True when loaded.
  bool Load(const std::string& absolutePath);
  // Unloads the library; nothing happens when none is loaded.
  void Unload();
  bool IsLoaded() const { return mHandle != nullptr; }
  // The address of the named entry point, or null when it is not exported or no
  // library is loaded.
  void* FindEntryPoint(const char* name) const;

private:
  void* mHandle = nullptr;
};

// The folder of the running program, ending in '/', or the empty text when the
// system does not tell it.
std::string ProgramFolder();

}  // namespace SV::Platform
