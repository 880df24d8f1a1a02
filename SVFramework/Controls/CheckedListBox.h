#pragma once
#include <cstdint>
#include <vector>

#include "SVFramework/Controls/CheckedListBoxItem.h"
#include "SVFramework/Controls/IndexedDataParam.h"
#include "SVFramework/Controls/ListBox.h"

namespace SV {

class LBitmap;

// One item of a checked list: the list record with a check state and an image.
struct LCheckedListBoxItemRecord : LListBoxItemRecord {
  bool checked = false;
  RCPtr<LBitmap> image;
};

// A list whose rows (LCheckedListBoxItem) carry a check box per item. A click on a
// row's check box selects the item and, in automatic-value mode (the default), toggles
// its check state and sends "NID_ITEM_CHECK_CHANGE"; in report mode it changes nothing
// and sends "NID_ITEM_CHECKBOX_CLICKED" (both with an LIndexedDataWithValueParam: no
// data, the item, the check box value). Check states live in the records, so they
// survive scrolling; binding a row never sends anything. Created as
// "Framework.ListBoxWithIcons" with a fourth look, the list shows that look's part
// bitmaps as icons (icon i mod n on item i) in display-only check boxes.
// Indexes out of range are ignored. UI thread only.
class LCheckedListBox : public LListBox {
public:
  using CheckedHandlers = LNotificationHandler<LCheckedListBox>;
  static constexpr int32_t kIconLook = 3;

  LCheckedListBox(const RCPtr<LControl>& parent, const String& name);
  ~LCheckedListBox() override;

  SVRESULT Initialize() override;
  int32_t Receive(const RCPtr<LNotificationDistributor>& source, const RCPtr<LNotification>& notification) override;
  SVRESULT UnsubscribeVirtual(const RCPtr<LNotificationDistributor>& source, const char16_t* idText) override;
  SVRESULT ReleaseInternalReferences() override;

  int32_t GetItemCount() const override;
  int32_t SetItemCount(int32_t count) override;
  SVRESULT UpdateRow(int32_t index, int32_t& rowIndex) override;
  using LListBox::UpdateRow;
  SVRESULT SwapItems(int32_t a, int32_t b) override;
  LListBoxItemRecord& GetItem(int32_t index) override { return GetCheckedItem(index); }
  void InsertItemRecord(int32_t index) override;
  void EraseItemRecord(int32_t index) override;

  // Switches every row between toggling its check box (true) and reporting clicks.
  virtual void SetCheckBoxAutoValue(bool autoValue);
  virtual void RecountChecked();
  // No range check: callers check the count first.
  virtual LCheckedListBoxItemRecord& GetCheckedItem(int32_t index);

  // Stores the state and updates the row; sends nothing. Out of range or unchanged: nothing.
  void SetItemChecked(int32_t index, bool checked);
  bool IsItemChecked(int32_t index) const;
  int32_t GetCheckedCount() const { return mCheckedCount; }
  // The list's icon for the item when it has icons, else the item's image; null past the end.
  RCPtr<LBitmap> GetItemImage(int32_t index);
  void SetItemImage(int32_t index, const RCPtr<LBitmap>& image);
  void SetCheckBoxesDisplayOnly(bool displayOnly);
  bool AreCheckBoxesDisplayOnly() const { return mDisplayOnly; }
  bool IsCheckBoxAutoValue() const { return mAutoValue; }
  uint32_t GetItemImageCount() const { return static_cast<uint32_t>(mItemImages.size()); }
  RCPtr<LCheckedListBoxItem> GetCheckedRow(uint32_t rowIndex) const;

  int32_t OnCheckBoxValueChange(const RCPtr<LNotificationDistributor>& source, const RCPtr<LNotification>& notification);
  int32_t OnCheckBoxLeftClick(const RCPtr<LNotificationDistributor>& source, const RCPtr<LNotification>& notification);

protected:
  SVRESULT AddRow() override;
  // Binds a row's check box (its value change, or its click in report mode) and takes
  // such a binding out again; a derived list may bind them in its own table.
  virtual void BindCheckBox(const RCPtr<LButton>& checkBox);
  virtual void UnbindCheckBox(const RCPtr<LButton>& checkBox, const char16_t* id);

private:
  void LoadIconsFromLook();
  void BindCheckedRow(LCheckedListBoxItem& row, int32_t index);
  void SetRowCheckBoxValueQuietly(LCheckedListBoxItem& row, bool checked);
  int32_t ReportCheckBox(const RCPtr<LNotificationDistributor>& source, const char16_t* id, bool countChange);

  RCPtr<CheckedHandlers> mCheckedHandlers;
  std::vector<LCheckedListBoxItemRecord> mCheckedItems;
  bool mLookMirroring = false;
  bool mDisplayOnly = false;
  bool mAutoValue = true;
  int32_t mCheckedCount = 0;
  std::vector<RCPtr<LBitmap>> mItemImages;
};

}  // namespace SV
