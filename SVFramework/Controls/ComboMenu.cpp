#include "SVFramework/Controls/ComboMenu.h"

#include <algorithm>
#include <cmath>

#include "SVFramework/Application/RootWindow.h"
#include "SVFramework/ControlBase/ConditionBits.h"
#include "SVFramework/Controls/PopupMenu.h"

namespace SV {

LComboMenu::LComboMenu(const RCPtr<LControl>& parent, const String& name) : LDropDownControl(parent, name) {}

LComboMenu::~LComboMenu() { mComboMenuHandlers = nullptr; }

int32_t LComboMenu::Receive(const RCPtr<LNotificationDistributor>& source, const RCPtr<LNotification>& notification) {
  if (!IsCreated()) return 1;
  if (mComboMenuHandlers) {
    const int32_t handled = mComboMenuHandlers->Dispatch(source, notification);
    if (handled != 0) return handled;
  }
  return LDropDownControl::Receive(source, notification);
}

SVRESULT LComboMenu::UnsubscribeVirtual(const RCPtr<LNotificationDistributor>& source, const char16_t* idText) {
  if (mComboMenuHandlers) mComboMenuHandlers->RemoveHandler(source.Get(), idText);
  return LDropDownControl::UnsubscribeVirtual(source, idText);
}

// --- Creation ---

SVRESULT LComboMenu::Initialize() {
  if (LDropDownControl::Initialize() < 0) return E_FAIL;
  if (!mComboMenuHandlers) mComboMenuHandlers = ComboMenuHandlers::Create(this);
  if (const RCPtr<LPopupMenu> popup = GetPopupMenu()) {
    const RCPtr<LNotificationDistributor> source(popup.Get());
    mComboMenuHandlers->AddHandler(&LComboMenu::OnPopupVisibilityChange, source, u"NID_VISIBLITY_CONDITION_CHANGE");
    mComboMenuHandlers->AddHandler(&LComboMenu::OnPopupItemActivated, source, u"NID_ITEM_ACTIVATED");
    // A menu-bar popup is hidden by its title and its list, never destroyed.
    popup->SetHideOnActivation(false);
  }
  return S_OK;
}

void LComboMenu::OnDescriptorApplied() {
  LDropDownControl::OnDescriptorApplied();
  const RCPtr<LPopupMenu> popup = GetPopupMenu();
  if (!popup || !popup->GetLayout()) return;
  LPlacementSpec placement;
  LSizeSpec size;
  popup->GetLayout()->GetPlacement(LLayoutDescriptor::kAxisX, placement, size);
  mPopupXOffset = placement.abs;
}

// --- Parts ---

RCPtr<LPopupMenu> LComboMenu::GetPopupMenu() const {
  return RCPtr<LPopupMenu>(dynamic_cast<LPopupMenu*>(FindChild(String(kPopupName)).Get()));
}

RCPtr<LMenuDescriptor> LComboMenu::GetPopupMenuDescriptor() const {
  const RCPtr<LPopupMenu> popup = GetPopupMenu();
  return popup ? popup->GetMenuDescriptor() : nullptr;
}

bool LComboMenu::IsDropDownOpen() {
  const RCPtr<LPopupMenu> popup = GetPopupMenu();
  return popup && popup->IsShown();
}

RCPtr<LComboMenu> LComboMenu::FindOpenSiblingMenu() const {
  const LControl* const parent = GetParent();
  if (!parent) return nullptr;
  for (uint32_t position = parent->GetChildCount(); position-- > 0;) {
    auto* const title = dynamic_cast<LComboMenu*>(parent->GetChildren()[position].Get());
    if (title && title->IsDropDownOpen()) return RCPtr<LComboMenu>(title);
  }
  return nullptr;
}

// --- Opening and closing ---

SVRESULT LComboMenu::ShowDropDown(bool open) {
  const RCPtr<LPopupMenu> popup = GetPopupMenu();
  if (!popup) return S_FALSE;
  const RCPtr<LComboMenu> self(this);
  if (open) PlacePopupInsideWindow(*popup);
  popup->SetVisible(open);
  if (!open) {
    ShowClosedLook();
    return S_OK;
  }
  popup->SetFocus(true);
  ShowLook(kLookOpen);
  // The press that opened the menu carries on in it: a release over an entry chooses.
  if ((GetConditions() & kLeftDownCondition) != 0 && popup->IsShown())
    static_cast<UITarget*>(popup.Get())
        ->OnDragStart(1, static_cast<int32_t>(std::lround(mPressPoint.x)), static_cast<int32_t>(std::lround(mPressPoint.y)));
  return S_OK;
}

// At the skin's offset below the title, moved left so that the menu's right edge stays
// inside the top-level control while the menu fits; a wider menu starts at its left.
void LComboMenu::PlacePopupInsideWindow(LPopupMenu& popup) {
  const RCPtr<LControl> top = GetTopLevelControl();
  if (!top || !popup.GetLayout()) return;
  PointT<int32_t> point{static_cast<int32_t>(mPopupXOffset), 0};
  top->MapPointFromControl(this, point);
  const double width = popup.GetRect().width;
  const double topWidth = top->GetRect().width;
  if (point.x + width > topWidth) point.x = static_cast<int32_t>(std::max(topWidth - width, 0.0));
  MapPointFromControl(top.Get(), point);
  LPlacementSpec placement;
  LSizeSpec size;
  popup.GetLayout()->GetPlacement(LLayoutDescriptor::kAxisX, placement, size);
  if (placement.abs == point.x) return;
  placement.abs = point.x;
  popup.SetPlacement(LLayoutDescriptor::kAxisX, placement, size);
}

// --- State ---

void LComboMenu::OnConditionsChanged(const RCPtr<LConditionsParam>& param) {
  if (!param) return;
  const RCPtr<LComboMenu> self(this);
  if ((param->current & Condition::kEnabled) != 0) {
    ShowStateLook();
    const bool hoverBegan = ((param->previous ^ param->current) & Condition::kHover) != 0 && IsHovered();
    if (hoverBegan) MoveOpenMenuHere();
  } else {
    ShowLook(kLookDisabled);
  }
  if ((param->current & kLeftDownCondition) != 0 && (param->previous & kLeftDownCondition) == 0)
    RememberPressPoint();
  LDropDownControl::OnConditionsChanged(param);
}

// A neighbouring title's open menu closes and this title's opens, as in a desktop
// menu bar.
void LComboMenu::MoveOpenMenuHere() {
  const RCPtr<LComboMenu> open = FindOpenSiblingMenu();
  if (!open || open.Get() == this) return;
  if (const RCPtr<LPopupMenu> popup = open->GetPopupMenu()) popup->SetVisible(false);
  open->ShowClosedLook();
  ShowDropDown(true);
}

// The pointer relative to the popup, taken from the window's cursor.
void LComboMenu::RememberPressPoint() {
  LRootWindow* const window = GetRootWindow();
  const RCPtr<LPopupMenu> popup = GetPopupMenu();
  if (!window || !popup) return;
  const PointT<int32_t> cursor = window->GetCursorPosition();
  const PointT<double> origin = GetScreenPosition();
  mPressPoint = {cursor.x - std::round(origin.x) - popup->GetRect().x,
                 cursor.y - std::round(origin.y) - popup->GetRect().y};
}

void LComboMenu::ShowLook(int32_t look) {
  // A look the skin lacks shows the first one.
  SetExclusiveLook(look < static_cast<int32_t>(GetLookCount()) ? look : kLookNormal);
}

void LComboMenu::ShowStateLook() {
  if (IsDropDownOpen())
    ShowLook(kLookOpen);
  else
    ShowClosedLook();
}

void LComboMenu::ShowClosedLook() { ShowLook(IsHovered() ? kLookHovered : kLookNormal); }

// --- Popup notifications ---

int32_t LComboMenu::OnPopupVisibilityChange(const RCPtr<LNotificationDistributor>&, const RCPtr<LNotification>&) {
  ShowStateLook();
  return 1;
}

int32_t LComboMenu::OnPopupItemActivated(const RCPtr<LNotificationDistributor>&, const RCPtr<LNotification>&) {
  const RCPtr<LComboMenu> self(this);
  if (const RCPtr<LPopupMenu> popup = GetPopupMenu()) popup->SetVisible(false);
  ShowClosedLook();
  return 1;
}

}  // namespace SV
