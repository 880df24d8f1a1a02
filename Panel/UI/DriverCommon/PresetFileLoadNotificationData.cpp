#include "Panel/UI/DriverCommon/PresetFileLoadNotificationData.h"

namespace SV {

RCPtr<LPresetFileLoadNotificationData> LPresetFileLoadNotificationData::Create(int32_t loadResult) {
  return RCPtr<LPresetFileLoadNotificationData>(new LPresetFileLoadNotificationData(loadResult));
}

}  // namespace SV
