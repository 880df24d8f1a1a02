#include "Platform/IniFileManager/Format/IniParser.h"

#include "Platform/IniFileManager/Format/IniTextRules.h"

namespace IniFile {
namespace {

bool IsCommentStart(char character) { return character == ';' || character == '#'; }

// Takes the next line off the front of `bytes`, without its LF or CR LF.
std::string_view TakeLine(std::string_view& bytes) {
  const std::size_t end = bytes.find('\n');
  std::string_view line = bytes.substr(0, end);
  bytes.remove_prefix(end == std::string_view::npos ? bytes.size() : end + 1);
  if (end != std::string_view::npos && line.ends_with('\r')) line.remove_suffix(1);
  return line;
}

}  // namespace

std::optional<IniDocument> IniParser::Parse(std::string_view bytes) {
  if (bytes.size() > kMaximumFileSize || !IsValidUtf8(bytes)) return std::nullopt;
  IniDocument document(DetectLayout(bytes));
  while (!bytes.empty()) {
    std::optional<IniLine> line = ParseLine(TakeLine(bytes));
    if (!line) return std::nullopt;
    document.AppendLine(std::move(*line));
  }
  return document;
}

// Takes the byte order mark off `bytes` and notes how the lines end.
IniLayout IniParser::DetectLayout(std::string_view& bytes) {
  IniLayout layout;
  layout.byteOrderMark = bytes.starts_with(kByteOrderMark);
  if (layout.byteOrderMark) bytes.remove_prefix(kByteOrderMark.size());
  const std::size_t firstBreak = bytes.find('\n');
  if (firstBreak != std::string_view::npos && firstBreak > 0 && bytes[firstBreak - 1] == '\r') {
    layout.lineBreak = "\r\n";
  }
  layout.endsWithLineBreak = bytes.empty() || bytes.ends_with('\n');
  return layout;
}

std::optional<IniLine> IniParser::ParseLine(std::string_view text) {
  if (!IsSingleLineText(text)) return std::nullopt;
  const std::string_view trimmed = TrimBlanks(text);
  if (trimmed.empty()) return IniLine{IniLine::Kind::Blank, std::string(text), {}, {}, 0};
  if (IsCommentStart(trimmed.front())) return IniLine{IniLine::Kind::Comment, std::string(text), {}, {}, 0};
  if (trimmed.front() == '[') return ParseSectionHeader(text, trimmed);
  return ParseEntry(text);
}

std::optional<IniLine> IniParser::ParseSectionHeader(std::string_view text, std::string_view trimmed) {
  const std::size_t close = trimmed.find(']');
  if (close == std::string_view::npos) return std::nullopt;
  const std::string_view name = TrimBlanks(trimmed.substr(1, close - 1));
  const std::string_view rest = TrimBlanks(trimmed.substr(close + 1));
  if (name.empty() || (!rest.empty() && !IsCommentStart(rest.front()))) return std::nullopt;
  return IniLine{IniLine::Kind::SectionHeader, std::string(text), std::string(name), {}, 0};
}

std::optional<IniLine> IniParser::ParseEntry(std::string_view text) {
  const std::size_t equals = text.find('=');
  if (equals == std::string_view::npos) return std::nullopt;
  const std::string_view key = TrimBlanks(text.substr(0, equals));
  if (key.empty()) return std::nullopt;
  const std::string_view afterEquals = text.substr(equals + 1);
  const std::string_view valueText = TrimBlanks(afterEquals);
  const std::size_t leadingBlanks = afterEquals.find_first_not_of(" \t");
  const std::size_t valueStart = equals + 1 + (valueText.empty() ? afterEquals.size() : leadingBlanks);
  return IniLine{IniLine::Kind::Entry, std::string(text), std::string(key),
                 std::string(UnquoteValue(valueText)), valueStart};
}

}  // namespace IniFile
