#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "SVFramework/Utilities/IniFileManager.h"

namespace SV::Testing {

// The settings service as far as the editor writes texts into it: records each one.
class RecordingSettings : public IIniFileManager {
public:
  struct Write {
    int32_t handle;
    std::u16string key, text;
  };
  SVRESULT Load(const String&) override { return E_FAIL; }
  SVRESULT Unload() override { return E_FAIL; }
  SVRESULT OpenIniFile(const String&, const String&, const String&, int32_t&) override { return E_FAIL; }
  SVRESULT WriteIniFile(int32_t) override { return E_FAIL; }
  bool DoesNodeExist(int32_t, const String&) override { return false; }
  SVRESULT CloseIniFile(int32_t, int32_t) override { return E_FAIL; }
  SVRESULT GetIniValueInt(int32_t, const String&, int32_t, int32_t&) override { return E_FAIL; }
  SVRESULT SetIniValueInt(int32_t, const String&, int32_t) override { return E_FAIL; }
  SVRESULT GetIniValueStr(int32_t, const String&, const String&, String&) override { return E_FAIL; }
  SVRESULT SetIniValueStr(int32_t handle, const String& key, const String& text) override {
    writes.push_back({handle, std::u16string(key.View()), std::u16string(text.View())});
    return S_OK;
  }
  SVRESULT GetKeyCount(int32_t, const String&, int32_t&) override { return E_FAIL; }
  SVRESULT GetKeyNameAt(int32_t, const String&, int32_t, String&) override { return E_FAIL; }
  SVRESULT GetArrayCount(int32_t, const String&, int32_t&) override { return E_FAIL; }
  SVRESULT SetArrayCount(int32_t, const String&, int32_t) override { return E_FAIL; }
  SVRESULT GetArrayItemAt(int32_t, const String&, int32_t, String&) override { return E_FAIL; }
  SVRESULT SetArrayItemAt(int32_t, const String&, int32_t, const String&) override { return E_FAIL; }
  SVRESULT RemoveArrayItemAt(int32_t, const String&, int32_t) override { return E_FAIL; }

  std::vector<Write> writes;
};

}  // namespace SV::Testing
