#include "Platform/IniFileManager/IniKeyPath.h"

#include "Platform/IniFileManager/Format/IniTextRules.h"

namespace IniFile {
namespace {

bool HasBlankEnds(std::string_view text) { return TrimBlanks(text).size() != text.size(); }

}  // namespace

std::optional<IniKeyPath> IniKeyPath::FromText(std::string_view text) {
  const std::size_t lastSlash = text.rfind('/');
  if (lastSlash == std::string_view::npos) {
    if (!IsValidKeyName(text)) return std::nullopt;
    return IniKeyPath{"", std::string(text)};
  }
  const std::string_view section = text.substr(0, lastSlash);
  const std::string_view name = text.substr(lastSlash + 1);
  if (!IsValidSectionName(section) || !IsValidKeyName(name)) return std::nullopt;
  return IniKeyPath{std::string(section), std::string(name)};
}

bool IsValidKeyName(std::string_view name) {
  if (name.empty() || HasBlankEnds(name) || !IsSingleLineText(name)) return false;
  if (name.front() == '[' || name.front() == ';' || name.front() == '#') return false;
  return name.find_first_of("=/") == std::string_view::npos;
}

bool IsValidSectionName(std::string_view name) {
  if (name.empty() || HasBlankEnds(name) || !IsSingleLineText(name)) return false;
  return name.find_first_of("[]") == std::string_view::npos;
}

bool IsValidNodePath(std::string_view path) { return path.empty() || IsValidSectionName(path); }

}  // namespace IniFile
