#pragma once
#include <cstdint>

#include "SVFramework/ControlBase/MenuItemUpdater.h"
#include "SVFramework/ControlBase/PopupMenuInterface.h"
#include "SVFramework/Controls/CheckedListBox.h"
#include "SVFramework/Controls/MenuDescriptor.h"
#include "SVFramework/Controls/MenuListBoxItem.h"
#include "SVFramework/notification/NotificationHandler.h"
#include "SVFramework/notification/NotificationQueue.h"

namespace SV {

// A menu shown as a vertical list of rows (LMenuListBoxItem, cloned from the skin child
// "templateItem"): a checked list in drop-down mode where hovering selects, a release or
// Enter chooses, each row's check box only shows whether its entry is checked, and a chosen command entry becomes a notification named by the entry's
// command ID, with an LMenuActivationParam, handed to the popup's target. The target is
// the receiver given once with SetTarget (a root window's queue: the command runs at
// its next idle pass) or else the nearest ancestor that is not a popup (handled at
// once). A popup keeps its own clone of the descriptor it shows, so state changes
// never reach the caller's menu. Submenu headers open a child popup, made from the
// skin child "submenu", after the pointer rested on them more than 250 ms (polled from
// idle passes on the application clock), or at once with Right or Enter. Context
// menus and submenus are destroyed when their chain closes; popups that do not hide on
// activation (menu bars) only hide. Nothing here throws on user input. UI thread only.
class LPopupMenu : public LCheckedListBox, public IPopupMenu {
public:
  using PopupHandlers = LNotificationHandler<LPopupMenu>;
  static constexpr uint32_t kSubmenuDelayMs = 250;

  LPopupMenu(const RCPtr<LControl>& parent, const String& name);
  ~LPopupMenu() override;

  // --- LControl ---
  SVRESULT SetFocus(bool first) override;
  void OnConditionsChanged(const RCPtr<LConditionsParam>& param) override;
  SVRESULT ApplyDescriptor(const RCPtr<LControlDescriptor>& descriptor) override;
  // A click never moves the focus into a popup.
  SVRESULT RequestFocusOnClick(LControl*) override { return S_OK; }
  SVRESULT OnMouseMoved(const RCPtr<LPointWithModifiersParam>& param) override;
  SVRESULT HandleKey(const RCPtr<LKeyParam>& key) override;
  void OnIdle() override;
  SVRESULT Initialize() override;
  void OnDescriptorApplied() override;
  int32_t Receive(const RCPtr<LNotificationDistributor>& source, const RCPtr<LNotification>& notification) override;
  SVRESULT UnsubscribeVirtual(const RCPtr<LNotificationDistributor>& source, const char16_t* idText) override;
  SVRESULT ReleaseInternalReferences() override;

  // --- List ---
  SVRESULT UpdateRow(int32_t index, int32_t& rowIndex) override;
  using LCheckedListBox::UpdateRow;
  int32_t GetContentHeight() override;
  bool IsItemSelectable(int32_t index) override;
  // A menu is never reordered or sorted: E_NOTIMPL, nothing moves.
  SVRESULT SwapItems(int32_t, int32_t) override { return E_NOTIMPL; }
  bool SortItems() override { return false; }

  // --- Menu ---
  // E_INVALIDARG for null; else keeps a clone, fills in the key texts and rebuilds.
  SVRESULT SetMenuDescriptor(const RCPtr<LMenuDescriptor>& menu) override;
  const RCPtr<LMenuDescriptor>& GetMenuDescriptor() const { return mMenu; }
  // The commands go to the queue's posting receiver. E_INVALIDARG for null, E_FAIL when
  // a target is set already (the first one stays).
  SVRESULT SetTarget(const RCPtr<LNotificationQueue>& queue);
  // The receiver of the commands: the target, else the nearest ancestor that is not a
  // popup; null when there is none.
  RCPtr<LNotificationReceiver> GetTarget() const;
  LPopupMenu* GetParentPopup() const;
  void SetHideOnActivation(bool hide) { mHideOnActivation = hide; }
  bool HidesOnActivation() const { return mHideOnActivation; }
  bool IsClosing() const { return mClosing; }
  void SetMenuItemUpdater(const RCPtr<LMenuItemUpdater>& updater) { mUpdater = updater; }
  SVRESULT ShowAtCursor() override;
  // E_INVALIDARG for an entry without children, E_FAIL when the skin has no "submenu".
  SVRESULT OpenSubmenu(int32_t index);
  SVRESULT CloseSubmenu();
  SVRESULT CloseMenuChain();
  const RCPtr<LPopupMenu>& GetOpenSubmenu() const { return mSubmenu; }
  // Label plus key text plus the room the row needs besides; 0 without an entry.
  virtual int32_t MeasureItemWidth(int32_t index);
  RCPtr<LMenuListBoxItem> GetRowControl(uint32_t rowIndex) const;
  // The entry at `index`; null out of range.
  RCPtr<LMenuItemDescriptor> GetEntry(int32_t index) const;
  // Re-reads the entries' states from the updater's control.
  void RefreshItemStates();

protected:
  void OnSelectionChanged() override;
  void OnItemActivating(int32_t index) override;
  // A submenu header neither hides the popup nor counts as a choice.
  bool ItemActivationEndsList(int32_t index) override;
  SVRESULT AddRow() override;

private:
  void ApplyDefaultMinMax();
  SVRESULT BuildMenuFromStringTable();
  SVRESULT RebuildRows();
  void MeasureExtraWidth(LMenuListBoxItem& row);
  void MeasureSeparatorHeight(LMenuListBoxItem& row);
  SVRESULT AssignHotKeyTexts();
  SVRESULT ApplyItemState(int32_t index, const LMenuItemState& state);
  void SendItemCommand(int32_t index);
  void GiveFocusBackFromMenuBar();
  int32_t OnRowHoverChange(const RCPtr<LNotificationDistributor>& source, const RCPtr<LNotification>& notification);
  // Submenus.
  SVRESULT ShowEntryOf(const LPopupMenu& parent, int32_t index);
  void PlaceSubmenu(LPopupMenu& submenu, int32_t index);
  void StartHoverTimer();
  void CancelHoverTimer();
  void SelectOpenSubmenuItem();
  bool PointerInsideItem(int32_t index);
  bool IsOpenSubmenuEntry(int32_t index) const;
  bool IsInMenuChain(const LPopupMenu* popup) const;
  void PassDragOutside(const LPointWithModifiersParam& param);

  RCPtr<PopupHandlers> mPopupHandlers;
  RCPtr<LMenuDescriptor> mMenu;
  RCPtr<LPopupMenu> mSubmenu;
  RCPtr<LMenuItemDescriptor> mSubmenuEntry;
  RCPtr<LNotificationReceiver> mTarget;
  RCPtr<LNotificationQueue> mTargetQueue;
  RCPtr<LMenuItemUpdater> mUpdater;
  bool mHoverTimerPending = false;
  uint32_t mHoverStart = 0;
  bool mClosingSubmenu = false;
  bool mHideOnActivation = true;
  bool mClosing = false;
  int32_t mExtraWidth = -1;
  int32_t mSeparatorHeight = 0;
  int32_t mSeparatorCount = 0;
};

}  // namespace SV
