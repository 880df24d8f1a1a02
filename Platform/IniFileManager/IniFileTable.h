#pragma once
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>

#include "Platform/IniFileManager/IniSettingsFile.h"

namespace IniFile {

// The library's open files by handle. One lock guards the table and every file in
// it and is held for the whole of each call, file writes included, so any thread
// may call any member at any time.
class IniFileTable {
public:
  static IniFileTable& Instance();

  // Opens the file, or gives the handle under which the same path is already open
  // and counts one more opening of it; *handle stays 0 on failure.
  int32_t Open(const std::string& path, std::string_view settingsVersion, std::string_view productName,
               int32_t* handle);
  // Counts one closing; the last forgets the file. With `writeUnsavedChanges`, a file
  // whose last write failed is written first (a failure is reported, the file closed).
  int32_t Close(int32_t handle, bool writeUnsavedChanges);
  // Runs `use` with the handle's file under the lock; IniFileResultUnknownHandle when
  // the handle is not open.
  int32_t WithFile(int32_t handle, const std::function<int32_t(IniSettingsFile& file)>& use);

private:
  struct OpenFile {
    std::string path;
    std::unique_ptr<IniSettingsFile> file;
    int32_t openCount = 0;
  };

  int32_t NextHandle();

  std::mutex mLock;
  std::map<int32_t, OpenFile> mFiles;
  int32_t mLastHandle = 0;
};

}  // namespace IniFile
