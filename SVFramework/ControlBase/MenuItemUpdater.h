#pragma once
#include "SVFramework/ObjectBase/RefCountedObject.h"

namespace SV {

class LControl;

// The handle through which a popup menu asks the control that owns it for the state of
// its items (LControl::UpdateMenuItemState). The control holds its updater and counts
// the updater's reference to it as internal, so the pair frees itself. UI thread only.
class LMenuItemUpdater : public virtual LRefCountedObject {
public:
  explicit LMenuItemUpdater(LControl* owner);
  ~LMenuItemUpdater() override;

  LControl* GetOwner() const;
  // Drops the reference to the owner; the owner's internal count goes down first.
  void ReleaseOwner();

private:
  RCPtr<LControl> mOwner;
};

}  // namespace SV
