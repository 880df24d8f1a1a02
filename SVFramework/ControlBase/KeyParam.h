#pragma once
#include <cstdint>

#include "SVFramework/ControlBase/Control.h"
#include "SVFramework/ObjectBase/RefCountedObject.h"
#include "SVFramework/Utilities/Storage/StringT.h"
#include "SVFramework/System/Keys/KeyCode.h"
#include "SVFramework/Utilities/Storage/RCPtrArray.h"

namespace SV {

// Payload of a key event: the key, 1 when the root window's key dispatch or the
// sibling routing made it (0 for the Tab a control makes itself), and the controls
// that handled it so far. Made on the heap; UI thread only.
class LKeyParam : public virtual LRefCountedObject {
public:
  LKeyParam(const KeyCode& pressed, int32_t source);
  ~LKeyParam() override;
  // The key's identifier text, as KeyCode::ToString gives it ("Ctrl+VKEY_S").
  String ToString() const override;

  KeyCode key;
  int32_t sourceFlag;
  RCPtrArray<LControl, 1, 0> route;
};

// A key that a control offers to its siblings; they store their answer in `result`
// (-1 until one answers).
class LSiblingKeyParam : public virtual LRefCountedObject {
public:
  LSiblingKeyParam(const KeyCode& offered, LControl* offeredBy);
  ~LSiblingKeyParam() override;

  KeyCode key;
  RCPtr<LControl> source;
  int32_t result = -1;
};

RCPtr<LKeyParam> MakeKeyParam(const KeyCode& key, int32_t sourceFlag);
RCPtr<LSiblingKeyParam> MakeSiblingKeyParam(const KeyCode& key, LControl* source);

}  // namespace SV
