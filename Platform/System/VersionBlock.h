#pragma once
#include <optional>
#include <string_view>

namespace Platform::System {

// A version block: UTF-8 text of one value per line, "<path>=<value>", where the path
// names the value as a version query does: "\VarFileInfo\Translation" holds the
// translations as words of eight hexadecimal digits (language, then code page:
// "040904b0 040704b0"), "\StringFileInfo\<language><code page>\<key>" a string value
// of one translation. Pure functions; any thread may call them.
class VersionBlock {
public:
  // The value at exactly that path (the first line that names it), or nothing.
  static std::optional<std::string_view> Query(std::string_view block, std::string_view path);
};

}  // namespace Platform::System
