#include "SVFramework/Renderer/FontRenderer/FontFileReader.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace SV {
namespace {

constexpr uint32_t kCollectionHeaderSize = 12;
constexpr uint32_t kDirectoryHeaderSize = 12;
constexpr uint32_t kTableRecordSize = 16;
constexpr uint32_t kNameHeaderSize = 6;
constexpr uint32_t kNameRecordSize = 12;

uint16_t BigEndian16(const uint8_t* bytes) { return static_cast<uint16_t>(bytes[0] << 8 | bytes[1]); }
uint32_t BigEndian32(const uint8_t* bytes) {
  return static_cast<uint32_t>(bytes[0]) << 24 | static_cast<uint32_t>(bytes[1]) << 16 |
         static_cast<uint32_t>(bytes[2]) << 8 | bytes[3];
}

// How many records of `size` bytes fit between `offset` and the end of the file.
uint32_t RecordsThatFit(const IFontFileBytes& bytes, uint64_t offset, uint32_t size) {
  const uint64_t length = bytes.GetLength();
  return offset >= length ? 0 : static_cast<uint32_t>((length - offset) / size);
}

struct NameRecord {
  uint16_t platform, language, nameId, length, offset;
};

NameRecord DecodeNameRecord(const uint8_t* bytes) {
  return {BigEndian16(bytes), BigEndian16(bytes + 4), BigEndian16(bytes + 6), BigEndian16(bytes + 8),
          BigEndian16(bytes + 10)};
}

bool IsTakenRecord(const NameRecord& record) {
  const bool language = (record.platform == 1 && record.language == 0) ||
                        (record.platform == 3 && record.language == 0x0409);
  return language && (record.nameId == 1 || record.nameId == 2);
}

// The record's string, empty when any of its bytes lies outside the file.
String ReadNameString(IFontFileBytes& bytes, uint64_t start, const NameRecord& record) {
  if (start + record.length > bytes.GetLength()) return String();
  std::vector<uint8_t> raw(record.length);
  if (record.length != 0 && !bytes.ReadAt(static_cast<uint32_t>(start), raw.data(), record.length)) return String();
  String text;
  if (record.platform == 1) {
    text.AssignUTF8(reinterpret_cast<const char*>(raw.data()), static_cast<int32_t>(raw.size()));
    return text;
  }
  std::u16string units(record.length / 2, u'\0');
  for (size_t i = 0; i < units.size(); ++i) units[i] = static_cast<char16_t>(BigEndian16(&raw[2 * i]));
  const size_t end = units.find(u'\0');
  return String(units.substr(0, end).c_str());
}

// Pairs the first family with the first subfamily after each pair found.
class NamePairing {
public:
  explicit NamePairing(const FontFileReader::NameCallback& found) : mFound(found) {}

  void Take(uint16_t nameId, const String& text) {
    if (nameId == 1 && !mHasFamily) {
      mFamily = text;
      mHasFamily = true;
    } else if (nameId == 2 && !mHasStyle) {
      mStyle = text.ToLower();
      mHasStyle = true;
    }
    if (mHasFamily && mHasStyle) {
      mFound(mFamily, mStyle);
      ++mPairs;
      mHasFamily = mHasStyle = false;
    }
  }
  uint32_t GetPairs() const { return mPairs; }

private:
  const FontFileReader::NameCallback& mFound;
  String mFamily, mStyle;
  bool mHasFamily = false, mHasStyle = false;
  uint32_t mPairs = 0;
};

uint32_t ReadNameTable(IFontFileBytes& bytes, uint32_t tableOffset, const FontFileReader::NameCallback& found) {
  uint8_t header[kNameHeaderSize];
  if (!bytes.ReadAt(tableOffset, header, sizeof header)) return 0;
  const uint64_t recordsStart = uint64_t{tableOffset} + kNameHeaderSize;
  const uint32_t count = std::min<uint32_t>(BigEndian16(header + 2), RecordsThatFit(bytes, recordsStart, kNameRecordSize));
  const uint64_t storage = uint64_t{tableOffset} + BigEndian16(header + 4);
  NamePairing pairing(found);
  for (uint32_t j = 0; j < count; ++j) {
    uint8_t raw[kNameRecordSize];
    if (!bytes.ReadAt(static_cast<uint32_t>(recordsStart + uint64_t{kNameRecordSize} * j), raw, sizeof raw)) break;
    const NameRecord record = DecodeNameRecord(raw);
    if (!IsTakenRecord(record)) continue;
    const String text = ReadNameString(bytes, storage + record.offset, record);
    if (!text.IsEmpty()) pairing.Take(record.nameId, text);
  }
  return pairing.GetPairs();
}

uint32_t ReadFontDirectory(IFontFileBytes& bytes, uint32_t directoryOffset, const FontFileReader::NameCallback& found) {
  uint8_t header[kDirectoryHeaderSize];
  if (!bytes.ReadAt(directoryOffset, header, sizeof header)) return 0;
  const uint64_t recordsStart = uint64_t{directoryOffset} + kDirectoryHeaderSize;
  const uint32_t count = std::min<uint32_t>(BigEndian16(header + 4), RecordsThatFit(bytes, recordsStart, kTableRecordSize));
  for (uint32_t i = 0; i < count; ++i) {
    uint8_t record[kTableRecordSize];
    if (!bytes.ReadAt(static_cast<uint32_t>(recordsStart + uint64_t{kTableRecordSize} * i), record, sizeof record)) {
      return 0;
    }
    if (record[0] == 0) return 0;
    String tag;
    tag.AssignUTF8(reinterpret_cast<const char*>(record), 4);
    if (tag.ToLower() == u"name") {
      const uint32_t tableOffset = BigEndian32(record + 8);
      return tableOffset < bytes.GetLength() ? ReadNameTable(bytes, tableOffset, found) : 0;
    }
  }
  return 0;
}

// The table directories of the file: one at 0, or those a collection lists that lie
// inside the file.
std::vector<uint32_t> FontDirectories(IFontFileBytes& bytes) {
  uint8_t header[kCollectionHeaderSize];
  if (!bytes.ReadAt(0, header, sizeof header)) return {};
  if (std::memcmp(header, "ttcf", 4) != 0) return {0};
  const uint32_t count = std::min(BigEndian32(header + 8), RecordsThatFit(bytes, kCollectionHeaderSize, 4));
  std::vector<uint32_t> offsets;
  offsets.reserve(count);
  for (uint32_t i = 0; i < count; ++i) {
    uint8_t raw[4];
    if (!bytes.ReadAt(kCollectionHeaderSize + 4 * i, raw, sizeof raw)) break;
    const uint32_t offset = BigEndian32(raw);
    if (offset < bytes.GetLength()) offsets.push_back(offset);
  }
  return offsets;
}

}  // namespace

uint32_t FontFileMemoryBytes::GetLength() const {
  return mBytes.size() > 0xFFFFFFFFu ? 0xFFFFFFFFu : static_cast<uint32_t>(mBytes.size());
}

bool FontFileMemoryBytes::ReadAt(uint32_t offset, void* buffer, uint32_t size) {
  if (uint64_t{offset} + size > GetLength()) return false;
  std::memcpy(buffer, mBytes.data() + offset, size);
  return true;
}

uint32_t FontFileReader::ReadNames(IFontFileBytes& bytes, const NameCallback& found) {
  uint32_t pairs = 0;
  for (const uint32_t directory : FontDirectories(bytes)) pairs += ReadFontDirectory(bytes, directory, found);
  return pairs;
}

}  // namespace SV
