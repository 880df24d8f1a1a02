#pragma once
#include <optional>
#include <string>
#include <string_view>

namespace IniFile {

// Where a key lives: "Name" is a key of the root section (before the first section
// header), "Section/Name" a key of [Section]; everything before the last "/" is the
// section, so "Window/Main/Width" is key "Width" of [Window/Main].
// A key name is single-line UTF-8 without "=" or "/", without blanks at either end,
// and does not begin with "[", ";" or "#". A section name is single-line UTF-8
// without "[" or "]" and without blanks at either end.
struct IniKeyPath {
  std::string section;
  std::string name;

  // The path of a caller's key text, or nothing when the text breaks the rules above.
  static std::optional<IniKeyPath> FromText(std::string_view text);
};

bool IsValidKeyName(std::string_view name);
bool IsValidSectionName(std::string_view name);
// A node is a section; "" names the root section.
bool IsValidNodePath(std::string_view path);

}  // namespace IniFile
