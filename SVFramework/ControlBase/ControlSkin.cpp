#include "SVFramework/ControlBase/Control.h"
#include "SVFramework/ControlBase/ControlFactory.h"

// Applying a skin descriptor to LControl, at creation and again at a skin change.
namespace SV {

SVRESULT LControl::ApplyDescriptor(const RCPtr<LControlDescriptor>& descriptor) {
  mDescriptor = descriptor;
  if (!descriptor) return S_OK;
  const RCPtr<LControl> self(this);
  const bool created = mCreated;
  TakeLayoutOf(*descriptor, created);
  ApplyLooksOf(*descriptor);
  if (created) DetachChildrenMissingFrom(*descriptor);
  RCPtrArray<LControl, 1, 0> setAside;
  setAside.Append(mChildren.GetChildren());
  mChildren.RemoveAll();
  mRect = {};
  RecomputePlacement();
  if (!created) {
    SetExclusiveLook(0);
    mConditionsParam->previous = mConditionsParam->current;
    mConditionsParam->current = GetConditions();
    mConditionsParam->point = mPressPoint;
    return S_OK;
  }
  ReskinChildren(*descriptor, setAside);
  OnDescriptorApplied();
  mChildren.MarkChanged();
  return S_OK;
}

void LControl::TakeLayoutOf(const LControlDescriptor& descriptor, bool created) {
  const bool wasVisible = !mLayout || mLayout->IsVisible;
  const bool wasEnabled = !mLayout || mLayout->IsEnabled;
  if (created) SetClipToParent(true);
  RCPtr<LLayoutDescriptor> layout;
  if (descriptor.Layout) descriptor.Layout->Clone(layout);
  mLayout = layout ? layout : LLayoutDescriptor::Create();
  MarkParentOrderChanged();
  if (mRootWindow) mLayout->IsVisible = true;
  if (created) {
    const bool visible = mLayout->IsVisible;
    mLayout->IsVisible = wasVisible;
    if (visible != wasVisible) SetVisible(visible);
    mLayout->IsEnabled = wasEnabled;
    SetNotFocusable(mLayout->TabStop < 0);
  }
  if (!ClipsToParent() && mParent) mParent->IncrementUnclippedDescendants();
}

// Children the new skin has no place for leave the tree through Detach while they are
// still in it, so that focus, capture and hover let go of them.
void LControl::DetachChildrenMissingFrom(const LControlDescriptor& descriptor) {
  for (uint32_t position = mChildren.GetCount(); position-- > 0;) {
    if (position >= mChildren.GetCount()) continue;
    const RCPtr<LControl> child = mChildren.GetAt(position, ChildOrder::InsertionOrder);
    bool kept = false;
    for (uint32_t index = 0; index < descriptor.Children.GetCount() && !kept; ++index)
      kept = descriptor.Children[index]->Name == child->mName;
    if (!kept) child->Detach();
  }
}

void LControl::ReskinChildren(const LControlDescriptor& descriptor, RCPtrArray<LControl, 1, 0>& setAside) {
  mInLayout = true;
  for (uint32_t index = 0; index < descriptor.Children.GetCount(); ++index) {
    const RCPtr<LControlDescriptor>& childDescriptor = descriptor.Children[index];
    for (uint32_t aside = 0; aside < setAside.GetCount(); ++aside) {
      if (setAside[aside]->mName != childDescriptor->Name) continue;
      const RCPtr<LControl> child = setAside[aside];
      RCPtr<LControl> taken;
      setAside.RemoveItem(aside, taken);
      AdoptChild(child, childDescriptor);
      break;
    }
  }
  mInLayout = false;
  if (mChildren.GetCount() > 0) RecomputePlacement();
  UpdateConditions();
}

SVRESULT LControl::CreateChildren(const RCPtr<LControlDescriptor>& descriptor) {
  mChildren.RemoveAll();
  const RCPtr<LControlFactory>& factory = GetApplicationControlFactory();
  if (descriptor && factory) {
    const RCPtr<LControl> self(this);
    for (uint32_t index = 0; index < descriptor->Children.GetCount(); ++index) {
      RCPtr<LControl> child;
      factory->CreateControl(child, descriptor->Children[index], self);
    }
  }
  RecomputePlacement();
  return S_OK;
}

}  // namespace SV
