#pragma once
#include <optional>
#include <string_view>

#include "Platform/IniFileManager/Format/IniDocument.h"

namespace IniFile {

// Reads the bytes of a settings file into a document, or refuses them. The bytes
// are refused, and nothing is returned, when
// - there are more than kMaximumFileSize of them,
// - they are not well-formed UTF-8 (a leading byte order mark is allowed and kept),
// - a line holds a control character other than tab (a line ends with LF or CR LF),
// - a line is neither blank, a comment (";" or "#" first), a section header
//   ("[name]", optionally followed by a comment) nor "key=value" with a key.
// A line break of the first line sets the line break of the whole file.
// Any thread may call it.
class IniParser {
public:
  static std::optional<IniDocument> Parse(std::string_view bytes);

private:
  static IniLayout DetectLayout(std::string_view& bytes);
  static std::optional<IniLine> ParseLine(std::string_view text);
  static std::optional<IniLine> ParseSectionHeader(std::string_view text, std::string_view trimmed);
  static std::optional<IniLine> ParseEntry(std::string_view text);
};

}  // namespace IniFile
