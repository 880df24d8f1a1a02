#include "Platform/IniFileManager/IniFileTable.h"

#include <limits>

#include "Platform/IniFileManager/IniFileManagerApi.h"

namespace IniFile {

IniFileTable& IniFileTable::Instance() {
  static IniFileTable table;
  return table;
}

int32_t IniFileTable::Open(const std::string& path, std::string_view settingsVersion,
                           std::string_view productName, int32_t* handle) {
  std::lock_guard<std::mutex> lock(mLock);
  for (auto& [openHandle, open] : mFiles) {
    if (open.path != path) continue;
    ++open.openCount;
    *handle = openHandle;
    return IniFileResultOk;
  }
  std::unique_ptr<IniSettingsFile> file;
  const int32_t result = IniSettingsFile::Open(path, settingsVersion, productName, file);
  if (result < 0) return result;
  const int32_t newHandle = NextHandle();
  mFiles.emplace(newHandle, OpenFile{path, std::move(file), 1});
  *handle = newHandle;
  return IniFileResultOk;
}

int32_t IniFileTable::Close(int32_t handle, bool writeUnsavedChanges) {
  std::lock_guard<std::mutex> lock(mLock);
  const auto found = mFiles.find(handle);
  if (found == mFiles.end()) return IniFileResultUnknownHandle;
  IniSettingsFile& file = *found->second.file;
  const int32_t result = writeUnsavedChanges && file.HasUnsavedChanges() ? file.Write() : IniFileResultOk;
  if (--found->second.openCount == 0) mFiles.erase(found);
  return result;
}

int32_t IniFileTable::WithFile(int32_t handle, const std::function<int32_t(IniSettingsFile& file)>& use) {
  std::lock_guard<std::mutex> lock(mLock);
  const auto found = mFiles.find(handle);
  if (found == mFiles.end()) return IniFileResultUnknownHandle;
  return use(*found->second.file);
}

// Handles count up from 1 and skip any still open, so 0 and negatives are never given.
int32_t IniFileTable::NextHandle() {
  do {
    mLastHandle = mLastHandle == std::numeric_limits<int32_t>::max() ? 1 : mLastHandle + 1;
  } while (mFiles.contains(mLastHandle));
  return mLastHandle;
}

}  // namespace IniFile
