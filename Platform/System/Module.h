#pragma once
#include <cstdint>
#include <string>

namespace Platform::System {

// A module of the running program as the version reader sees it: its file and the
// version block that a module file name leads to. Implementations say which threads
// may call them.
class IModule {
public:
  virtual ~IModule() = default;
  // The module's full file path, or empty when it cannot be read.
  virtual std::string GetFilePath() const = 0;
  // The size in bytes of the version block of the module with that bare file name;
  // 0 when it has none.
  virtual uint32_t GetVersionBlockSize(const std::string& fileName) const = 0;
  // Copies that version block into `block`, which holds `size` bytes; false when the
  // module has none or it does not fit.
  virtual bool ReadVersionBlock(const std::string& fileName, void* block, uint32_t size) const = 0;
};

}  // namespace Platform::System
