#include "Platform/IniFileManager/IniFileManagerApi.h"

#include <algorithm>
#include <charconv>
#include <cstring>
#include <new>
#include <optional>
#include <string>
#include <string_view>

#include "Platform/IniFileManager/CallerStringBuffer.h"
#include "Platform/IniFileManager/Format/IniTextRules.h"
#include "Platform/IniFileManager/IniArray.h"
#include "Platform/IniFileManager/IniFileTable.h"
#include "Platform/IniFileManager/IniKeyPath.h"
#include "SVFramework/ObjectBase/SVResult.h"

using namespace IniFile;

namespace {

// No string a caller passes is read beyond this, so a missing terminator or a huge
// text cannot make the library walk or copy without end.
constexpr std::size_t kMaximumCallerText = kMaximumFileSize;
constexpr std::size_t kMaximumPathLength = 4096;

// Runs an entry point's body; nothing thrown may cross the C boundary.
template <typename Body>
int32_t Guarded(Body&& body) noexcept {
  try {
    return body();
  } catch (const std::bad_alloc&) {
    return SV::E_OUTOFMEMORY;
  } catch (...) {
    return SV::E_FAIL;
  }
}

std::optional<std::string_view> CallerText(const char* text, std::size_t limit = kMaximumCallerText) {
  if (text == nullptr) return std::nullopt;
  const std::size_t length = strnlen(text, limit + 1);
  if (length > limit) return std::nullopt;
  return std::string_view(text, length);
}

std::optional<std::string_view> SingleLineText(const char* text) {
  const auto view = CallerText(text);
  if (!view || !IsSingleLineText(*view)) return std::nullopt;
  return view;
}

std::optional<IniKeyPath> KeyPathOf(const char* key) {
  const auto text = CallerText(key);
  return text ? IniKeyPath::FromText(*text) : std::nullopt;
}

std::optional<std::string> NodePathOf(const char* nodePath) {
  const auto text = CallerText(nodePath);
  if (!text || !IsValidNodePath(*text)) return std::nullopt;
  return std::string(*text);
}

std::optional<std::string> FilePathOf(const char* filePath) {
  const auto text = CallerText(filePath, kMaximumPathLength);
  if (!text || text->empty()) return std::nullopt;
  std::string path(*text);
  std::replace(path.begin(), path.end(), '\\', '/');
  return path;
}

std::optional<int32_t> ParseDecimal(std::string_view text) {
  int32_t number = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), number);
  if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;
  return number;
}

std::string FormatDecimal(int32_t number) {
  char digits[16];
  const auto [end, error] = std::to_chars(digits, digits + sizeof digits, number);
  return std::string(digits, end);
}

int32_t SetValue(IniFileHandle handle, const IniKeyPath& path, std::string_view value) {
  return IniFileTable::Instance().WithFile(handle, [&](IniSettingsFile& file) {
    return file.Change([&](IniDocument& document) { document.SetValue(path.section, path.name, value); });
  });
}

bool NodeExists(const IniDocument& document, std::string_view nodePath) {
  if (nodePath.empty()) return true;
  if (IsValidSectionName(nodePath) &&
      (document.HasSection(nodePath) || document.HasSectionBelow(nodePath))) {
    return true;
  }
  const auto key = IniKeyPath::FromText(nodePath);
  return key && document.FindValue(key->section, key->name) != nullptr;
}

}  // namespace

