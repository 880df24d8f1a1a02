// A stand-in settings library for the proxy's tests: it exports every entry point but
// RemoveArrayItemAt, and its string reads misbehave on purpose for some keys.
#include <cstring>
#include <string>

#include "Platform/IniFileManager/IniFileManagerApi.h"

namespace {
int gTextReads = 0;

int32_t AnswerText(const std::string& text, char* buffer, uint32_t size, uint32_t* needed) {
  ++gTextReads;
  *needed = static_cast<uint32_t>(text.size() + 1);
  if (size < text.size() + 1) return IniFileResultBufferTooSmall;
  std::memcpy(buffer, text.c_str(), text.size() + 1);
  return IniFileResultOk;
}
}  // namespace

extern "C" {
INI_FILE_MANAGER_API int TextReadsSoFar() { return gTextReads; }

INI_FILE_MANAGER_API int32_t OpenIniFile(const char*, const char*, const char*, IniFileHandle* handle) {
  *handle = 7;
  return 0;
}
INI_FILE_MANAGER_API int32_t WriteIniFile(IniFileHandle) { return 0; }
INI_FILE_MANAGER_API int32_t CloseIniFile(IniFileHandle, int32_t) { return 0; }
INI_FILE_MANAGER_API uint8_t DoesNodeExist(IniFileHandle, const char*) { return 1; }
INI_FILE_MANAGER_API int32_t GetIniValueInt(IniFileHandle, const char*, int32_t, int32_t* value) {
  *value = 42;
  return 0;
}
INI_FILE_MANAGER_API int32_t SetIniValueInt(IniFileHandle, const char*, int32_t) { return 0; }

// "long": 2000 characters; "huge" and "zero": asks for an impossible size;
// "unterminated": fills the whole buffer without a terminator.
INI_FILE_MANAGER_API int32_t GetIniValueStr(IniFileHandle, const char* key, const char*, char* buffer,
                                            uint32_t size, uint32_t* needed) {
  const std::string name(key);
  if (name == "long") return AnswerText(std::string(2000, 'y'), buffer, size, needed);
  if (name == "huge" || name == "zero") {
    ++gTextReads;
    *needed = name == "huge" ? 0xFFFFFFFFu : 0;
    return IniFileResultBufferTooSmall;
  }
  if (name == "unterminated") {
    ++gTextReads;
    std::memset(buffer, 'u', size);
    return 0;
  }
  return AnswerText("value of " + name, buffer, size, needed);
}
INI_FILE_MANAGER_API int32_t SetIniValueStr(IniFileHandle, const char*, const char*) { return 0; }
INI_FILE_MANAGER_API int32_t GetKeyCount(IniFileHandle, const char*, int32_t* count) {
  *count = 3;
  return 0;
}
INI_FILE_MANAGER_API int32_t GetKeyNameAt(IniFileHandle, const char*, int32_t index, char* buffer, uint32_t size,
                                          uint32_t* needed) {
  return AnswerText("key" + std::to_string(index), buffer, size, needed);
}
INI_FILE_MANAGER_API int32_t GetArrayCount(IniFileHandle, const char*, int32_t* count) {
  *count = 2;
  return 0;
}
INI_FILE_MANAGER_API int32_t SetArrayCount(IniFileHandle, const char*, int32_t) { return 0; }
INI_FILE_MANAGER_API int32_t GetArrayItemAt(IniFileHandle, const char*, int32_t index, char* buffer, uint32_t size,
                                            uint32_t* needed) {
  return AnswerText("item" + std::to_string(index), buffer, size, needed);
}
INI_FILE_MANAGER_API int32_t SetArrayItemAt(IniFileHandle, const char*, int32_t, const char*) { return 0; }
}
