#pragma once
#include <string>
#include <string_view>

namespace Platform::Resources {

// The program's built-in resources, found by type and name ("SVXML", "APP_SKINS").
// Implementations say which threads may call them.
class IResourceSource {
public:
  virtual ~IResourceSource() = default;
  // Replaces `bytes` by the resource's bytes and returns true; false (bytes
  // unchanged) when there is no such resource or it cannot be read.
  virtual bool Read(std::string_view type, std::string_view name, std::string& bytes) const = 0;
};

}  // namespace Platform::Resources
