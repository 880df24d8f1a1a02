#pragma once
#include "Platform/System/Module.h"

namespace Platform::System {

// The running program's own executable. Its version block is the one made at build
// time (ProgramVersionBlock); no other file name leads to a block. Any thread may call it.
class ProgramModule final : public IModule {
public:
  static const ProgramModule& Instance();

  std::string GetFilePath() const override;
  uint32_t GetVersionBlockSize(const std::string& fileName) const override;
  bool ReadVersionBlock(const std::string& fileName, void* block, uint32_t size) const override;

private:
  bool IsOwnFileName(const std::string& fileName) const;
};

}  // namespace Platform::System
