#include "SVFramework/Controls/PopupMenu.h"

#include <algorithm>
#include <cmath>

#include "SVFramework/Application/FrameworkApp.h"
#include "SVFramework/Application/RootWindow.h"
#include "SVFramework/ControlBase/ConditionBits.h"
#include "SVFramework/ControlBase/Look.h"
#include "SVFramework/ControlBase/StringTable.h"
#include "SVFramework/Controls/MenuActivationParam.h"
#include "SVFramework/Renderer/MeasurementRenderer.h"
#include "SVFramework/System/GlobalHotKeyManager.h"
#include "SVFramework/System/Keys/KeyCode.h"
#include "SVFramework/notification/Notification.h"

namespace SV {

namespace {
constexpr uint32_t kFocusConditions = 0x1 | 0x2;
constexpr uint32_t kKeyLeft = 0x20250000;
constexpr uint32_t kKeyRight = 0x20270000;
constexpr uint32_t kKeyEscape = 0x201B0000;
// Room a row needs beyond its check box and key label, between label and key text.
constexpr int32_t kLabelGap = 20;

// The first key bound to `command` in the map of `manager`; none when it has none.
bool FindKey(LGlobalHotKeyManager* manager, const String& command, KeyCode& key) {
  if (!manager || !manager->GetMap().HasCommand(command)) return false;
  key = manager->GetMap().GetFirstKey(command);
  return true;
}
}  // namespace

LPopupMenu::LPopupMenu(const RCPtr<LControl>& parent, const String& name) : LCheckedListBox(parent, name) {}

LPopupMenu::~LPopupMenu() { mPopupHandlers = nullptr; }

SVRESULT LPopupMenu::ReleaseInternalReferences() {
  mSubmenu = nullptr;
  mSubmenuEntry = nullptr;
  mTarget = nullptr;
  mTargetQueue = nullptr;
  mUpdater = nullptr;
  mMenu = nullptr;
  return LCheckedListBox::ReleaseInternalReferences();
}

int32_t LPopupMenu::Receive(const RCPtr<LNotificationDistributor>& source, const RCPtr<LNotification>& notification) {
  if (!IsCreated()) return 1;
  if (mPopupHandlers) {
    const int32_t handled = mPopupHandlers->Dispatch(source, notification);
    if (handled != 0) return handled;
  }
  return LCheckedListBox::Receive(source, notification);
}

SVRESULT LPopupMenu::UnsubscribeVirtual(const RCPtr<LNotificationDistributor>& source, const char16_t* idText) {
  if (mPopupHandlers) mPopupHandlers->RemoveHandler(source.Get(), idText);
  return LCheckedListBox::UnsubscribeVirtual(source, idText);
}

// --- Creation ---

SVRESULT LPopupMenu::Initialize() {
  if (LCheckedListBox::Initialize() < 0) return E_FAIL;
  if (!mPopupHandlers) mPopupHandlers = PopupHandlers::Create(this);
  ApplyDefaultMinMax();
  // A popup under a menu bar, which never takes the focus itself, still takes it.
  SetFocusBoundary(true);
  SetDropDownMode(true);
  SetCheckBoxesDisplayOnly(true);
  return BuildMenuFromStringTable();
}

void LPopupMenu::OnDescriptorApplied() {
  LCheckedListBox::OnDescriptorApplied();
  SetClipToParent(false);
  SetVisible(false);
  ApplyDefaultMinMax();
}

SVRESULT LPopupMenu::ApplyDescriptor(const RCPtr<LControlDescriptor>& descriptor) {
  const SVRESULT result = LCheckedListBox::ApplyDescriptor(descriptor);
  if (result >= 0 && mMenu) {
    ClearSelection();
    mExtraWidth = -1;
    RebuildRows();
  }
  return result;
}

// The skin's limits stand where they are set; an unset minimum keeps the skin's width
// and one row's height, so that an empty menu still shows.
void LPopupMenu::ApplyDefaultMinMax() {
  const RCPtr<LLayoutDescriptor>& layout = GetLayout();
  if (layout) {
    for (int32_t axis = LLayoutDescriptor::kAxisX; axis <= LLayoutDescriptor::kAxisY; ++axis) {
      LSizeLimitSpec minimum, maximum;
      layout->GetMinMax(axis, minimum, maximum);
      if (minimum.abs != 0 && maximum.abs != 0) continue;
      if (minimum.abs == 0 && !minimum.namesControl) {
        minimum.rel = 0;
        minimum.abs = axis == LLayoutDescriptor::kAxisX ? std::trunc(GetRect().width) : GetRowHeight();
      }
      SetMinMax(axis, minimum, maximum);
    }
  }
  mExtraWidth = -1;
}

SVRESULT LPopupMenu::BuildMenuFromStringTable() {
  const RCPtr<LStringTable>& table = GetStringTable();
  if (!table) return 1;
  Array<StringPair> entries;
  table->GetEntriesWithPrefix(u"", entries);
  if (entries.GetCount() == 0) return 1;
  std::sort(&entries[0], &entries[0] + entries.GetCount(),
            [](const StringPair& a, const StringPair& b) { return a.first.View() < b.first.View(); });
  return SetMenuDescriptor(LMenuDescriptor::BuildFromStrings(entries));
}

// --- Menu and rows ---

RCPtr<LMenuItemDescriptor> LPopupMenu::GetEntry(int32_t index) const {
  if (!mMenu || index < 0 || static_cast<uint32_t>(index) >= mMenu->Items.GetCount()) return nullptr;
  return mMenu->Items[static_cast<uint32_t>(index)];
}

SVRESULT LPopupMenu::SetMenuDescriptor(const RCPtr<LMenuDescriptor>& menu) {
  if (!menu) return E_INVALIDARG;
  CloseSubmenu();
  mMenu = menu->Clone();
  AssignHotKeyTexts();
  return RebuildRows();
}

SVRESULT LPopupMenu::SetTarget(const RCPtr<LNotificationQueue>& queue) {
  if (!queue) return E_INVALIDARG;
  if (mTarget) return E_FAIL;
  const RCPtr<LNotificationQueue::LPostingReceiver> receiver = queue->GetPostingReceiver();
  if (!receiver) return E_INVALIDARG;
  mTarget = RCPtr<LNotificationReceiver>(receiver.Get());
  mTargetQueue = queue;
  if (mMenu) {
    AssignHotKeyTexts();
    RebuildRows();
  }
  return S_OK;
}

RCPtr<LNotificationReceiver> LPopupMenu::GetTarget() const {
  if (mTarget) return mTarget;
  for (LControl* ancestor = GetParent(); ancestor; ancestor = ancestor->GetParent())
    if (!dynamic_cast<LPopupMenu*>(ancestor)) return RCPtr<LNotificationReceiver>(ancestor);
  return nullptr;
}

LPopupMenu* LPopupMenu::GetParentPopup() const { return dynamic_cast<LPopupMenu*>(GetParent()); }

RCPtr<LMenuListBoxItem> LPopupMenu::GetRowControl(uint32_t rowIndex) const {
  return RCPtr<LMenuListBoxItem>(dynamic_cast<LMenuListBoxItem*>(GetRow(rowIndex).Get()));
}

SVRESULT LPopupMenu::AddRow() {
  const SVRESULT result = LCheckedListBox::AddRow();
  if (result < 0 || GetRowCount() == 0) return result;
  // The list makes its first rows while it initializes, before the popup's own step.
  if (!mPopupHandlers) mPopupHandlers = PopupHandlers::Create(this);
  const RCPtr<LNotificationDistributor> row(GetRow(GetRowCount() - 1).Get());
  mPopupHandlers->AddHandler(&LPopupMenu::OnRowHoverChange, row, u"NID_HOVER_CONDITION_CHANGE");
  return result;
}

// Shows the entry's description as status text while the pointer is over its row.
int32_t LPopupMenu::OnRowHoverChange(const RCPtr<LNotificationDistributor>& source,
                                     const RCPtr<LNotification>& notification) {
  const auto* row = dynamic_cast<const LMenuListBoxItem*>(source.Get());
  const auto* conditions = notification ? dynamic_cast<const LConditionsParam*>(notification->GetPayload().Get()) : nullptr;
  LFrameworkApp* const application = GetFrameworkApp();
  if (!row || !conditions || !application) return 0;
  const bool before = (conditions->previous & Condition::kHoverOrChildHover) != 0;
  const bool now = (conditions->current & Condition::kHoverOrChildHover) != 0;
  if (now && !before) {
    const RCPtr<LMenuItemDescriptor> entry = GetEntry(GetItemIndexOfRow(row));
    if (entry && !entry->Description.IsEmpty()) application->SetStatusText(entry->Description, false);
  } else if (before && !now) {
    application->ResetStatusText(false);
  }
  return 0;  // the list's own hover handling runs as well
}

void LPopupMenu::MeasureExtraWidth(LMenuListBoxItem& row) {
  const RCPtr<LControl> box = row.GetCheckBox();
  const RCPtr<LControl> label = row.GetHotKeyLabel();
  const double boxRight = box ? box->GetRect().x + box->GetRect().width : 0.0;
  const double labelRight = label ? label->GetRect().x + label->GetRect().width : row.GetRect().width;
  mExtraWidth = static_cast<int32_t>(std::trunc(boxRight)) +
                static_cast<int32_t>(std::trunc(row.GetRect().width - labelRight)) + kLabelGap;
}

void LPopupMenu::MeasureSeparatorHeight(LMenuListBoxItem& row) {
  const bool wasSeparator = row.IsSeparator();
  const String text = row.GetText();
  row.SetSeparator(true);
  row.RecomputePlacement();
  mSeparatorHeight = static_cast<int32_t>(std::trunc(row.GetRect().height));
  row.SetSeparator(wasSeparator);
  if (!wasSeparator) row.SetText(text);
  row.RecomputePlacement();
}

SVRESULT LPopupMenu::RebuildRows() {
  if (!mMenu) return S_OK;
  const int32_t count = static_cast<int32_t>(mMenu->Items.GetCount());
  SetItemCount(count);
  if (GetRowCount() == 0) return 1;
  const RCPtr<LMenuListBoxItem> last = GetRowControl(GetRowCount() - 1);
  if (last) {
    if (mExtraWidth < 0) MeasureExtraWidth(*last);
    MeasureSeparatorHeight(*last);
  }
  mSeparatorCount = 0;
  int32_t widest = 0;
  for (int32_t index = 0; index < count; ++index) {
    const RCPtr<LMenuItemDescriptor> entry = GetEntry(index);
    if (!entry) continue;
    SetItem(index, RCPtr<LRefCountedObject>(entry.Get()), 0, entry->Items.GetCount() > 0, entry->Separator);
    SetItemChecked(index, entry->Checked);
    if (entry->Separator) ++mSeparatorCount;
    widest = std::max(widest, MeasureItemWidth(index));
  }
  if (GetLayout()) {
    LPlacementSpec placement;
    LSizeSpec size;
    GetLayout()->GetPlacement(LLayoutDescriptor::kAxisX, placement, size);
    size.reference = SizeReference::Self;
    size.name = String(u"");
    size.rel = 0;
    size.abs = std::round(GetRect().width - GetLookClientRect(-1).width + GetScrollBarSizes().x + widest);
    SetPlacement(LLayoutDescriptor::kAxisX, placement, size);
  }
  SetHeightToContent(GetContentHeight());
  RebindRowsFrom(0);
  return S_OK;
}

int32_t LPopupMenu::MeasureItemWidth(int32_t index) {
  const RCPtr<LMenuItemDescriptor> entry = GetEntry(index);
  LFrameworkApp* const application = GetFrameworkApp();
  const RCPtr<LMeasurementRenderer> renderer = application ? application->GetRenderer() : nullptr;
  if (!entry || !renderer || GetRowCount() == 0) return 0;
  const RCPtr<LMenuListBoxItem> row = GetRowControl(GetRowCount() - 1);
  if (!row) return 0;
  const double label = renderer->MeasureText(entry->Label, *row->GetFont()).width;
  const RCPtr<LControl> keyLabel = row->GetHotKeyLabel();
  const double key = keyLabel ? renderer->MeasureText(entry->HotKeyText, *keyLabel->GetFont()).width : 0.0;
  return static_cast<int32_t>(std::round(label + key)) + std::max(mExtraWidth, 0);
}

int32_t LPopupMenu::GetContentHeight() {
  return mSeparatorCount * mSeparatorHeight + (GetItemCount() - mSeparatorCount) * GetRowHeight();
}

bool LPopupMenu::IsItemSelectable(int32_t index) {
  const RCPtr<LMenuItemDescriptor> entry = GetEntry(index);
  return entry && entry->Enabled && !entry->Separator;
}

SVRESULT LPopupMenu::UpdateRow(int32_t index, int32_t& rowIndex) {
  const SVRESULT result = LCheckedListBox::UpdateRow(index, rowIndex);
  if (result < 0 || rowIndex < 0) return result;
  const RCPtr<LMenuListBoxItem> row = GetRowControl(static_cast<uint32_t>(rowIndex));
  if (!row) return result;
  if (const RCPtr<LMenuItemDescriptor> entry = GetEntry(index)) {
    row->SetHotKeyText(entry->HotKeyText);
    row->SetSeparator(entry->Separator);
    row->SetEnabled(entry->Enabled);
    row->SetCheckBoxLook(!entry->Checked      ? LMenuListBoxItem::kUncheckedLook
                         : row->IsHovered()   ? LMenuListBoxItem::kCheckedHoverLook
                                              : LMenuListBoxItem::kCheckedLook,
                         true);
  } else {
    row->SetHotKeyText(String(u""));
    row->SetEnabled(false);
    row->SetLook(0, true);
    row->SetCheckBoxLook(LMenuListBoxItem::kUncheckedLook, true);
  }
  if (const RCPtr<LLook> look = row->GetLook(-1)) row->SetHotKeyLabelColorizer(look->GetForegroundPart());
  return result;
}

// --- Hot keys and item states ---

SVRESULT LPopupMenu::AssignHotKeyTexts() {
  if (!mMenu || !GetTarget()) return E_FAIL;
  LControl* keyControl = nullptr;
  LRootWindow* window = nullptr;
  if (!mTarget) {
    keyControl = dynamic_cast<LControl*>(GetTarget().Get());
    window = keyControl ? keyControl->GetRootWindow() : nullptr;
  } else if (GetRootWindow() && mTargetQueue.Get() == static_cast<LNotificationQueue*>(GetRootWindow())) {
    window = GetRootWindow();
  } else {
    return S_OK;
  }
  LFrameworkApp* const application = GetFrameworkApp();
  LGlobalHotKeyManager* const global = application ? application->GetGlobalHotKeyManager() : nullptr;
  LGlobalHotKeyManager* const windowKeys = window ? window->GetHotKeyManager() : nullptr;
  const auto assign = [&](auto& self, LMenuDescriptor& menu) -> void {
    for (uint32_t index = 0; index < menu.Items.GetCount(); ++index) {
      LMenuItemDescriptor* const entry = menu.Items[index].Get();
      if (!entry) continue;
      if (entry->Items.GetCount() > 0) self(self, *entry);
      if (!entry->HotKeyText.IsEmpty() || entry->CommandID.IsEmpty()) continue;
      KeyCode key;
      bool found = false;
      if (keyControl && keyControl->HasLocalHotKey(entry->CommandID)) {
        key = keyControl->GetFirstHotKey(entry->CommandID);
        found = true;
      }
      found = found || FindKey(windowKeys, entry->CommandID, key) || FindKey(global, entry->CommandID, key);
      if (found) entry->HotKeyText = KeyCode::GetDisplayText(key);
    }
  };
  assign(assign, *mMenu);
  return S_OK;
}

void LPopupMenu::RefreshItemStates() {
  if (!mUpdater) {
    LControl* const target = dynamic_cast<LControl*>(GetTarget().Get());
    if (target) mUpdater = target->GetMenuItemUpdater();
  }
  if (!mUpdater || !mMenu) return;
  ClearSelection();
  LControl* const owner = mUpdater->GetOwner();
  for (int32_t index = static_cast<int32_t>(mMenu->Items.GetCount()) - 1; index >= 0; --index) {
    const RCPtr<LMenuItemDescriptor> entry = GetEntry(index);
    if (!entry || entry->Separator || entry->Items.GetCount() > 0) continue;
    LMenuItemState state;
    mMenu->GetItemState(static_cast<uint32_t>(index), state);
    if (owner) owner->UpdateMenuItemState(mMenu, static_cast<uint32_t>(index), entry->CommandID, state);
    ApplyItemState(index, state);
  }
}

SVRESULT LPopupMenu::ApplyItemState(int32_t index, const LMenuItemState& state) {
  const RCPtr<LMenuItemDescriptor> entry = GetEntry(index);
  if (!entry) return E_INVALIDARG;
  LMenuItemState current;
  mMenu->GetItemState(static_cast<uint32_t>(index), current);
  if (state == current) return 1;
  if (!entry->Separator) entry->Enabled = state.Enabled;
  if (!entry->Separator && entry->Items.GetCount() == 0) {
    entry->Checked = state.Checked;
    SetItemChecked(index, state.Checked);
  }
  if (!(state.Label == entry->Label)) {
    entry->Label = state.Label;
    RebuildRows();
  }
  UpdateRow(index);
  return S_OK;
}

// --- Choosing ---

void LPopupMenu::OnItemActivating(int32_t index) {
  const RCPtr<LMenuItemDescriptor> entry = GetEntry(GetCaretItem() >= 0 ? GetCaretItem() : index);
  if (!entry) return;
  if (entry->Items.GetCount() > 0) {
    if (!IsOpenSubmenuEntry(GetCaretItem()) && OpenSubmenu(GetCaretItem()) >= 0 && mSubmenu)
      mSubmenu->SelectRange(0, -1, true);
    return;
  }
  SendItemCommand(GetCaretItem() >= 0 ? GetCaretItem() : index);
}

bool LPopupMenu::ItemActivationEndsList(int32_t index) {
  const RCPtr<LMenuItemDescriptor> entry = GetEntry(GetCaretItem() >= 0 ? GetCaretItem() : index);
  return !entry || entry->Items.GetCount() == 0;
}

void LPopupMenu::SendItemCommand(int32_t index) {
  const RCPtr<LPopupMenu> self(this);
  const RCPtr<LMenuItemDescriptor> entry = GetEntry(index);
  if (!entry) return;
  GiveFocusBackFromMenuBar();
  if (mHideOnActivation && !mClosing) SetVisible(false);
  if (const RCPtr<LNotificationReceiver> target = GetTarget()) {
    Distribute(LNotification::Obtain(u"NID_ITEM_ACTIVATED", nullptr));
    const RCPtr<LMenuActivationParam> payload(new LMenuActivationParam(mMenu, index));
    target->Receive(nullptr, LNotification::Obtain(entry->CommandID.GetString(), RCPtr<LRefCountedObject>(payload.Get())));
  }
  if (mHideOnActivation && !mClosing) CloseMenuChain();
}

// --- Keys, focus and visibility ---

SVRESULT LPopupMenu::HandleKey(const RCPtr<LKeyParam>& key) {
  if (!key) return S_FALSE;
  switch (key->key.code) {
    case kKeyLeft:
      if (LPopupMenu* const parent = GetParentPopup()) parent->CloseSubmenu();
      return S_OK;
    case kKeyRight:
      if (const RCPtr<LMenuItemDescriptor> entry = GetEntry(GetCaretItem()); entry && entry->Items.GetCount() > 0) {
        if (OpenSubmenu(GetCaretItem()) >= 0 && mSubmenu) mSubmenu->SelectRange(0, -1, true);
      }
      return S_OK;
    case kKeyEscape:
      if (mHideOnActivation && !mClosing) CloseMenuChain();
      return S_OK;
    default:
      return LCheckedListBox::HandleKey(key);
  }
}

// Replaces the list's reaction: a popup's look follows neither its focus nor its
// enabled state.
void LPopupMenu::OnConditionsChanged(const RCPtr<LConditionsParam>& param) {
  if (!param) return;
  const uint32_t changed = param->previous ^ param->current;
  const RCPtr<LPopupMenu> self(this);
  if ((changed & kFocusConditions) != 0 && !GetParentPopup()) {
    const bool focused = (param->current & kFocusConditions) != 0;
    if (!focused && IsShown() && mHideOnActivation && !mClosing) CloseMenuChain();
  }
  if ((changed & Condition::kVisible) != 0) {
    if ((param->current & Condition::kVisible) != 0)
      RefreshItemStates();
    else if (!GetParentPopup())
      CloseSubmenu();
  }
}

// Asking a focused popup for the focus again closes its chain. Only the popup's own
// focus counts: the control base also asks a parent for the focus when a focused
// child is disabled, which must not close the menu.
SVRESULT LPopupMenu::SetFocus(bool first) {
  if (HasFocus() && !mClosingSubmenu && mHideOnActivation && !mClosing) CloseMenuChain();
  mClosingSubmenu = false;
  return LCheckedListBox::SetFocus(first);
}

SVRESULT LPopupMenu::ShowAtCursor() {
  LControl* const parent = GetParent();
  LRootWindow* const window = parent ? parent->GetRootWindow() : nullptr;
  if (!window || !GetLayout()) return E_FAIL;
  const PointT<int32_t> cursor = window->GetCursorPosition();
  const PointT<int32_t> windowSize = window->GetClientSize();
  const PointT<double> origin = parent->GetScreenPosition();
  const RectT<double> client = parent->GetFirstVisibleLookIndex() >= 0
                                   ? parent->GetLookClientRect(parent->GetFirstVisibleLookIndex())
                                   : RectT<double>{0, 0, 0, 0};
  const double offsets[2] = {std::round(origin.x) - client.x + std::round(parent->GetScrollOffset().x),
                             std::round(origin.y) - client.y + std::round(parent->GetScrollOffset().y)};
  const double points[2] = {static_cast<double>(cursor.x), static_cast<double>(cursor.y)};
  const double sizes[2] = {GetRect().width, GetRect().height};
  const double limits[2] = {static_cast<double>(windowSize.x), static_cast<double>(windowSize.y)};
  for (int32_t axis = 0; axis < 2; ++axis) {
    double p = points[axis];
    if (p + sizes[axis] > limits[axis]) p = limits[axis] - sizes[axis];
    if (p < 0) p = 0;
    LPlacementSpec placement;
    LSizeSpec size;
    GetLayout()->GetPlacement(axis, placement, size);
    placement.rel = 0;
    placement.abs = p - offsets[axis];
    placement.docked = true;
    SetPlacement(axis, placement, size);
  }
  SetVisible(true);
  if (!HasFocus()) LControl::SetFocus(true);
  return S_OK;
}

}  // namespace SV
