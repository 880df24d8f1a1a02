#pragma once
#include <cstdint>

#include "SVFramework/ObjectBase/RefCountedObject.h"
#include "SVFramework/ObjectBase/SVResult.h"
#include "SVFramework/Utilities/Storage/StringT.h"

namespace SV {

// The settings-file service: opens settings files by handle (0 means no file) and
// reads and writes integer and text values, key names and arrays in them. Every
// operation answers E_FAIL, with its out-values at their preset defaults, while the
// settings library is not loaded. UI thread only.
class IIniFileManager {
public:
  virtual ~IIniFileManager() = default;
  // Loads the settings library from `folder` (absolute), or from the program's own
  // folder when empty: 0 loaded with every entry point, 1 already loaded, E_FAIL otherwise.
  virtual SVRESULT Load(const String& folder) = 0;
  // 0 unloaded, 1 when nothing was loaded, E_FAIL when the system refused.
  virtual SVRESULT Unload() = 0;
  virtual SVRESULT OpenIniFile(const String& path, const String& settingsVersion, const String& productName,
                               int32_t& handle) = 0;
  virtual SVRESULT WriteIniFile(int32_t handle) = 0;
  virtual bool DoesNodeExist(int32_t handle, const String& nodePath) = 0;
  virtual SVRESULT CloseIniFile(int32_t handle, int32_t value) = 0;
  virtual SVRESULT GetIniValueInt(int32_t handle, const String& key, int32_t defaultValue, int32_t& value) = 0;
  virtual SVRESULT SetIniValueInt(int32_t handle, const String& key, int32_t value) = 0;
  virtual SVRESULT GetIniValueStr(int32_t handle, const String& key, const String& defaultText, String& text) = 0;
  virtual SVRESULT SetIniValueStr(int32_t handle, const String& key, const String& text) = 0;
  virtual SVRESULT GetKeyCount(int32_t handle, const String& nodePath, int32_t& count) = 0;
  virtual SVRESULT GetKeyNameAt(int32_t handle, const String& nodePath, int32_t index, String& name) = 0;
  virtual SVRESULT GetArrayCount(int32_t handle, const String& key, int32_t& count) = 0;
  virtual SVRESULT SetArrayCount(int32_t handle, const String& key, int32_t count) = 0;
  virtual SVRESULT GetArrayItemAt(int32_t handle, const String& key, int32_t index, String& text) = 0;
  virtual SVRESULT SetArrayItemAt(int32_t handle, const String& key, int32_t index, const String& text) = 0;
  virtual SVRESULT RemoveArrayItemAt(int32_t handle, const String& key, int32_t index) = 0;
};

}  // namespace SV
