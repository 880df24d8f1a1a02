#pragma once
#include <cstdint>

#include "SVFramework/Controls/MenuDescriptor.h"
#include "SVFramework/ObjectBase/RefCountedObject.h"
#include "SVFramework/Utilities/Storage/PooledObject.h"

namespace SV {

// The payload of a menu command: the menu that the popup showed and the index of the
// chosen entry in it (-1 for none). Objects come from an unlocked pool (blocks in steps
// of four): make and drop them on the user-interface thread only.
class LMenuActivationParam : public virtual LRefCountedObject, public PooledObject<LMenuActivationParam, 4, false> {
public:
  LMenuActivationParam(const RCPtr<LMenuDescriptor>& menu, int32_t index) : mMenu(menu), mIndex(index) {}
  ~LMenuActivationParam() override = default;

  const RCPtr<LMenuDescriptor>& GetMenuDescriptor() const { return mMenu; }
  int32_t GetIndex() const { return mIndex; }

private:
  RCPtr<LMenuDescriptor> mMenu;
  int32_t mIndex;
};

}  // namespace SV
