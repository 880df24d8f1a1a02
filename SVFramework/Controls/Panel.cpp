#include "SVFramework/Controls/Panel.h"

#include <stdexcept>

#include "SVFramework/Application/FrameworkApp.h"
#include "SVFramework/ControlBase/KeyParam.h"
#include "SVFramework/System/GlobalHotKeyManager.h"
#include "SVFramework/System/Keys/KeyCode.h"
#include "SVFramework/notification/Notification.h"
#include "SVFramework/notification/NotificationNames.h"

namespace SV {
namespace {

LControl* LastOfRoute(const LKeyParam& key) {
  const uint32_t count = key.route.GetCount();
  return count > 0 ? key.route[count - 1].Get() : nullptr;
}

}  // namespace

LPanel::LPanel(const RCPtr<LControl>& parent, const String& name) : LScrollView(parent, name) {}

LPanel::~LPanel() { mPanelHandlers.Reset(); }

int32_t LPanel::Receive(const RCPtr<LNotificationDistributor>& source, const RCPtr<LNotification>& notification) {
  if (!IsCreated()) return 1;
  if (mPanelHandlers) {
    const int32_t handled = mPanelHandlers->Dispatch(source, notification);
    if (handled != 0) return handled;
  }
  return LScrollView::Receive(source, notification);
}

SVRESULT LPanel::Initialize() {
  const SVRESULT result = LScrollView::Initialize();
  if (result < 0 || !GetParent()) return result;
  const SVRESULT bound = BindSiblingKey();
  SV_RAISE_ON_FAILURE(bound, "SV::LPanel::Initialize");
  return S_OK;
}

SVRESULT LPanel::BindSiblingKey() {
  try {
    mPanelHandlers = Handlers::Create(this);
    return mPanelHandlers->AddHandler(&LPanel::OnSiblingKeyNotification, RCPtr<LNotificationDistributor>(GetParent()),
                                      NotificationName::kSiblingKey, 0);
  } catch (const std::runtime_error&) {
    return E_FAIL;
  }
}

int32_t LPanel::OnSiblingKeyNotification(const RCPtr<LNotificationDistributor>&,
                                         const RCPtr<LNotification>& notification) {
  auto* offer = notification ? dynamic_cast<LSiblingKeyParam*>(notification->GetPayload().Get()) : nullptr;
  if (!offer) return 1;
  offer->result = OnSiblingKey(MakeKeyParam(offer->key, 1));
  return 1;
}

SVRESULT LPanel::RouteUnhandledKey(const RCPtr<LKeyParam>& key) {
  if (!key) return E_INVALIDARG;
  if (OnSiblingKey(key) != S_FALSE) return S_OK;
  if (LControl* parent = GetParent()) {
    const RCPtr<LControl> keep(parent);
    key->route.Append(RCPtr<LControl>(this));
    return parent->RouteUnhandledKey(key);
  }
  if (LFrameworkApp* application = GetFrameworkApp())
    if (LGlobalHotKeyManager* hotKeys = application->GetGlobalHotKeyManager()) hotKeys->ProcessKey(key->key);
  return S_OK;
}

RCPtr<LControl> LPanel::GetNextFocusableChild(LControl* child, bool backwards) {
  RCPtr<LControl> next = LScrollView::GetNextFocusableChild(child, backwards);
  if (!next || !GetParent() || !child) return next;
  const int32_t from = IndexOfChild(child, ChildOrder::TabOrder);
  const int32_t to = IndexOfChild(next.Get(), ChildOrder::TabOrder);
  const bool wrapped = backwards ? to >= from : to <= from;
  return wrapped ? RCPtr<LControl>() : next;
}

SVRESULT LPanel::MoveFocusByTab(const RCPtr<LKeyParam>& key) {
  if (!key) return E_INVALIDARG;
  const RCPtr<LControl> self(this);
  const bool backwards = (key->key.code & KeyCode::kShift) != 0;
  if ((key->key.code & KeyCode::kCtrl) == 0) {
    RCPtr<LControl> from(LastOfRoute(*key));
    RCPtr<LControl> candidate = GetNextFocusableChild(from.Get(), backwards);
    // Each step visits another child, so a round ends even when the children change.
    for (uint32_t steps = 0; candidate && candidate != from && steps <= GetChildCount(); ++steps) {
      if (candidate->IsFocusable() || candidate->ContainsFocusableChild()) return candidate->SetFocus(!backwards);
      if (!from || !(from->IsVisible(true) && from->IsEnabled(true))) from = candidate;
      candidate = GetNextFocusableChild(candidate.Get(), backwards);
    }
  }
  key->route.Append(self);
  if (LControl* parent = GetParent()) return RCPtr<LControl>(parent)->MoveFocusByTab(key);
  // Ctrl+Tab out of the top-level panel leaves the window, as from any top control.
  if (LRootWindow* rootWindow = GetRootWindow()) RCPtr<LRootWindow>(rootWindow)->TabToNextWindow(key);
  return S_OK;
}

}  // namespace SV
