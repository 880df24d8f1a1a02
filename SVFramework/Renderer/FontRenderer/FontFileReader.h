#pragma once
#include <cstdint>
#include <functional>
#include <string_view>

#include "SVFramework/Utilities/Storage/StringT.h"

namespace SV {

// Bytes of one font file, read at explicit offsets. Font files come from folders the
// user fills, so they are outside input: a read answers false unless every byte
// asked for lies inside the file and arrived.
class IFontFileBytes {
public:
  virtual ~IFontFileBytes() = default;
  virtual uint32_t GetLength() const = 0;
  virtual bool ReadAt(uint32_t offset, void* buffer, uint32_t size) = 0;
};

// Bytes held in memory (a whole file read at once, or a fuzzer's input).
class FontFileMemoryBytes : public IFontFileBytes {
public:
  explicit FontFileMemoryBytes(std::string_view bytes) : mBytes(bytes) {}
  uint32_t GetLength() const override;
  bool ReadAt(uint32_t offset, void* buffer, uint32_t size) override;

private:
  std::string_view mBytes;
};

// Reads the family and style names out of a TrueType file or collection: for each
// font, its first 'name' table, pairing the first family (name id 1) with the first
// subfamily (name id 2) of the Macintosh (language 0) or Windows (US English) records.
// Every count is bounded by what the file can hold, records and strings that lie
// outside the file are skipped, and a failed read ends only the font it belongs to.
// The style reaches the callback lower-cased. Any thread; no shared state.
class FontFileReader {
public:
  using NameCallback = std::function<void(const String& family, const String& style)>;

  // Calls `found` once per (family, style) pair; returns the number of pairs.
  static uint32_t ReadNames(IFontFileBytes& bytes, const NameCallback& found);
};

}  // namespace SV
