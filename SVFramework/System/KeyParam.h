#pragma once
#include <cstdint>

#include "SVFramework/ControlBase/Control.h"
#include "SVFramework/ObjectBase/RefCountedObject.h"
#include "SVFramework/System/KeyCode.h"
#include "SVFramework/Utilities/Storage/RCPtrArray.h"

namespace SV {

// The payload of a key notification: the key, whether the key dispatch made it (1)
// or focus traversal made it itself (0), and the controls that have passed it on so
// far, in order. Used on the UI thread.
class LKeyParam : public virtual LRefCountedObject {
public:
  LKeyParam(const KeyCode& key, uint32_t sourceFlag) : mKey(key), mSourceFlag(sourceFlag) {}
  ~LKeyParam() override = default;

  // The identifier text of the key ("Ctrl+VKEY_S").
  String ToString() const override { return KeyCode::ToString(mKey); }

  const KeyCode& GetKey() const { return mKey; }
  uint32_t GetSourceFlag() const { return mSourceFlag; }
  RCPtrArray<LControl>& GetRoute() { return mRoute; }
  const RCPtrArray<LControl>& GetRoute() const { return mRoute; }

private:
  KeyCode mKey;
  uint32_t mSourceFlag;
  RCPtrArray<LControl> mRoute;
};

// A new key payload on the heap, with one reference held by the result.
inline RCPtr<LKeyParam> MakeKeyParam(const KeyCode& key, uint32_t sourceFlag) {
  return RCPtr<LKeyParam>(new LKeyParam(key, sourceFlag));
}

}  // namespace SV
