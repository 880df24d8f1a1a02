#include <cmath>

#include "SVFramework/Application/FrameworkApp.h"
#include "SVFramework/Application/RootWindow.h"
#include "SVFramework/ControlBase/ConditionBits.h"
#include "SVFramework/ControlBase/ControlFactory.h"
#include "SVFramework/Controls/ComboMenu.h"
#include "SVFramework/Controls/MainMenu.h"
#include "SVFramework/Controls/PopupMenu.h"

// Submenus of LPopupMenu: opening after the pointer rested on a header, placing them
// inside the window, closing them and the whole chain, and drags across the chain.
namespace SV {

namespace {
constexpr double kCursorLimit = 4503599627370496.0;  // 2^52

const RCPtr<LControlDescriptor>* FindChildDescriptor(const LControlDescriptor& descriptor, const char16_t* name) {
  for (uint32_t index = 0; index < descriptor.Children.GetCount(); ++index)
    if (descriptor.Children[index] && descriptor.Children[index]->Name == String(name))
      return &descriptor.Children[index];
  return nullptr;
}

uint32_t TickCountMilliseconds() {
  LFrameworkApp* const application = GetFrameworkApp();
  return application ? application->GetTickCount() : 0;
}
}  // namespace

bool LPopupMenu::IsOpenSubmenuEntry(int32_t index) const {
  return mSubmenuEntry && index >= 0 && GetEntry(index).Get() == mSubmenuEntry.Get();
}

void LPopupMenu::OnSelectionChanged() {
  if (LPopupMenu* const parent = GetParentPopup()) parent->SelectOpenSubmenuItem();
  const int32_t current = GetCaretItem();
  const RCPtr<LMenuItemDescriptor> entry = GetEntry(current);
  if (!entry) return;
  const bool header = entry->Items.GetCount() > 0;
  if (header && IsOpenSubmenuEntry(current))
    CancelHoverTimer();
  else if (header && PointerInsideItem(current))
    StartHoverTimer();
  else if (!header && mSubmenu)
    StartHoverTimer();
}

// Whether the window's pointer lies on the item's row.
bool LPopupMenu::PointerInsideItem(int32_t index) {
  LRootWindow* const window = GetRootWindow();
  if (!window) return false;
  PointT<int32_t> point = window->GetCursorPosition();
  const PointT<double> origin = GetScreenPosition();
  const RectT<double> client = GetLookClientRect(-1);
  const RectT<double> row = GetItemRect(index);
  const double x = point.x - std::round(origin.x) - client.x;
  const double y = point.y - std::round(origin.y) - client.y;
  return x >= row.x && x < row.x + row.width && y >= row.y && y < row.y + row.height;
}

void LPopupMenu::StartHoverTimer() {
  mHoverStart = TickCountMilliseconds();
  if (mHoverTimerPending) return;
  mHoverTimerPending = true;
  AcquireIdle();
}

void LPopupMenu::CancelHoverTimer() {
  if (!mHoverTimerPending) return;
  mHoverTimerPending = false;
  ReleaseIdle();
}

void LPopupMenu::OnIdle() {
  if (!mHoverTimerPending || TickCountMilliseconds() - mHoverStart <= kSubmenuDelayMs) return;
  const RCPtr<LPopupMenu> self(this);
  CloseSubmenu();
  const RCPtr<LMenuItemDescriptor> entry = GetEntry(GetCaretItem());
  if (entry && entry->Items.GetCount() > 0) OpenSubmenu(GetCaretItem());
}

void LPopupMenu::SelectOpenSubmenuItem() {
  if (!mSubmenuEntry) return;
  for (int32_t index = 0; index < GetItemCount(); ++index) {
    if (!IsOpenSubmenuEntry(index)) continue;
    if (GetCaretItem() != index) SelectRange(index, index, true);
    break;
  }
  CancelHoverTimer();
}

SVRESULT LPopupMenu::OpenSubmenu(int32_t index) {
  const RCPtr<LMenuItemDescriptor> entry = GetEntry(index);
  if (!entry || entry->Items.GetCount() == 0) return E_INVALIDARG;
  CloseSubmenu();
  const RCPtr<LControlFactory>& factory = GetApplicationControlFactory();
  const RCPtr<LControlDescriptor>* descriptor = GetDescriptor() ? FindChildDescriptor(*GetDescriptor(), u"submenu") : nullptr;
  if (!factory || !descriptor) return E_FAIL;
  RCPtr<LControl> created;
  factory->CreateControl(created, (*descriptor)->Copy(String(u"")), RCPtr<LControl>(this));
  const RCPtr<LPopupMenu> submenu(dynamic_cast<LPopupMenu*>(created.Get()));
  if (!submenu) {
    if (created) created->Detach();
    return E_FAIL;
  }
  mSubmenu = submenu;
  mSubmenuEntry = entry;
  submenu->mTarget = mTarget;
  submenu->mTargetQueue = mTargetQueue;
  submenu->mHideOnActivation = mHideOnActivation;
  submenu->mUpdater = mUpdater;
  submenu->ShowEntryOf(*this, index);
  PlaceSubmenu(*submenu, index);
  submenu->SetVisible(true);
  return S_OK;
}

SVRESULT LPopupMenu::ShowEntryOf(const LPopupMenu& parent, int32_t index) {
  const RCPtr<LMenuItemDescriptor> entry = parent.GetEntry(index);
  if (!entry || entry->Items.GetCount() == 0) return E_INVALIDARG;
  mMenu = RCPtr<LMenuDescriptor>(entry.Get());
  AssignHotKeyTexts();
  return RebuildRows();
}

// Beside the header's row, to the left when the right side has no room, and moved up
// as far as needed to stay inside the window.
void LPopupMenu::PlaceSubmenu(LPopupMenu& submenu, int32_t index) {
  LRootWindow* const window = GetRootWindow();
  const RectT<double> row = GetItemRect(index);
  const PointT<double> self = GetScreenPosition();
  const PointT<int32_t> limits = window ? window->GetClientSize() : PointT<int32_t>{0, 0};
  const double width = submenu.GetRect().width, height = submenu.GetRect().height;
  double x = std::trunc(row.x + row.width);
  if (window && self.x + x + width > limits.x && self.x - width >= 0) x = -width;
  double y = std::trunc(row.y);
  if (window && self.y + y + height > limits.y) y = limits.y - self.y - height;
  if (self.y + y < 0) y = 0;
  if (!submenu.GetLayout()) return;
  const double values[2] = {x, y};
  for (int32_t axis = 0; axis < 2; ++axis) {
    LPlacementSpec placement;
    LSizeSpec size;
    submenu.GetLayout()->GetPlacement(axis, placement, size);
    placement.rel = 0;
    placement.abs = values[axis];
    submenu.SetPlacement(axis, placement, size);
  }
}

SVRESULT LPopupMenu::CloseSubmenu() {
  CancelHoverTimer();
  if (mSubmenu) {
    const RCPtr<LPopupMenu> submenu = std::move(mSubmenu);
    mSubmenu = nullptr;
    mClosingSubmenu = true;
    submenu->CloseSubmenu();
    submenu->SetVisible(false);
    DestroyChildLater(RCPtr<LControl>(submenu.Get()));
  }
  mSubmenuEntry = nullptr;
  return S_OK;
}

SVRESULT LPopupMenu::CloseMenuChain() {
  const RCPtr<LPopupMenu> self(this);
  mClosing = true;
  if (LPopupMenu* const parent = GetParentPopup()) {
    parent->CloseMenuChain();
    return S_OK;
  }
  CancelHoverTimer();
  CloseSubmenu();
  LControl* const parent = GetParent();
  return parent ? parent->DestroyChildLater(RCPtr<LControl>(this)) : S_FALSE;
}

bool LPopupMenu::IsInMenuChain(const LPopupMenu* popup) const {
  for (const LPopupMenu* below = mSubmenu.Get(); below; below = below->mSubmenu.Get())
    if (below == popup) return true;
  for (const LPopupMenu* above = GetParentPopup(); above; above = above->GetParentPopup())
    if (above == popup) return true;
  return false;
}

SVRESULT LPopupMenu::OnMouseMoved(const RCPtr<LPointWithModifiersParam>& param) {
  const RCPtr<LPopupMenu> self(this);
  const SVRESULT result = LCheckedListBox::OnMouseMoved(param);
  if (param && HasCapture() && (GetConditions() & Condition::kLeftDrag) != 0) PassDragOutside(*param);
  return result;
}

// A drag that leaves this popup for a menu title (which opens its menu and passes the
// drag on into it) or for another popup of its chain continues there.
void LPopupMenu::PassDragOutside(const LPointWithModifiersParam&) {
  LRootWindow* const window = GetRootWindow();
  if (!window) return;
  PointT<int32_t> cursor = window->GetCursorPosition();
  const PointT<double> origin = GetScreenPosition();
  const double x = std::clamp(cursor.x - origin.x, -kCursorLimit, kCursorLimit);
  const double y = std::clamp(cursor.y - origin.y, -kCursorLimit, kCursorLimit);
  if (x >= 0 && y >= 0 && x < GetRect().width && y < GetRect().height) return;
  PointT<int32_t> relative{0, 0};
  const RCPtr<LControl> under = window->ControlAtPoint(cursor, relative, false);
  LControl* target = dynamic_cast<LComboMenu*>(under.Get());
  if (!target) {
    LControl* candidate = under.Get();
    while (candidate && !dynamic_cast<LPopupMenu*>(candidate)) candidate = candidate->GetParent();
    auto* popup = dynamic_cast<LPopupMenu*>(candidate);
    if (!popup || popup == this || !IsInMenuChain(popup)) return;
    target = popup;
  }
  const RCPtr<LControl> keep(target);
  PointT<int32_t> local = cursor;
  const PointT<double> place = target->GetScreenPosition();
  local.x -= static_cast<int32_t>(std::round(place.x));
  local.y -= static_cast<int32_t>(std::round(place.y));
  static_cast<UITarget*>(target)->OnDragStart(1, local.x, local.y);
}

// A command chosen in a menu bar's popup runs with the focus where it was before the
// bar took it.
void LPopupMenu::GiveFocusBackFromMenuBar() {
  for (LControl* ancestor = GetParent(); ancestor; ancestor = ancestor->GetParent()) {
    auto* bar = dynamic_cast<LMainMenu*>(ancestor);
    if (!bar) continue;
    LControl* const remembered = bar->GetRememberedFocus();
    if (remembered && remembered->GetRootWindow()) remembered->SetFocus(true);
    return;
  }
}

}  // namespace SV
