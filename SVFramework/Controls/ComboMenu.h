#pragma once
#include <cstdint>

#include "SVFramework/Controls/DropDownControl.h"
#include "SVFramework/Controls/MenuDescriptor.h"

namespace SV {

class LPopupMenu;

// One title of a menu bar: a drop-down control whose drop-down part is its child popup
// menu "popupMenu", shown below the title (at the skin's X offset, moved left as far
// as needed to stay inside the window while it fits). A left press opens the menu and
// carries on as a drag of the popup, so that the user can press on the title, drag into
// the menu and release on an entry; a second press closes it. While one title's menu is
// open, the pointer coming onto another title of the same bar moves the open menu
// there. The popup only hides after a choice (it does not hide itself): this title
// hides it. Looks: 0 normal, 1 hovered, 2 menu open, 3 disabled. Without its popup the
// title stays inert. UI thread only.
class LComboMenu : public LDropDownControl {
public:
  using ComboMenuHandlers = LNotificationHandler<LComboMenu>;
  static constexpr const char16_t* kPopupName = u"popupMenu";
  static constexpr int32_t kLookNormal = 0;
  static constexpr int32_t kLookHovered = 1;
  static constexpr int32_t kLookOpen = 2;
  static constexpr int32_t kLookDisabled = 3;

  LComboMenu(const RCPtr<LControl>& parent, const String& name);
  ~LComboMenu() override;

  // --- LControl ---
  // Follows the state with the look, moves an open sibling's menu here when the pointer
  // arrives, remembers where a left press began, then the drop-down control's rule.
  void OnConditionsChanged(const RCPtr<LConditionsParam>& param) override;
  // Binds the popup's visibility and activation and keeps the popup from hiding
  // itself. E_FAIL when the drop-down control's initialisation failed, else 0.
  SVRESULT Initialize() override;
  // Takes the popup's X offset from its placement record.
  void OnDescriptorApplied() override;
  int32_t Receive(const RCPtr<LNotificationDistributor>& source, const RCPtr<LNotification>& notification) override;
  SVRESULT UnsubscribeVirtual(const RCPtr<LNotificationDistributor>& source, const char16_t* idText) override;

  // --- Drop-down part ---
  // The popup is shown (its visible flag set and a positive size).
  bool IsDropDownOpen() override;
  // Opening places the popup inside the window, shows it, gives it the focus and,
  // while the left button is down on this title, hands it the press as a drag.
  // Closing hides it. 0; 1 without a popup.
  SVRESULT ShowDropDown(bool open) override;

  // The child "popupMenu"; null when missing.
  RCPtr<LPopupMenu> GetPopupMenu() const;
  // The popup's menu; null without a popup or a menu. (The control's own
  // GetMenuDescriptor stays the title's context menu: a right click on a title does
  // not open its menu a second time as a context menu.)
  RCPtr<LMenuDescriptor> GetPopupMenuDescriptor() const;
  // Among the parent's children, from the last, the first combo menu whose popup is
  // shown (this one included); null when none.
  RCPtr<LComboMenu> FindOpenSiblingMenu() const;
  double GetPopupXOffset() const { return mPopupXOffset; }

  int32_t OnPopupVisibilityChange(const RCPtr<LNotificationDistributor>& source,
                                  const RCPtr<LNotification>& notification);
  int32_t OnPopupItemActivated(const RCPtr<LNotificationDistributor>& source,
                               const RCPtr<LNotification>& notification);

private:
  void ShowLook(int32_t look);
  // Look 2 while the menu is open, else 1 when hovered, else 0.
  void ShowStateLook();
  void ShowClosedLook();
  void PlacePopupInsideWindow(LPopupMenu& popup);
  void MoveOpenMenuHere();
  void RememberPressPoint();

  RCPtr<ComboMenuHandlers> mComboMenuHandlers;
  double mPopupXOffset = 0;
  PointT<double> mPressPoint;
};

}  // namespace SV
