#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace SV::Testing {

// One record of a font's name table: platform, language, name id (1 family, 2
// subfamily) and the text (UTF-8 for platform 1, written as UTF-16BE for platform 3
// from ASCII text, or taken as raw bytes when `raw` is set).
struct FontName {
  uint16_t platform;
  uint16_t language;
  uint16_t nameId;
  std::string text;
  bool raw = false;
};

// Writes small TrueType files and collections that hold only a table directory and a
// 'name' table, for tests of the font-file reader and index.
class FontFileBuilder {
public:
  static void Put16(std::string& out, uint32_t value) {
    out += static_cast<char>(value >> 8 & 0xFF);
    out += static_cast<char>(value & 0xFF);
  }
  static void Put32(std::string& out, uint32_t value) {
    Put16(out, value >> 16);
    Put16(out, value & 0xFFFF);
  }
  static void Put32At(std::string& out, size_t at, uint32_t value) {
    std::string word;
    Put32(word, value);
    out.replace(at, 4, word);
  }

  static std::string NameTable(const std::vector<FontName>& names) {
    std::string storage, records;
    for (const FontName& name : names) {
      std::string bytes = name.text;
      if (name.platform == 3 && !name.raw) {
        bytes.clear();
        for (const char c : name.text) Put16(bytes, static_cast<unsigned char>(c));
      }
      Put16(records, name.platform);
      Put16(records, name.platform == 3 ? 1 : 0);
      Put16(records, name.language);
      Put16(records, name.nameId);
      Put16(records, static_cast<uint32_t>(bytes.size()));
      Put16(records, static_cast<uint32_t>(storage.size()));
      storage += bytes;
    }
    std::string table;
    Put16(table, 0);
    Put16(table, static_cast<uint32_t>(names.size()));
    Put16(table, static_cast<uint32_t>(6 + records.size()));
    return table + records + storage;
  }

  // A font whose table directory starts at `base` in the file it will be part of.
  static std::string Font(const std::vector<FontName>& names, const std::string& tag = "name", uint32_t base = 0) {
    std::string font;
    Put32(font, 0x00010000);
    Put16(font, 1);
    Put16(font, 16);
    Put16(font, 0);
    Put16(font, 0);
    font += tag;
    Put32(font, 0);
    Put32(font, base + 12 + 16);
    const std::string table = NameTable(names);
    Put32(font, static_cast<uint32_t>(table.size()));
    return font + table;
  }

  static std::string FamilyAndStyle(const std::string& family, const std::string& style) {
    return Font({{3, 0x0409, 1, family}, {3, 0x0409, 2, style}});
  }

  // A collection of the fonts, each given by its names.
  static std::string Collection(const std::vector<std::vector<FontName>>& fonts) {
    std::string file = "ttcf";
    Put32(file, 0x00010000);
    Put32(file, static_cast<uint32_t>(fonts.size()));
    const size_t offsets = file.size();
    file.append(4 * fonts.size(), '\0');
    for (size_t i = 0; i < fonts.size(); ++i) {
      Put32At(file, offsets + 4 * i, static_cast<uint32_t>(file.size()));
      file += Font(fonts[i], "name", static_cast<uint32_t>(file.size()));
    }
    return file;
  }
};

}  // namespace SV::Testing
