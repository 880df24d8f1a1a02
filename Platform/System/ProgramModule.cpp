#include "Platform/System/ProgramModule.h"

#include <linux/limits.h>
#include <unistd.h>

#include <cstring>

#include "Platform/System/ProgramVersionBlock.h"

namespace Platform::System {

const ProgramModule& ProgramModule::Instance() {
  static const ProgramModule module;
  return module;
}

std::string ProgramModule::GetFilePath() const {
  char path[PATH_MAX];
  const ssize_t length = readlink("/proc/self/exe", path, sizeof path);
  if (length <= 0 || length == static_cast<ssize_t>(sizeof path)) return {};
  return std::string(path, static_cast<size_t>(length));
}

uint32_t ProgramModule::GetVersionBlockSize(const std::string& fileName) const {
  return IsOwnFileName(fileName) ? static_cast<uint32_t>(ProgramVersionBlock().size()) : 0;
}

bool ProgramModule::ReadVersionBlock(const std::string& fileName, void* block, uint32_t size) const {
  const std::string_view source = ProgramVersionBlock();
  if (!IsOwnFileName(fileName) || !block || size < source.size()) return false;
  std::memcpy(block, source.data(), source.size());
  return true;
}

bool ProgramModule::IsOwnFileName(const std::string& fileName) const {
  const std::string path = GetFilePath();
  return !fileName.empty() && path.size() > fileName.size() && path.ends_with("/" + fileName);
}

}  // namespace Platform::System
