#pragma once
#include <memory>

#include "Platform/IniFileManager/IniFileManagerApi.h"
#include "SVFramework/Utilities/IniFileManager.h"

namespace SV::Platform {
class DynamicLibrary;
}

// The framework's proxy of the settings library libIniFileManager.so: loads it by
// absolute path and calls its 15 entry points, converting text to UTF-8 and back.
// A missing library or entry point makes the affected operations answer E_FAIL.
// UI thread only; no lock.
class CIniFileManagerProxy : public SV::IIniFileManager {
public:
  static constexpr const char* kLibraryFileName = "libIniFileManager.so";
  // Bounds of the text sizes the library may ask for in a string read.
  static constexpr uint32_t kFirstReadSize = 1024;
  static constexpr uint32_t kLargestReadSize = 1024 * 1024;

  CIniFileManagerProxy();
  ~CIniFileManagerProxy() override;

  SVRESULT Load(const SV::String& folder) override;
  SVRESULT Unload() override;
  SVRESULT OpenIniFile(const SV::String& path, const SV::String& settingsVersion, const SV::String& productName,
                       int32_t& handle) override;
  SVRESULT WriteIniFile(int32_t handle) override;
  bool DoesNodeExist(int32_t handle, const SV::String& nodePath) override;
  SVRESULT CloseIniFile(int32_t handle, int32_t value) override;
  SVRESULT GetIniValueInt(int32_t handle, const SV::String& key, int32_t defaultValue, int32_t& value) override;
  SVRESULT SetIniValueInt(int32_t handle, const SV::String& key, int32_t value) override;
  SVRESULT GetIniValueStr(int32_t handle, const SV::String& key, const SV::String& defaultText,
                          SV::String& text) override;
  SVRESULT SetIniValueStr(int32_t handle, const SV::String& key, const SV::String& text) override;
  SVRESULT GetKeyCount(int32_t handle, const SV::String& nodePath, int32_t& count) override;
  SVRESULT GetKeyNameAt(int32_t handle, const SV::String& nodePath, int32_t index, SV::String& name) override;
  SVRESULT GetArrayCount(int32_t handle, const SV::String& key, int32_t& count) override;
  SVRESULT SetArrayCount(int32_t handle, const SV::String& key, int32_t count) override;
  SVRESULT GetArrayItemAt(int32_t handle, const SV::String& key, int32_t index, SV::String& text) override;
  SVRESULT SetArrayItemAt(int32_t handle, const SV::String& key, int32_t index, const SV::String& text) override;
  SVRESULT RemoveArrayItemAt(int32_t handle, const SV::String& key, int32_t index) override;

private:
  struct EntryPoints {
    OpenIniFileFunction openIniFile = nullptr;
    WriteIniFileFunction writeIniFile = nullptr;
    CloseIniFileFunction closeIniFile = nullptr;
    DoesNodeExistFunction doesNodeExist = nullptr;
    GetIniValueIntFunction getIniValueInt = nullptr;
    SetIniValueIntFunction setIniValueInt = nullptr;
    GetIniValueStrFunction getIniValueStr = nullptr;
    SetIniValueStrFunction setIniValueStr = nullptr;
    GetKeyCountFunction getKeyCount = nullptr;
    GetKeyNameAtFunction getKeyNameAt = nullptr;
    GetArrayCountFunction getArrayCount = nullptr;
    SetArrayCountFunction setArrayCount = nullptr;
    GetArrayItemAtFunction getArrayItemAt = nullptr;
    SetArrayItemAtFunction setArrayItemAt = nullptr;
    RemoveArrayItemAtFunction removeArrayItemAt = nullptr;
  };

  bool FindEntryPoints();
  template <class ReadFunction>
  SVRESULT ReadText(ReadFunction read, SV::String& text);

  EntryPoints mEntryPoints;
  std::unique_ptr<SV::Platform::DynamicLibrary> mLibrary;
};

namespace SV {

// The shared object through which the application owns the settings-library proxy;
// every operation forwards to the proxy. Destroying it unloads the library.
class LIniFileManager : public IIniFileManager, public virtual LRefCountedObject {
public:
  LIniFileManager();
  ~LIniFileManager() override;

  SVRESULT Load(const String& folder) override { return mProxy->Load(folder); }
  SVRESULT Unload() override { return mProxy->Unload(); }
  SVRESULT OpenIniFile(const String& path, const String& settingsVersion, const String& productName,
                       int32_t& handle) override {
    return mProxy->OpenIniFile(path, settingsVersion, productName, handle);
  }
  SVRESULT WriteIniFile(int32_t handle) override { return mProxy->WriteIniFile(handle); }
  bool DoesNodeExist(int32_t handle, const String& nodePath) override { return mProxy->DoesNodeExist(handle, nodePath); }
  SVRESULT CloseIniFile(int32_t handle, int32_t value) override { return mProxy->CloseIniFile(handle, value); }
  SVRESULT GetIniValueInt(int32_t handle, const String& key, int32_t defaultValue, int32_t& value) override {
    return mProxy->GetIniValueInt(handle, key, defaultValue, value);
  }
  SVRESULT SetIniValueInt(int32_t handle, const String& key, int32_t value) override {
    return mProxy->SetIniValueInt(handle, key, value);
  }
  SVRESULT GetIniValueStr(int32_t handle, const String& key, const String& defaultText, String& text) override {
    return mProxy->GetIniValueStr(handle, key, defaultText, text);
  }
  SVRESULT SetIniValueStr(int32_t handle, const String& key, const String& text) override {
    return mProxy->SetIniValueStr(handle, key, text);
  }
  SVRESULT GetKeyCount(int32_t handle, const String& nodePath, int32_t& count) override {
    return mProxy->GetKeyCount(handle, nodePath, count);
  }
  SVRESULT GetKeyNameAt(int32_t handle, const String& nodePath, int32_t index, String& name) override {
    return mProxy->GetKeyNameAt(handle, nodePath, index, name);
  }
  SVRESULT GetArrayCount(int32_t handle, const String& key, int32_t& count) override {
    return mProxy->GetArrayCount(handle, key, count);
  }
  SVRESULT SetArrayCount(int32_t handle, const String& key, int32_t count) override {
    return mProxy->SetArrayCount(handle, key, count);
  }
  SVRESULT GetArrayItemAt(int32_t handle, const String& key, int32_t index, String& text) override {
    return mProxy->GetArrayItemAt(handle, key, index, text);
  }
  SVRESULT SetArrayItemAt(int32_t handle, const String& key, int32_t index, const String& text) override {
    return mProxy->SetArrayItemAt(handle, key, index, text);
  }
  SVRESULT RemoveArrayItemAt(int32_t handle, const String& key, int32_t index) override {
    return mProxy->RemoveArrayItemAt(handle, key, index);
  }

private:
  std::unique_ptr<CIniFileManagerProxy> mProxy;
};

}  // namespace SV
