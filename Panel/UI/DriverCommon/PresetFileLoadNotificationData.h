#pragma once
#include <cstdint>

#include "SVFramework/ObjectBase/RefCountedObject.h"

namespace SV {

// The payload of "NID_PRESETFILE_POST_LOAD": the load result of the file just read
// (a PresetLoadResult). Shared, never changed after it is made; any thread may read it.
class LPresetFileLoadNotificationData : public virtual LRefCountedObject {
public:
  static RCPtr<LPresetFileLoadNotificationData> Create(int32_t loadResult);

  int32_t GetLoadResult() const { return mLoadResult; }

private:
  explicit LPresetFileLoadNotificationData(int32_t loadResult) : mLoadResult(loadResult) {}

  const int32_t mLoadResult;
};

}  // namespace SV
