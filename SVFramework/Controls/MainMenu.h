#pragma once
#include <cstdint>

#include "SVFramework/ControlBase/Control.h"
#include "SVFramework/ControlBase/MenuItemUpdater.h"
#include "SVFramework/Controls/ComboMenu.h"
#include "SVFramework/Controls/MenuDescriptor.h"

namespace SV {

class LPopupMenu;

// The menu bar of a window: a row of menu titles, each a combo menu (LComboMenu) that
// holds its menu as the popup child "popupMenu"; a press on a title opens its menu. The
// titles are made from the skin child
// "templateMenu" (kept as a descriptor, never shown), their texts come from the string
// table's "MENU_LABEL.<n>" entries and their menus from its "CONTEXT_MENU" entries.
// Every popup's target is the posting receiver of the window's root-window queue, so a
// chosen command runs at the window's next idle pass, after the focus went back to the
// control that had it before the bar took it. The bar itself never takes the focus.
// Titles that the skin defines come first; the ones added later are "added menus",
// indexed from 0. UI thread only.
class LMainMenu : public LControl {
public:
  static constexpr const char16_t* kTemplateName = u"templateMenu";

  LMainMenu(const RCPtr<LControl>& parent, const String& name);

  // --- LControl ---
  // The remembered focus control when it owns edits, else the parent's owner.
  LControl* GetOwnerControl() override;
  void OnConditionsChanged(const RCPtr<LConditionsParam>& param) override;
  void OnRootWindowChanged() override;
  SVRESULT UpdateMenuItemState(const RCPtr<LMenuDescriptor>& menu, uint32_t index, const String& commandID,
                               LMenuItemState& state) override;
  SVRESULT ApplyDescriptor(const RCPtr<LControlDescriptor>& descriptor) override;
  SVRESULT Initialize() override;
  SVRESULT AdoptChild(const RCPtr<LControl>& child, const RCPtr<LControlDescriptor>& descriptor) override;
  SVRESULT ReleaseInternalReferences() override;

  // 1 when it is the updater set already, else 0.
  SVRESULT SetMenuItemUpdater(const RCPtr<LMenuItemUpdater>& updater);
  // A new title at the end of the bar; E_INVALIDARG when the name is in use.
  SVRESULT AddMenu(const String& name);
  // The new menu's index among the added menus, or E_INVALIDARG for a position past
  // them, an unknown title to insert before, or a name in use.
  SVRESULT InsertMenu(int32_t index, const String& name, const String& label, const RCPtr<LMenuDescriptor>& menu);
  SVRESULT InsertMenuBefore(const String& before, const String& name, const String& label,
                            const RCPtr<LMenuDescriptor>& menu);
  int32_t GetMenuCount() const;
  // The title at `index` among all titles; null past the last.
  RCPtr<LComboMenu> GetMenu(int32_t index) const;
  // The name of added menu `index`; empty past the last.
  String GetMenuName(int32_t index) const;
  // The index among the added menus; -1 for none or a title of the skin.
  int32_t FindMenu(const String& name) const;
  // The title's menu; null when it has none.
  static LPopupMenu* GetTitlePopup(const LControl* title);
  LControl* GetRememberedFocus() const { return mRememberedFocus.Get(); }

private:
  static bool IsTitle(const LControl* control);
  void TargetPopups();
  void ShiftMenusRight(int32_t position);
  void BuildMenusFromStrings();
  void PrepareTitle(LComboMenu& title);

  RCPtr<LControl> mRememberedFocus;
  RCPtr<LControlDescriptor> mTemplate;
  RCPtr<LMenuItemUpdater> mUpdater;
  int32_t mSkinTitleCount = 0;
  bool mTemplateFound = false;
};

}  // namespace SV
