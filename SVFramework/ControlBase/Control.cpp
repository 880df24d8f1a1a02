#include "SVFramework/ControlBase/Control.h"

#include "SVFramework/ControlBase/ControlFactory.h"

namespace SV {

LControl::LControl(const RCPtr<LControl>& parent, const String& name) : mName(name), mParent(parent.Get()) {
  if (mParent) mParent->mChildren.Append(RCPtr<LControl>(this));
  if (const RCPtr<LControlFactory>& factory = GetApplicationControlFactory())
    mStringTable = factory->GetStringTable(mParent, mName);
}

LControl::~LControl() {
  for (uint32_t index = 0; index < mChildren.GetCount(); ++index)
    if (mChildren[index]) mChildren[index]->mParent = nullptr;
}

SVRESULT LControl::ApplyDescriptor(const RCPtr<LControlDescriptor>& descriptor) {
  mDescriptor = descriptor;
  return S_OK;
}

SVRESULT LControl::CreateChildren(const RCPtr<LControlDescriptor>& descriptor) {
  const RCPtr<LControlFactory>& factory = GetApplicationControlFactory();
  if (!descriptor || !factory) return S_OK;
  const RCPtr<LControl> self(this);
  for (uint32_t index = 0; index < descriptor->Children.GetCount(); ++index) {
    RCPtr<LControl> child;
    factory->CreateControl(child, descriptor->Children[index], self);
  }
  return S_OK;
}

SVRESULT LControl::SetRootWindow(LRootWindow* rootWindow) {
  if (mParent) return E_FAIL;
  mRootWindow = rootWindow;
  return S_OK;
}

}  // namespace SV