extern "C" {

int32_t OpenIniFile(const char* filePath, const char* settingsVersion, const char* productName,
                    IniFileHandle* handle) {
  if (handle == nullptr) return IniFileResultInvalidArgument;
  *handle = 0;
  return Guarded([&]() -> int32_t {
    const auto path = FilePathOf(filePath);
    const auto version = SingleLineText(settingsVersion);
    const auto product = SingleLineText(productName);
    if (!path || !version || !product) return IniFileResultInvalidArgument;
    return IniFileTable::Instance().Open(*path, *version, *product, handle);
  });
}

int32_t WriteIniFile(IniFileHandle handle) {
  return Guarded([&] {
    return IniFileTable::Instance().WithFile(handle, [](IniSettingsFile& file) { return file.Write(); });
  });
}

int32_t CloseIniFile(IniFileHandle handle, int32_t writeUnsavedChanges) {
  return Guarded([&] { return IniFileTable::Instance().Close(handle, writeUnsavedChanges != 0); });
}

uint8_t DoesNodeExist(IniFileHandle handle, const char* nodePath) {
  const int32_t exists = Guarded([&]() -> int32_t {
    const auto path = CallerText(nodePath);
    if (!path) return 0;
    return IniFileTable::Instance().WithFile(handle, [&](IniSettingsFile& file) -> int32_t {
      return NodeExists(file.Document(), *path) ? 1 : 0;
    });
  });
  return exists > 0 ? 1 : 0;
}

int32_t GetIniValueInt(IniFileHandle handle, const char* key, int32_t defaultValue, int32_t* value) {
  if (value == nullptr) return IniFileResultInvalidArgument;
  *value = defaultValue;
  return Guarded([&]() -> int32_t {
    const auto path = KeyPathOf(key);
    if (!path) return IniFileResultInvalidArgument;
    return IniFileTable::Instance().WithFile(handle, [&](IniSettingsFile& file) -> int32_t {
      const std::string* text = file.Document().FindValue(path->section, path->name);
      const auto number = text ? ParseDecimal(*text) : std::nullopt;
      if (!number) return IniFileResultDefaultUsed;
      *value = *number;
      return IniFileResultOk;
    });
  });
}

int32_t SetIniValueInt(IniFileHandle handle, const char* key, int32_t value) {
  return Guarded([&]() -> int32_t {
    const auto path = KeyPathOf(key);
    if (!path) return IniFileResultInvalidArgument;
    return SetValue(handle, *path, FormatDecimal(value));
  });
}

int32_t GetIniValueStr(IniFileHandle handle, const char* key, const char* defaultText, char* buffer,
                       uint32_t bufferSize, uint32_t* neededSize) {
  CallerStringBuffer output(buffer, bufferSize, neededSize);
  if (!output.Prepare()) return IniFileResultInvalidArgument;
  return Guarded([&]() -> int32_t {
    const auto path = KeyPathOf(key);
    const auto fallback = defaultText ? CallerText(defaultText) : std::optional(std::string_view());
    if (!path || !fallback) return IniFileResultInvalidArgument;
    return IniFileTable::Instance().WithFile(handle, [&](IniSettingsFile& file) {
      const std::string* text = file.Document().FindValue(path->section, path->name);
      return text ? output.Deliver(*text, IniFileResultOk) : output.Deliver(*fallback, IniFileResultDefaultUsed);
    });
  });
}

int32_t SetIniValueStr(IniFileHandle handle, const char* key, const char* text) {
  return Guarded([&]() -> int32_t {
    const auto path = KeyPathOf(key);
    const auto value = SingleLineText(text);
    if (!path || !value) return IniFileResultInvalidArgument;
    return SetValue(handle, *path, *value);
  });
}

int32_t GetKeyCount(IniFileHandle handle, const char* nodePath, int32_t* count) {
  if (count == nullptr) return IniFileResultInvalidArgument;
  *count = 0;
  return Guarded([&]() -> int32_t {
    const auto node = NodePathOf(nodePath);
    if (!node) return IniFileResultInvalidArgument;
    return IniFileTable::Instance().WithFile(handle, [&](IniSettingsFile& file) -> int32_t {
      *count = static_cast<int32_t>(file.Document().KeyNames(*node).size());
      return IniFileResultOk;
    });
  });
}

int32_t GetKeyNameAt(IniFileHandle handle, const char* nodePath, int32_t index, char* buffer,
                     uint32_t bufferSize, uint32_t* neededSize) {
  CallerStringBuffer output(buffer, bufferSize, neededSize);
  if (!output.Prepare()) return IniFileResultInvalidArgument;
  return Guarded([&]() -> int32_t {
    const auto node = NodePathOf(nodePath);
    if (!node) return IniFileResultInvalidArgument;
    return IniFileTable::Instance().WithFile(handle, [&](IniSettingsFile& file) -> int32_t {
      const std::vector<std::string> names = file.Document().KeyNames(*node);
      if (index < 0 || static_cast<std::size_t>(index) >= names.size()) return IniFileResultIndexOutOfRange;
      return output.Deliver(names[static_cast<std::size_t>(index)], IniFileResultOk);
    });
  });
}

int32_t GetArrayCount(IniFileHandle handle, const char* key, int32_t* count) {
  if (count == nullptr) return IniFileResultInvalidArgument;
  *count = 0;
  return Guarded([&]() -> int32_t {
    const auto path = KeyPathOf(key);
    if (!path) return IniFileResultInvalidArgument;
    return IniFileTable::Instance().WithFile(handle, [&](IniSettingsFile& file) -> int32_t {
      *count = IniArray(*path).Count(file.Document());
      return IniFileResultOk;
    });
  });
}

int32_t SetArrayCount(IniFileHandle handle, const char* key, int32_t count) {
  return Guarded([&]() -> int32_t {
    const auto path = KeyPathOf(key);
    if (!path || count < 0 || count > IniArray::kMaximumCount) return IniFileResultInvalidArgument;
    const IniArray array(*path);
    return IniFileTable::Instance().WithFile(handle, [&](IniSettingsFile& file) {
      return file.Change([&](IniDocument& document) { array.Resize(document, count); });
    });
  });
}

int32_t GetArrayItemAt(IniFileHandle handle, const char* key, int32_t index, char* buffer,
                       uint32_t bufferSize, uint32_t* neededSize) {
  CallerStringBuffer output(buffer, bufferSize, neededSize);
  if (!output.Prepare()) return IniFileResultInvalidArgument;
  return Guarded([&]() -> int32_t {
    const auto path = KeyPathOf(key);
    if (!path) return IniFileResultInvalidArgument;
    const IniArray array(*path);
    return IniFileTable::Instance().WithFile(handle, [&](IniSettingsFile& file) -> int32_t {
      if (index < 0 || index >= array.Count(file.Document())) return IniFileResultIndexOutOfRange;
      return output.Deliver(*array.Item(file.Document(), index), IniFileResultOk);
    });
  });
}

int32_t SetArrayItemAt(IniFileHandle handle, const char* key, int32_t index, const char* text) {
  return Guarded([&]() -> int32_t {
    const auto path = KeyPathOf(key);
    const auto value = SingleLineText(text);
    if (!path || !value) return IniFileResultInvalidArgument;
    const IniArray array(*path);
    return IniFileTable::Instance().WithFile(handle, [&](IniSettingsFile& file) -> int32_t {
      const int32_t count = array.Count(file.Document());
      if (index < 0 || index > count) return IniFileResultIndexOutOfRange;
      if (index == IniArray::kMaximumCount) return IniFileResultInvalidArgument;
      return file.Change([&](IniDocument& document) { array.SetItem(document, index, *value); });
    });
  });
}

int32_t RemoveArrayItemAt(IniFileHandle handle, const char* key, int32_t index) {
  return Guarded([&]() -> int32_t {
    const auto path = KeyPathOf(key);
    if (!path) return IniFileResultInvalidArgument;
    const IniArray array(*path);
    return IniFileTable::Instance().WithFile(handle, [&](IniSettingsFile& file) -> int32_t {
      if (index < 0 || index >= array.Count(file.Document())) return IniFileResultIndexOutOfRange;
      return file.Change([&](IniDocument& document) { array.RemoveItem(document, index); });
    });
  });
}

}  // extern "C"
