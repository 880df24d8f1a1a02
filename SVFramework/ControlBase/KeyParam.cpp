#include "SVFramework/ControlBase/KeyParam.h"

#include "SVFramework/ControlBase/Control.h"
#include "SVFramework/Utilities/Storage/StringT.h"

namespace SV {

LKeyParam::LKeyParam(const KeyCode& pressed, int32_t source) : key(pressed), sourceFlag(source) {}

LKeyParam::~LKeyParam() = default;

String LKeyParam::ToString() const { return KeyCode::ToString(key); }

LSiblingKeyParam::LSiblingKeyParam(const KeyCode& offered, LControl* offeredBy) : key(offered), source(offeredBy) {}

LSiblingKeyParam::~LSiblingKeyParam() = default;

RCPtr<LKeyParam> MakeKeyParam(const KeyCode& key, int32_t sourceFlag) {
  return RCPtr<LKeyParam>(new LKeyParam(key, sourceFlag));
}

RCPtr<LSiblingKeyParam> MakeSiblingKeyParam(const KeyCode& key, LControl* source) {
  return RCPtr<LSiblingKeyParam>(new LSiblingKeyParam(key, source));
}

}  // namespace SV
