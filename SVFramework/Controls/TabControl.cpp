#include "SVFramework/Controls/TabControl.h"

#include "SVFramework/Controls/Button.h"
#include "SVFramework/notification/Notification.h"

namespace SV {

LTabControl::LTabControl(const RCPtr<LControl>& parent, const String& name) : LPanel(parent, name) {}

LTabControl::~LTabControl() = default;

uint32_t LTabControl::GetTabCount() const { return mButtonHolder ? mButtonHolder->GetChildCount() : 0; }

int32_t LTabControl::GetTabIndex(const String& tabName) const {
  if (!mButtonHolder) return -1;
  for (uint32_t index = mButtonHolder->GetChildCount(); index-- > 0;)
    if (mButtonHolder->GetChildAt(index)->GetName() == tabName) return static_cast<int32_t>(index);
  return -1;
}

int32_t LTabControl::GetSelectedIndex() const { return GetTabIndex(mSelectedTabName); }

RCPtr<LControl> LTabControl::GetSelectedPage() const {
  const int32_t index = GetSelectedIndex();
  if (!mPageHolder || index < 0 || static_cast<uint32_t>(index) >= mPageHolder->GetChildCount()) return {};
  return mPageHolder->GetChildAt(static_cast<uint32_t>(index));
}

RCPtr<LControl> LTabControl::GetPageByName(const String& tabName) const {
  const int32_t index = GetTabIndex(tabName);
  return index < 0 ? RCPtr<LControl>() : GetPageAt(static_cast<uint32_t>(index));
}

// Bounded by the pages that exist too: a skin with fewer pages than buttons has tabs
// without a page, which select nothing instead of failing the lookup.
RCPtr<LControl> LTabControl::GetPageAt(uint32_t index) const {
  if (!mPageHolder || index >= GetTabCount() || index >= mPageHolder->GetChildCount()) return {};
  return mPageHolder->GetChildAt(index);
}

RCPtr<LControl> LTabControl::GetButtonByName(const String& tabName) const {
  const int32_t index = GetTabIndex(tabName);
  return index < 0 ? RCPtr<LControl>() : GetButtonAt(static_cast<uint32_t>(index));
}

RCPtr<LControl> LTabControl::GetButtonAt(uint32_t index) const {
  if (!mButtonHolder || index >= GetTabCount()) return {};
  return mButtonHolder->GetChildAt(index);
}

void LTabControl::Announce(const char16_t* id, const RCPtr<LControl>& payload) {
  Distribute(LNotification::Obtain(id, RCPtr<LRefCountedObject>(payload.Get())));
}

SVRESULT LTabControl::SelectTab(const String& tabName) {
  if (!mButtonHolder || !mPageHolder) return E_FAIL;
  const RCPtr<LControl> self(this);
  const String name = tabName;
  const int32_t oldIndex = GetSelectedIndex();
  const int32_t newIndex = GetTabIndex(name);
  if (oldIndex >= 0 && oldIndex != newIndex) Announce(u"NID_TAB_BECOMING_UNSELECTED", GetSelectedPage());
  for (uint32_t index = GetTabCount(); index-- > 0;) {
    const RCPtr<LControl> page = GetPageAt(index);
    if (page && static_cast<int32_t>(index) != newIndex) page->SetVisible(false);
  }
  mSelectedTabName = name;
  OnSelectTab(newIndex);
  if (newIndex >= 0)
    if (const RCPtr<LControl> page = GetPageAt(static_cast<uint32_t>(newIndex))) page->SetVisible(true);
  Announce(u"NID_TAB_SELECTED", GetSelectedPage());
  return S_OK;
}

SVRESULT LTabControl::SelectTabAt(uint32_t index) {
  if (!mButtonHolder || index >= mButtonHolder->GetChildCount()) return E_FAIL;
  auto* button = dynamic_cast<LButton*>(mButtonHolder->GetChildAt(index, ChildOrder::PaintOrder).Get());
  if (!button) return E_FAIL;
  return SelectTab(button->GetName());
}

int32_t LTabControl::OnTabButtonClick(const RCPtr<LNotificationDistributor>& source, const RCPtr<LNotification>&) {
  const RCPtr<LControl> button(dynamic_cast<LControl*>(source.Get()));
  if (!button) return 1;
  const RCPtr<LControl> self(this);
  const String name = button->GetName();
  const int32_t index = GetTabIndex(name);
  if (index >= 0) Announce(u"NID_TAB_BUTTON_CLICKED", button);
  SelectTab(name);
  if (index >= 0)
    if (const RCPtr<LControl> page = GetPageAt(static_cast<uint32_t>(index))) page->SetFocus(true);
  return 1;
}

SVRESULT LTabControl::Initialize() {
  if (LPanel::Initialize() < 0) return E_FAIL;
  mButtonHolder = FindChild(u"buttonHolder");
  mPageHolder = FindChild(u"pageHolder");
  const SVRESULT selected = SelectTabAt(0);
  if (selected < 0) return selected;
  if (!mHandler) mHandler = TabControlHandlers::Create(this);
  for (uint32_t index = 0; index < mButtonHolder->GetChildCount(); ++index) {
    const RCPtr<LControl>& child = mButtonHolder->GetChildAt(index);
    if (dynamic_cast<LButton*>(child.Get()))
      mHandler->AddHandler(&LTabControl::OnTabButtonClick, RCPtr<LNotificationDistributor>(child.Get()),
                           u"NID_LEFT_CLICK");
  }
  return selected;
}

SVRESULT LTabControl::ApplyDescriptor(const RCPtr<LControlDescriptor>& descriptor) {
  const SVRESULT result = LPanel::ApplyDescriptor(descriptor);
  if (IsCreated()) SelectTab(mSelectedTabName);
  return result;
}

int32_t LTabControl::Receive(const RCPtr<LNotificationDistributor>& source, const RCPtr<LNotification>& notification) {
  if (mHandler && IsCreated()) {
    const RCPtr<TabControlHandlers> handler = mHandler;
    if (const int32_t handled = handler->Dispatch(source, notification)) return handled;
  }
  return LPanel::Receive(source, notification);
}

SVRESULT LTabControl::UnsubscribeVirtual(const RCPtr<LNotificationDistributor>& source, const char16_t* idText) {
  if (mHandler) mHandler->RemoveHandler(source.Get(), idText);
  return LPanel::UnsubscribeVirtual(source, idText);
}

SVRESULT LTabControl::ReleaseInternalReferences() {
  mButtonHolder.Reset();
  mPageHolder.Reset();
  return LPanel::ReleaseInternalReferences();
}

}  // namespace SV
