#include "Platform/System/VersionBlock.h"

namespace Platform::System {

std::optional<std::string_view> VersionBlock::Query(std::string_view block, std::string_view path) {
  while (!block.empty()) {
    const auto end = block.find('\n');
    const std::string_view line = block.substr(0, end);
    block = end == std::string_view::npos ? std::string_view() : block.substr(end + 1);
    if (line.size() > path.size() && line.starts_with(path) && line[path.size()] == '=')
      return line.substr(path.size() + 1);
  }
  return std::nullopt;
}

}  // namespace Platform::System
