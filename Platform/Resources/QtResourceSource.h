#pragma once
#include <string>
#include <string_view>

#include "Platform/Resources/ResourceSource.h"

namespace Platform::Resources {

// The resources compiled into the program with Qt's resource system: the resource
// of a type and name is the Qt resource file ":/<type>/<name>". Any thread.
class QtResourceSource final : public IResourceSource {
public:
  bool Read(std::string_view type, std::string_view name, std::string& bytes) const override;
};

}  // namespace Platform::Resources
