#pragma once
#include <cstdint>

#include "SVFramework/Controls/CheckedListBox.h"
#include "SVFramework/Controls/ComboBox.h"

namespace SV {

// A combo box whose list ("listBox") is a checked list: every item carries a check
// state and an optional image. Its optional button "checkBox" shows the selected
// item's check state and image, also when the item is checked in the list, and while
// at least one item is checked the combo wears its second set of looks (7 to 13: the
// states of looks 0 to 6). Every check change of the list is sent again as
// "NID_ITEM_CHECK_CHANGE" with the list's payload. Created as
// "Framework.CheckedComboBox" and, with an icon list whose icons make the button
// display-only, as "Framework.ComboBoxWithIcons". With a list that is not a checked
// list it is a plain combo box. UI thread only.
class LCheckedComboBox : public LComboBox {
public:
  using CheckedComboHandlers = LNotificationHandler<LCheckedComboBox>;
  static constexpr int32_t kCheckedLookOffset = 7;

  LCheckedComboBox(const RCPtr<LControl>& parent, const String& name);
  ~LCheckedComboBox() override;

  // The combo box's initialisation; E_FAIL when it failed or the list is no checked list.
  SVRESULT Initialize() override;
  void OnDescriptorApplied() override;
  SVRESULT SetItemCount(int32_t count) override;
  int32_t SetSelectedIndex(int32_t index) override;
  void UpdateLook() override;
  int32_t Receive(const RCPtr<LNotificationDistributor>& source, const RCPtr<LNotification>& notification) override;
  SVRESULT UnsubscribeVirtual(const RCPtr<LNotificationDistributor>& source, const char16_t* idText) override;
  SVRESULT ReleaseInternalReferences() override;

  // Display-only: the button lets the pointer pass and only shows the item.
  void SetCheckBoxDisplayOnly(bool displayOnly);
  bool IsCheckBoxDisplayOnly() const { return mCheckBoxDisplayOnly; }
  const RCPtr<LCheckedListBox>& GetCheckedList() const { return mCheckedList; }
  // The child "checkBox"; null when absent.
  RCPtr<LButton> GetCheckBox() const;

  int32_t OnItemCheckChange(const RCPtr<LNotificationDistributor>& source, const RCPtr<LNotification>& notification);

private:
  void ShowImageOnCheckBox(const RCPtr<LBitmap>& image);
  void ShowItemOnCheckBox(int32_t index);

  RCPtr<CheckedComboHandlers> mCheckedComboHandlers;
  RCPtr<LCheckedListBox> mCheckedList;
  bool mCheckBoxDisplayOnly = false;
};

}  // namespace SV
