#pragma once
#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace IniFile {

// One line of a settings file: its text as it stands and what it means.
struct IniLine {
  enum class Kind { Blank, Comment, SectionHeader, Entry };

  Kind kind = Kind::Blank;
  std::string text;            // the line without its line break, as read or last written
  std::string name;            // a header's section name, an entry's key
  std::string value;           // an entry's value, without enclosing quotes
  std::size_t valueStart = 0;  // an entry's: where the value begins in `text`
};

// How a settings file's bytes are laid out around its lines.
struct IniLayout {
  bool byteOrderMark = false;
  std::string lineBreak = "\n";
  bool endsWithLineBreak = true;
};

// The contents of one settings file: sections of key=value entries, with comments,
// blank lines and entries nobody asked for kept where they stand, so that written
// text differs from what was read only in the lines that were changed. Keys before
// the first section header belong to the root section, named "". Names compare byte
// for byte. When a section or key appears more than once, the first entry found
// wins for reads and changes, and a removal takes every copy.
// Not thread-safe: its owner serialises all access.
class IniDocument {
public:
  explicit IniDocument(IniLayout layout = {});

  // Adds a line read from a file, in file order; a header opens a new section.
  void AppendLine(IniLine line);
  // Adds "; text" to the root section, after the lines it already has.
  void AppendComment(std::string_view text);

  // The file's bytes: every line joined by the layout's line break.
  std::string Serialise() const;

  bool HasSection(std::string_view section) const;
  // True when a section's name begins with `section` followed by "/".
  bool HasSectionBelow(std::string_view section) const;
  // The value of the first such key, or nullptr. Valid until the next change.
  const std::string* FindValue(std::string_view section, std::string_view key) const;
  // The distinct keys of the section, in file order.
  std::vector<std::string> KeyNames(std::string_view section) const;

  // Changes the first such entry in place, or adds the entry after the section's
  // last entry, or adds the section at the end of the file.
  void SetValue(std::string_view section, std::string_view key, std::string_view value);
  // Removes every entry of the section whose key `matches` accepts.
  void RemoveKeys(std::string_view section, const std::function<bool(std::string_view key)>& matches);

private:
  struct Section {
    std::string name;
    std::optional<IniLine> header;  // none for the root section
    std::vector<IniLine> body;
  };

  IniLine* FindEntry(std::string_view section, std::string_view key);
  const IniLine* FindEntry(std::string_view section, std::string_view key) const;
  Section* FindSection(std::string_view section);
  std::size_t InsertionPoint(const Section& section) const;
  void AppendSection(std::string_view section);
  bool LastLineIsBlank() const;

  IniLayout mLayout;
  std::vector<Section> mSections;  // the root section first
};

}  // namespace IniFile
