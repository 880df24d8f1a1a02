#include <algorithm>
#include <climits>

#include "SVFramework/ControlBase/Control.h"
#include "SVFramework/System/WindowOSServices.h"

// The tree operations of LControl. Loops over children check the position against
// the current count at every step: a handler run from inside may remove children.
namespace SV {

int32_t LControl::IndexOfChild(const LControl* child, ChildOrder order) const {
  for (uint32_t position = mChildren.GetCount(); position-- > 0;) {
    if (position >= mChildren.GetCount()) continue;
    if (mChildren.GetAt(position, order).Get() == child) return static_cast<int32_t>(position);
  }
  return -1;
}

RCPtr<LControl> LControl::FindChild(const String& name) const {
  for (uint32_t position = mChildren.GetCount(); position-- > 0;)
    if (mChildren.GetChildren()[position]->GetName() == name) return mChildren.GetChildren()[position];
  return nullptr;
}

SVRESULT LControl::RenameChild(LControl* child, const String& newName) {
  if (child && child->mName == newName) return S_FALSE;
  const RCPtrArray<LControl, 1, 0>& children = mChildren.GetChildren();
  if (children.GetCount() == 0) return E_INVALIDARG;
  int32_t found = -1;
  for (uint32_t position = children.GetCount(); position-- > 0;) {
    if (children[position]->mName == newName) return E_FAIL;
    if (children[position].Get() == child) found = static_cast<int32_t>(position);
  }
  if (found < 0) return E_INVALIDARG;
  const String oldName = child->mName;
  child->mName = newName;
  for (uint32_t position = static_cast<uint32_t>(found) + 1; position < children.GetCount(); ++position)
    if (const RCPtr<LLayoutDescriptor>& layout = children[position]->mLayout)
      layout->RenameSiblingReference(oldName, newName);
  return S_OK;
}

SVRESULT LControl::SetParent(const RCPtr<LControl>& parent) {
  if (parent.Get() == mParent.Get()) return S_FALSE;
  const RCPtr<LControl> self(this);
  DropFocusForMove(parent.Get());
  if (mParent) {
    InvalidateRect({0, 0, mRect.width, mRect.height}, ClipsToParent());
    mParent->mChildren.Remove(this);
  } else {
    mRootWindow.Reset();
  }
  if (!parent) return S_OK;
  parent->DestroyPendingChildren();
  return parent->mChildren.Add(this);
}

RCPtr<LControl> LControl::GetTopLevelControl() {
  LControl* top = this;
  while (top->mParent) top = top->mParent.Get();
  return RCPtr<LControl>(top);
}

LRootWindow* LControl::GetRootWindow() const {
  const LControl* top = this;
  while (top->mParent) top = top->mParent.Get();
  return top->mRootWindow.Get();
}

SVRESULT LControl::SetRootWindow(LRootWindow* rootWindow) {
  if (mParent) return E_FAIL;
  mRootWindow = RCPtr<LRootWindow>(rootWindow);
  if (!rootWindow) return S_OK;
  if (const RCPtr<LControl> rootControl = rootWindow->GetRootControl()) rootControl->SetText(mText);
  if (IWindowOSServices* window = rootWindow->GetOSWindow()) window->SetTitle(mText);
  OnRootWindowChanged();
  return S_OK;
}

SVRESULT LControl::Detach() {
  // Animations hold idle units of their own: stopped first, so that they cannot give
  // a unit back a second time after the units were released below.
  StopAllScrollAnimations();
  SetVisible(false);
  SetClipToParent(true);
  if (mCapture) OnCaptureLost();
  while (mIdleCount > 0) ReleaseIdle();
  if (mParent) return SetParent(nullptr);
  return SetRootWindow(nullptr);
}

uint32_t LControl::CollectDescendants(RCPtrArray<LControl, 1, 0>& out) {
  out.SetCount(0);
  RCPtrArray<LControl, 1, 0> below;
  for (uint32_t position = 0; position < mChildren.GetCount(); ++position) {
    const RCPtr<LControl> child = mChildren.GetChildren()[position];
    out.Append(child);
    child->CollectDescendants(below);
    out.Append(below);
  }
  return out.GetCount();
}

int32_t LControl::CollectUnclippedDescendants(RCPtrArray<LControl, 1, 0>& out, bool onlyShown, bool includeSelf) {
  const uint32_t before = out.GetCount();
  const bool hidden = onlyShown && !IsShown();
  if (hidden) return 0;
  if (!ClipsToParent() && includeSelf) out.Append(RCPtr<LControl>(this));
  for (uint32_t position = 0; position < mChildren.GetCount(); ++position) {
    const RCPtr<LControl> child = mChildren.GetAt(position, ChildOrder::PaintOrder);
    child->CollectUnclippedDescendants(out, onlyShown, true);
  }
  return static_cast<int32_t>(out.GetCount() - before);
}

void LControl::IncrementUnclippedDescendants() {
  for (LControl* control = this; control; control = control->mParent.Get()) ++control->mUnclippedDescendants;
}

void LControl::DecrementUnclippedDescendants() {
  for (LControl* control = this; control; control = control->mParent.Get()) --control->mUnclippedDescendants;
}

void LControl::AddToAncestorsUnclipped(int32_t delta) {
  if (!mParent) return;
  for (; delta > 0; --delta) mParent->IncrementUnclippedDescendants();
  for (; delta < 0; ++delta) mParent->DecrementUnclippedDescendants();
}

int32_t LControl::GetEffectiveZOrder() const {
  int32_t result = INT32_MIN;
  for (const LControl* control = this; control; control = control->mParent.Get())
    if (!control->ClipsToParent()) result = std::max(result, control->mLayout->Z_Order);
  return result;
}

int32_t LControl::DockedAxisCount() const {
  if (!mLayout) return 0;
  return (mLayout->Placement[0].docked ? 1 : 0) + (mLayout->Placement[1].docked ? 1 : 0);
}

bool LControl::SetClipToParent(bool clip) {
  if (ClipsToParent() == clip) return clip;
  if (clip) InvalidateRect({0, 0, mRect.width, mRect.height}, false);
  if (!mLayout) mLayout = LLayoutDescriptor::Create();
  mLayout->ClipToParent = clip;
  MarkParentOrderChanged();
  AddToAncestorsUnclipped(clip ? -1 : 1);
  if (!clip) InvalidateRect({0, 0, mRect.width, mRect.height}, false);
  return clip;
}

}  // namespace SV
