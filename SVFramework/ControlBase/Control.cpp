#include "SVFramework/ControlBase/Control.h"

#include "SVFramework/ControlBase/ControlFactory.h"

namespace SV {

LControl::LControl(const RCPtr<LControl>& parent, const String& name)
    : mName(name), mConditionsParam(MakeConditionsParam(0, 0, {})), mChildren(this) {
  // No reference to this control may be taken and dropped here: its count is still 0.
  if (parent) {
    parent->DestroyPendingChildren();
    parent->mChildren.Add(this);
  }
  if (const RCPtr<LControlFactory>& factory = GetApplicationControlFactory())
    mStringTable = factory->GetStringTable(parent.Get(), mName);
}

LControl::~LControl() = default;

SVRESULT LControl::ReleaseInternalReferences() {
  ReleaseMenuItemUpdater();
  RemoveAllClients();
  mChildren.RemoveAll();
  UnsubscribeAll();
  return GetInternalRefCount() == 0 && GetRefCount() == 1 ? S_OK : E_FAIL;
}

int32_t LControl::Receive(const RCPtr<LNotificationDistributor>& source, const RCPtr<LNotification>& notification) {
  if (!mCreated) return 1;
  if (!mHandlers) return 0;
  return mHandlers->Dispatch(source, notification);
}

SVRESULT LControl::UnsubscribeVirtual(const RCPtr<LNotificationDistributor>& source, const char16_t* idText) {
  if (mHandlers) mHandlers->RemoveHandler(source.Get(), idText);
  return Unsubscribe(source, idText);
}

LControl::Handlers& LControl::EnsureHandlers() {
  if (!mHandlers) mHandlers = Handlers::Create(this);
  return *mHandlers;
}

SVRESULT LControl::AdoptChild(const RCPtr<LControl>& child, const RCPtr<LControlDescriptor>& descriptor) {
  if (!child || !descriptor) return E_FAIL;
  const SVRESULT result = child->SetParent(RCPtr<LControl>(this));
  if (result >= 0) child->ApplyDescriptor(descriptor);
  return result;
}

void LControl::SetLayout(const RCPtr<LLayoutDescriptor>& layout) {
  const bool clippedBefore = ClipsToParent();
  RCPtr<LLayoutDescriptor> copy;
  if (layout) layout->Clone(copy);
  mLayout = copy;
  if (mParent && clippedBefore != ClipsToParent()) AddToAncestorsUnclipped(clippedBefore ? 1 : -1);
  MarkParentOrderChanged();
}

void LControl::MarkParentOrderChanged() {
  if (mParent) mParent->mChildren.MarkChanged();
}

SVRESULT LControl::SetText(const String& text) {
  return ApplyText(text, true) ? S_OK : S_FALSE;
}

LControl* LControl::GetOwnerControl() {
  if (IsOwnerControl()) return this;
  return mParent ? mParent->GetOwnerControl() : nullptr;
}

SVRESULT LControl::PerformEdit(const String&) {
  SV_RAISE(std::logic_error, "LControl::PerformEdit must be overridden", "SV::LControl::PerformEdit");
}

RectT<double> LControl::GetClientRect() {
  const RectT<double> client = GetLookClientRect(-1);
  return {mScrollOffset.x, mScrollOffset.y, client.width, client.height};
}

void LControl::BeginClientRectWatch() {
  mWatchedClientRect = GetLookClientRect(-1);
  mClientRectWatch = true;
}

int32_t LControl::InvalidateChildArea(const LControl* child) const {
  if (child && child->DockedAxisCount() > 0) return 1;
  return !mScrolling && !mClientRectWatch ? 1 : 0;
}

}  // namespace SV
