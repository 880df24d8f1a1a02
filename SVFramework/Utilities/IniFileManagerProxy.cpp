#include "SVFramework/Utilities/IniFileManagerProxy.h"

#include <vector>

#include "Platform/DynamicLibrary/DynamicLibrary.h"

using SV::E_FAIL;
using SV::S_FALSE;
using SV::S_OK;
using SV::String;

namespace {

std::string Utf8(const String& text) { return text.ToUTF8().GetString(); }

}  // namespace

CIniFileManagerProxy::CIniFileManagerProxy() : mLibrary(std::make_unique<SV::Platform::DynamicLibrary>()) {}

CIniFileManagerProxy::~CIniFileManagerProxy() { Unload(); }

SVRESULT CIniFileManagerProxy::Load(const String& folder) {
  if (mLibrary->IsLoaded()) return S_FALSE;
  // Only the program's own copy (or one in a folder given by absolute path) is
  // loaded, never one found through the library search path.
  const std::string base = folder.IsEmpty() ? SV::Platform::ProgramFolder() : Utf8(folder);
  if (base.empty() || base.front() != '/') return E_FAIL;
  if (!mLibrary->Load(SV::Platform::JoinPath(base, kLibraryFileName))) return E_FAIL;
  return FindEntryPoints() ? S_OK : E_FAIL;
}

bool CIniFileManagerProxy::FindEntryPoints() {
  const SV::Platform::DynamicLibrary& library = *mLibrary;
  EntryPoints& e = mEntryPoints;
  e.openIniFile = library.Find<OpenIniFileFunction>("OpenIniFile");
  e.writeIniFile = library.Find<WriteIniFileFunction>("WriteIniFile");
  e.closeIniFile = library.Find<CloseIniFileFunction>("CloseIniFile");
  e.doesNodeExist = library.Find<DoesNodeExistFunction>("DoesNodeExist");
  e.getIniValueInt = library.Find<GetIniValueIntFunction>("GetIniValueInt");
  e.setIniValueInt = library.Find<SetIniValueIntFunction>("SetIniValueInt");
  e.getIniValueStr = library.Find<GetIniValueStrFunction>("GetIniValueStr");
  e.setIniValueStr = library.Find<SetIniValueStrFunction>("SetIniValueStr");
  e.getKeyCount = library.Find<GetKeyCountFunction>("GetKeyCount");
  e.getKeyNameAt = library.Find<GetKeyNameAtFunction>("GetKeyNameAt");
  e.getArrayCount = library.Find<GetArrayCountFunction>("GetArrayCount");
  e.setArrayCount = library.Find<SetArrayCountFunction>("SetArrayCount");
  e.getArrayItemAt = library.Find<GetArrayItemAtFunction>("GetArrayItemAt");
  e.setArrayItemAt = library.Find<SetArrayItemAtFunction>("SetArrayItemAt");
  e.removeArrayItemAt = library.Find<RemoveArrayItemAtFunction>("RemoveArrayItemAt");
  return e.openIniFile && e.writeIniFile && e.closeIniFile && e.doesNodeExist && e.getIniValueInt &&
         e.setIniValueInt && e.getIniValueStr && e.setIniValueStr && e.getKeyCount && e.getKeyNameAt &&
         e.getArrayCount && e.setArrayCount && e.getArrayItemAt && e.setArrayItemAt && e.removeArrayItemAt;
}

SVRESULT CIniFileManagerProxy::Unload() {
  if (!mLibrary->IsLoaded()) return S_FALSE;
  mEntryPoints = EntryPoints();
  return mLibrary->Unload() ? S_OK : E_FAIL;
}

// Reads a text in at most two calls: first into 1024 bytes, then, when the library
// asks for more, into a buffer of the size it names, which must be sane (1 byte to
// 1 MiB). Both buffers are terminated whatever the library wrote; `text` changes only
// when the read succeeded.
template <class ReadFunction>
SVRESULT CIniFileManagerProxy::ReadText(ReadFunction read, String& text) {
  std::vector<char> buffer(kFirstReadSize, '\0');
  uint32_t needed = 0;
  SVRESULT status = read(buffer.data(), kFirstReadSize, &needed);
  if (status == -2) {
    if (needed == 0 || needed > kLargestReadSize) return E_FAIL;
    buffer.assign(needed, '\0');
    status = read(buffer.data(), needed, &needed);
  }
  buffer.back() = '\0';
  if (status >= 0) text = String(buffer.data());
  return status;
}

SVRESULT CIniFileManagerProxy::OpenIniFile(const String& path, const String& settingsVersion,
                                           const String& productName, int32_t& handle) {
  handle = 0;
  if (!mEntryPoints.openIniFile) return E_FAIL;
  return mEntryPoints.openIniFile(Utf8(path).c_str(), Utf8(settingsVersion).c_str(), Utf8(productName).c_str(),
                                  &handle);
}

