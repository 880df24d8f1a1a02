#pragma once
#include <cstdint>

#include "SVFramework/Controls/Panel.h"
#include "SVFramework/notification/NotificationHandler.h"

namespace SV {

// A container that shows one page at a time. The skin gives the child "buttonHolder",
// one button per tab, and the child "pageHolder", one page per tab in the same order:
// page i (insertion order) belongs to button i. A tab is named by its button's control
// name; the selection is kept only as that name and its index is always recomputed.
// Clicking a tab's button sends "NID_TAB_BUTTON_CLICKED" (the button), selects the tab
// and gives the focus to its page. Selecting sends "NID_TAB_BECOMING_UNSELECTED" (the
// page left) when the selection moves away from a valid tab, hides every other page,
// shows the new one and sends "NID_TAB_SELECTED" (the new page, or none). A button
// without a page selects no page: every page is hidden and the click changes nothing
// else. A re-applied skin shows only the selected page again. UI thread only.
class LTabControl : public LPanel {
 public:
  using TabControlHandlers = LNotificationHandler<LTabControl>;

  LTabControl(const RCPtr<LControl>& parent, const String& name);
  ~LTabControl() override;

  SVRESULT ApplyDescriptor(const RCPtr<LControlDescriptor>& descriptor) override;
  // Finds the holders, selects tab 0 and binds the buttons' clicks; the failure of
  // selecting tab 0 leaves the control inert and is answered.
  SVRESULT Initialize() override;
  int32_t Receive(const RCPtr<LNotificationDistributor>& source, const RCPtr<LNotification>& notification) override;
  SVRESULT UnsubscribeVirtual(const RCPtr<LNotificationDistributor>& source, const char16_t* idText) override;
  SVRESULT ReleaseInternalReferences() override;

  // Children of the button holder, buttons or not; 0 without one.
  virtual uint32_t GetTabCount() const;
  // Insertion index of the last button-holder child with exactly that name; -1 for none.
  virtual int32_t GetTabIndex(const String& tabName) const;
  virtual int32_t GetSelectedIndex() const;
  // The page at the selected index; null when there is none.
  virtual RCPtr<LControl> GetSelectedPage() const;
  virtual const String& GetSelectedTabName() const { return mSelectedTabName; }
  virtual RCPtr<LControl> GetPageByName(const String& tabName) const;
  // The page at the index; null past the tabs or past the pages that exist.
  virtual RCPtr<LControl> GetPageAt(uint32_t index) const;
  virtual RCPtr<LControl> GetButtonByName(const String& tabName) const;
  virtual RCPtr<LControl> GetButtonAt(uint32_t index) const;
  // 0, or E_FAIL without a button holder or a page holder (nothing changes, nothing is
  // sent). A name that matches no button hides every page.
  virtual SVRESULT SelectTab(const String& tabName);
  // Selects the tab of the button at that paint-order position; E_FAIL past the buttons
  // or for a child that is not a button.
  virtual SVRESULT SelectTabAt(uint32_t index);
  // Called during every selection after the name is stored, before the page is shown.
  virtual void OnSelectTab(int32_t /*newIndex*/) {}

  int32_t OnTabButtonClick(const RCPtr<LNotificationDistributor>& source, const RCPtr<LNotification>& notification);

  const RCPtr<LControl>& GetButtonHolder() const { return mButtonHolder; }
  const RCPtr<LControl>& GetPageHolder() const { return mPageHolder; }

 private:
  void Announce(const char16_t* id, const RCPtr<LControl>& payload);

  RCPtr<TabControlHandlers> mHandler;
  RCPtr<LControl> mButtonHolder;
  RCPtr<LControl> mPageHolder;
  String mSelectedTabName;
};

}  // namespace SV
