#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "Platform/IniFileManager/Format/IniDocument.h"
#include "Platform/IniFileManager/IniKeyPath.h"

namespace IniFile {

// An array of texts kept in one section as the keys "Name[0]", "Name[1]", ...: the
// array is the unbroken run of such keys from [0], so an item beyond a gap is not
// part of it (and the next resize removes it). Callers check indices against
// Count first. Not thread-safe: the document's owner serialises access.
class IniArray {
public:
  // More items than this are refused, which bounds the work one call can cause.
  static constexpr int32_t kMaximumCount = 4096;

  explicit IniArray(IniKeyPath path) : mPath(std::move(path)) {}

  int32_t Count(const IniDocument& document) const;
  const std::string* Item(const IniDocument& document, int32_t index) const;
  // `index` may equal Count, which appends an item.
  void SetItem(IniDocument& document, int32_t index, std::string_view text) const;
  // Keeps the first `count` items and adds empty ones up to `count`.
  void Resize(IniDocument& document, int32_t count) const;
  // Removes the item and moves the later ones down by one.
  void RemoveItem(IniDocument& document, int32_t index) const;

private:
  std::string ItemKey(int32_t index) const;
  std::optional<int32_t> IndexOfItemKey(std::string_view key) const;

  IniKeyPath mPath;
};

}  // namespace IniFile