SVRESULT CIniFileManagerProxy::WriteIniFile(int32_t handle) {
  return mEntryPoints.writeIniFile ? mEntryPoints.writeIniFile(handle) : E_FAIL;
}

bool CIniFileManagerProxy::DoesNodeExist(int32_t handle, const String& nodePath) {
  return mEntryPoints.doesNodeExist && mEntryPoints.doesNodeExist(handle, Utf8(nodePath).c_str()) != 0;
}

SVRESULT CIniFileManagerProxy::CloseIniFile(int32_t handle, int32_t value) {
  return mEntryPoints.closeIniFile ? mEntryPoints.closeIniFile(handle, value) : E_FAIL;
}

SVRESULT CIniFileManagerProxy::GetIniValueInt(int32_t handle, const String& key, int32_t defaultValue,
                                              int32_t& value) {
  value = defaultValue;
  if (!mEntryPoints.getIniValueInt) return E_FAIL;
  int32_t read = defaultValue;
  const SVRESULT status = mEntryPoints.getIniValueInt(handle, Utf8(key).c_str(), defaultValue, &read);
  if (status >= 0) value = read;
  return status;
}

SVRESULT CIniFileManagerProxy::SetIniValueInt(int32_t handle, const String& key, int32_t value) {
  return mEntryPoints.setIniValueInt ? mEntryPoints.setIniValueInt(handle, Utf8(key).c_str(), value) : E_FAIL;
}

SVRESULT CIniFileManagerProxy::GetIniValueStr(int32_t handle, const String& key, const String& defaultText,
                                              String& text) {
  text = defaultText;
  if (!mEntryPoints.getIniValueStr) return E_FAIL;
  const std::string keyText = Utf8(key), defaultUtf8 = Utf8(defaultText);
  return ReadText([&](char* buffer, uint32_t size, uint32_t* needed) {
    return mEntryPoints.getIniValueStr(handle, keyText.c_str(), defaultUtf8.c_str(), buffer, size, needed);
  }, text);
}

SVRESULT CIniFileManagerProxy::SetIniValueStr(int32_t handle, const String& key, const String& text) {
  if (!mEntryPoints.setIniValueStr) return E_FAIL;
  return mEntryPoints.setIniValueStr(handle, Utf8(key).c_str(), Utf8(text).c_str());
}

SVRESULT CIniFileManagerProxy::GetKeyCount(int32_t handle, const String& nodePath, int32_t& count) {
  count = 0;
  if (!mEntryPoints.getKeyCount) return E_FAIL;
  return mEntryPoints.getKeyCount(handle, Utf8(nodePath).c_str(), &count);
}

SVRESULT CIniFileManagerProxy::GetKeyNameAt(int32_t handle, const String& nodePath, int32_t index, String& name) {
  name.Empty();
  if (!mEntryPoints.getKeyNameAt) return E_FAIL;
  const std::string path = Utf8(nodePath);
  return ReadText([&](char* buffer, uint32_t size, uint32_t* needed) {
    return mEntryPoints.getKeyNameAt(handle, path.c_str(), index, buffer, size, needed);
  }, name);
}

SVRESULT CIniFileManagerProxy::GetArrayCount(int32_t handle, const String& key, int32_t& count) {
  count = 0;
  if (!mEntryPoints.getArrayCount) return E_FAIL;
  return mEntryPoints.getArrayCount(handle, Utf8(key).c_str(), &count);
}

SVRESULT CIniFileManagerProxy::SetArrayCount(int32_t handle, const String& key, int32_t count) {
  return mEntryPoints.setArrayCount ? mEntryPoints.setArrayCount(handle, Utf8(key).c_str(), count) : E_FAIL;
}

SVRESULT CIniFileManagerProxy::GetArrayItemAt(int32_t handle, const String& key, int32_t index, String& text) {
  text.Empty();
  if (!mEntryPoints.getArrayItemAt) return E_FAIL;
  const std::string keyText = Utf8(key);
  return ReadText([&](char* buffer, uint32_t size, uint32_t* needed) {
    return mEntryPoints.getArrayItemAt(handle, keyText.c_str(), index, buffer, size, needed);
  }, text);
}

SVRESULT CIniFileManagerProxy::SetArrayItemAt(int32_t handle, const String& key, int32_t index, const String& text) {
  if (!mEntryPoints.setArrayItemAt) return E_FAIL;
  return mEntryPoints.setArrayItemAt(handle, Utf8(key).c_str(), index, Utf8(text).c_str());
}

SVRESULT CIniFileManagerProxy::RemoveArrayItemAt(int32_t handle, const String& key, int32_t index) {
  return mEntryPoints.removeArrayItemAt ? mEntryPoints.removeArrayItemAt(handle, Utf8(key).c_str(), index) : E_FAIL;
}

namespace SV {

LIniFileManager::LIniFileManager() : mProxy(std::make_unique<CIniFileManagerProxy>()) {}

LIniFileManager::~LIniFileManager() = default;

}  // namespace SV
