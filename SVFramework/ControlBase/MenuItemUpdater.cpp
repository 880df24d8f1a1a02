#include "SVFramework/ControlBase/MenuItemUpdater.h"

#include "SVFramework/ControlBase/Control.h"

namespace SV {

LMenuItemUpdater::LMenuItemUpdater(LControl* owner) : mOwner(owner) {}

LMenuItemUpdater::~LMenuItemUpdater() = default;

LControl* LMenuItemUpdater::GetOwner() const {
  return mOwner.Get();
}

void LMenuItemUpdater::ReleaseOwner() {
  if (!mOwner) return;
  const RCPtr<LControl> owner = std::move(mOwner);
  mOwner = nullptr;
  owner->AddInternalReferences(-1);
}

}  // namespace SV
