#pragma once
#include <cstdint>
#include <vector>

#include "SVFramework/ControlBase/ConditionsParam.h"
#include "SVFramework/ControlBase/Control.h"
#include "SVFramework/ControlBase/KeyParam.h"
#include "SVFramework/Controls/ListBoxItem.h"
#include "SVFramework/Controls/ScrollView.h"

namespace SV {

// One item of a list: its data object (the item's text is the object's ToString, empty
// without one), its selection value (selected at 0.5 and above) and three display flags.
struct LListBoxItemRecord {
  RCPtr<LRefCountedObject> data;
  double value = 0;
  bool alternate = false;
  bool separator = false;
  bool hidden = false;
};

// Payload of "NID_ITEM_HOVER_CONDITION_CHANGE" and "NID_ITEM_LEFT_DRAG_CONDITION_CHANGE":
// the row's conditions change with the item the row shows, its look and its hover flag.
// Allocated on the heap (not from the conditions pool). UI thread only.
class LItemConditionsParam : public LConditionsParam {
public:
  static void* operator new(size_t size) { return ::operator new(size); }
  static void operator delete(void* block) { ::operator delete(block); }

  LItemConditionsParam(const LConditionsParam& conditions, int32_t item, int32_t look, bool hover)
      : LConditionsParam(conditions.previous, conditions.current, conditions.point), itemIndex(item),
        lookIndex(look), hovered(hover) {}

  int32_t itemIndex;
  int32_t lookIndex;
  bool hovered;
};

// A scrolling list of items. The item records (one per item, in display order) are kept
// apart from a small pool of row controls cloned from the skin child "templateItem":
// only as many rows as fill the visible client area exist, they stay fixed in the
// viewport, and scrolling changes which item the first row shows. A skin without a
// template may give fixed rows "item1", "item2", ... instead; each is one item.
// Selection lives in the records (so it survives scrolling); rows only show it.
// Notifications (synchronous, from the list): "NID_SELECTION_CHANGE" (not in drop-down
// mode), "NID_ITEM_ACTIVATED", "NID_ITEM_DOUBLE_CLICKED", "NID_ITEM_RIGHT_CLICK"
// (LHolder<int> item), "NID_ITEM_HOVER_CONDITION_CHANGE" and
// "NID_ITEM_LEFT_DRAG_CONDITION_CHANGE" (LItemConditionsParam).
// Indexes out of range are ignored or answered with E_INVALIDARG; no exception leaves
// the list. UI thread only.
class LListBox : public LScrollView {
public:
  using ListHandlers = LNotificationHandler<LListBox>;
  static constexpr int32_t kDefaultRowHeight = 14;
  // Items loaded from "ITEM.<n>" keys: n above this is refused (no huge lists).
  static constexpr int32_t kMaxStringTableItem = 65535;

  LListBox(const RCPtr<LControl>& parent, const String& name);
  ~LListBox() override;

  // --- LControl and LScrollView ---
  void EndClientRectWatch() override;
  void ScrollCachedContent(PointT<double> previous, PointT<double> next) override;
  void OnConditionsChanged(const RCPtr<LConditionsParam>& param) override;
  void OnChildRemoved(LControl* child, int32_t position) override;
  SVRESULT ApplyDescriptor(const RCPtr<LControlDescriptor>& descriptor) override;
  SVRESULT OnLeftButtonUp(const RCPtr<LMouseButtonParam>& param) override;
  SVRESULT OnMouseMoved(const RCPtr<LPointWithModifiersParam>& param) override;
  SVRESULT HandleKey(const RCPtr<LKeyParam>& key) override;
  SVRESULT Initialize() override;
  SVRESULT AdoptChild(const RCPtr<LControl>& child, const RCPtr<LControlDescriptor>& descriptor) override;
  int32_t Receive(const RCPtr<LNotificationDistributor>& source, const RCPtr<LNotification>& notification) override;
  SVRESULT UnsubscribeVirtual(const RCPtr<LNotificationDistributor>& source, const char16_t* idText) override;
  SVRESULT ReleaseInternalReferences() override;

  // --- Records (virtual so that a derived list can keep richer records) ---
  virtual int32_t GetItemCount() const;
  // No range check: callers check the count first.
  virtual LListBoxItemRecord& GetItem(int32_t index);
  virtual void InsertItemRecord(int32_t index);
  virtual void EraseItemRecord(int32_t index);
  // Exchanges two records; 0. A list that cannot be reordered answers E_NOTIMPL.
  virtual SVRESULT SwapItems(int32_t a, int32_t b);
  // The record, or a shared empty one out of range.
  const LListBoxItemRecord& GetItemRecordOrEmpty(int32_t index);

  // --- Items ---
  // Inserts at `index` (0..count); returns it, E_INVALIDARG out of range.
  SVRESULT InsertItem(int32_t index, const RCPtr<LRefCountedObject>& data);
  SVRESULT AddItem(const String& text) { return InsertItem(GetItemCount(), MakeTextItem(text)); }
  // n, or minus the count reached when it differs.
  virtual int32_t SetItemCount(int32_t count);
  // The new count; E_INVALIDARG out of range.
  virtual SVRESULT RemoveItem(int32_t index);
  // 1 when the list was empty, E_FAIL when a removal failed, else 0.
  virtual SVRESULT RemoveAllItems();
  void SetItemData(int32_t index, const RCPtr<LRefCountedObject>& data);
  void SetItem(int32_t index, const RCPtr<LRefCountedObject>& data, double value, bool alternate, bool separator);
  int32_t SetItemAlt(int32_t index, bool alternate);
  int32_t SetItemSeparator(int32_t index, bool separator);
  // E_INVALIDARG out of range, 1 when unchanged. Hiding unselects the item. The caller
  // rebinds (RebindRowsFrom) and re-measures (UpdateRowWidths) afterwards.
  virtual SVRESULT SetItemHidden(int32_t index, bool hidden);
  bool IsAlt(int32_t index) { return GetItemRecordOrEmpty(index).alternate; }
  double GetItemValue(int32_t index) { return GetItemRecordOrEmpty(index).value; }
  String GetItemText(int32_t index);
  void RefreshItem(int32_t index);
  static RCPtr<LRefCountedObject> MakeTextItem(const String& text);
  // The last item whose text matches; -1 when none. Items without data never match.
  int32_t FindItemByText(const String& text, bool caseSensitive);
  // Replaces the items by the "ITEM.<n>" entries of the table (n from 0 to 65535; a
  // gap gives an empty item). E_INVALIDARG for a null table, else 0.
  SVRESULT LoadItemsFromStringTable(const RCPtr<LStringTable>& table);

  // --- Rows ---
  uint32_t GetRowCount() const { return static_cast<uint32_t>(mRows.size()); }
  RCPtr<LListBoxItem> GetRow(uint32_t rowIndex) const;
  // The item a row shows; -1 for a control that is no row or a row past the items.
  virtual int32_t GetItemIndexOfRow(const LControl* row) const;
  // -1 when the item is out of range, hidden, before the first visible item or past the rows.
  virtual int32_t GetRowIndexOfItem(int32_t index);
  // Binds the item to its row; an index at or past the count binds an empty, disabled
  // row. `rowIndex` receives the row, -1 when the item has none (then 1).
  virtual SVRESULT UpdateRow(int32_t index, int32_t& rowIndex);
  SVRESULT UpdateRow(int32_t index) {
    int32_t row = -1;
    return UpdateRow(index, row);
  }
  // Binds every row whose item is at or after `index`; 1 without rows.
  SVRESULT RebindRowsFrom(int32_t index);
  // Adds rows until they cover the visible client area; 1 without a template.
  SVRESULT FillRows();
  RectT<double> GetItemRect(int32_t index);
  // Point in the list's own coordinates; -1 outside the client area or off the rows.
  int32_t GetItemAtPoint(PointT<int32_t> point);
  SVRESULT SetItemHover(int32_t index, bool hover);
  SVRESULT SetItemLook(int32_t index, int32_t look);
  int32_t GetRowHeight() const { return mRowHeight; }
  uint32_t GetFirstVisibleItem() const { return mFirstVisibleItem; }

  // --- Layout ---
  virtual int32_t GetItemWidth(int32_t index);
  virtual int32_t GetContentHeight();
  int32_t GetMaxItemWidth() const { return mWidestItemWidth; }
  SVRESULT SetMaxItemWidth(int32_t width);
  SVRESULT RecomputeMaxItemWidth();
  void UpdateRowWidths();
  SVRESULT SetHeightToContent(double height);
  // Rounds the Y limits and the Y size down to whole rows plus the non-client height,
  // never below one row.
  void SnapHeightToRows();
  void SetDropDownMode(bool dropDown);
  bool IsDropDownMode() const { return mDropDownMode; }

  // --- Selection ---
  bool IsItemSelected(int32_t index);
  const std::vector<int32_t>& GetSelectedIndexes();
  int32_t GetSelectedCount() const { return mSelectedCount; }
  void SetItemSelected(int32_t index, double value);
  // First, or E_INVALIDARG when first is not an item. A negative last means first.
  SVRESULT SelectRange(int32_t first, int32_t last, bool exclusive);
  SVRESULT Unselect(int32_t index);
  void ClearSelection();
  void NotifySelectionChanged();
  // E_INVALIDARG out of range, 1 when nothing can be shown, else 0.
  SVRESULT ScrollToItem(int32_t index);
  void ActivateItem(int32_t index);
  virtual bool IsItemSelectable(int32_t) { return true; }
  int32_t SelectItemByText(const String& text, int32_t after, bool caseSensitive);
  int32_t GetAnchorItem() const { return mAnchorItem; }
  int32_t GetCaretItem() const { return mCaretItem; }
  // Multiple selection: style 1 extends with Ctrl and Shift, any other toggles on click.
  void SetMultipleSelection(bool multiple, int32_t style = 1) {
    mMultipleSelection = multiple;
    mMultipleSelectionStyle = style;
  }
  bool IsMultipleSelection() const { return mMultipleSelection; }
  void SetSorted(bool sorted) { mSorted = sorted; }

  // --- Sort ---
  // 1 for an empty range, E_INVALIDARG past the items, else 0. Case-insensitive.
  SVRESULT Sort(int32_t start, int32_t count);
  virtual bool SortItems();

protected:
  // Hooks for derived lists.
  virtual void OnSelectionChanged() {}
  virtual void OnItemActivating(int32_t) {}
  // Whether the activation ends there: a drop-down list hides and "NID_ITEM_ACTIVATED"
  // goes out. A menu's submenu header answers false: it only opens its submenu.
  virtual bool ItemActivationEndsList(int32_t) { return true; }
  virtual SVRESULT MeasureRowHeight(const RCPtr<LControl>& templateControl);
  virtual SVRESULT AddRow();
  ListHandlers& GetListHandlers() { return *mListHandlers; }

private:
  void UpdateListLook();
  // Rows and items.
  int32_t ItemOfRow(uint32_t rowIndex) const;
  int32_t RowOfItemOrEmpty(int32_t index) const;
  int32_t NextShown(int32_t index, int32_t step) const;
  int32_t CountShownBefore(int32_t index) const;
  int32_t ShownItemAt(int32_t position) const;
  int32_t LastShownItem() const;
  void BindRow(LListBoxItem& row, int32_t index);
  void MoveIndexesForInsert(int32_t index);
  void MoveIndexesForRemove(int32_t index);
  bool InitializeTemplate();
  void InitializeFixedRows();
  void BindRowHandlers(const RCPtr<LListBoxItem>& row);
  RCPtr<LLayoutDescriptor> MakeRowLayout() const;
  double LastRowBottom() const;
  bool LastRowIsFlat() const;
  bool TemplateSizesItself() const;
  double VisibleBottom() const;
  int32_t FullyVisibleRowCount() const;
  void SetFirstVisibleItem(int32_t index);
  void ResetHoveredRow();
  PointT<int32_t> RowPointToList(const LControl& row, const LPointParam& point) const;
  RCPtr<LMouseButtonParam> InListCoordinates(const LControl& row, const LMouseButtonParam& param) const;
  // Selection and input.
  int32_t FindSelectable(int32_t from, int32_t step) const;
  bool CanPointerPick(int32_t item);
  SVRESULT HandleArrowKey(bool down, bool shift);
  SVRESULT PassKeyToScrollBars(const RCPtr<LKeyParam>& key, bool horizontal, bool vertical);
  void ClickItem(int32_t item, const LMouseButtonParam& param);
  void ClickItemExtended(int32_t item, const LMouseButtonParam& param);
  void RightClickItem(int32_t item, const LMouseButtonParam& param);
  void MoveCaretAfterUnselect(int32_t index);
  int32_t OnRowMouseDown(const RCPtr<LNotificationDistributor>& source, const RCPtr<LNotification>& notification);
  int32_t OnRowMouseUp(const RCPtr<LNotificationDistributor>& source, const RCPtr<LNotification>& notification);
  int32_t OnRowHoverConditionChange(const RCPtr<LNotificationDistributor>& source,
                                    const RCPtr<LNotification>& notification);
  int32_t OnRowLeftDragConditionChange(const RCPtr<LNotificationDistributor>& source,
                                       const RCPtr<LNotification>& notification);
  void DistributeItemConditions(const LListBoxItem& row, const RCPtr<LNotification>& notification, const char16_t* id);
  void Announce(const char16_t* id, const RCPtr<LRefCountedObject>& payload);

  RCPtr<ListHandlers> mListHandlers;
  int32_t mEmptyRowWidth = 0;
  int32_t mWidestItemWidth = 0;
  std::vector<LListBoxItemRecord> mItems;
  std::vector<uint32_t> mRows;
  RCPtr<LControlDescriptor> mTemplateDescriptor;
  int32_t mAnchorItem = -1;
  int32_t mCaretItem = -1;
  bool mMultipleSelection = false;
  int32_t mMultipleSelectionStyle = 1;
  int32_t mPendingClickItem = -1;
  bool mDropDownMode = false;
  bool mSorted = false;
  int32_t mRowHeight = kDefaultRowHeight;
  std::vector<int32_t> mSelectedIndexes;
  int32_t mSelectedCount = 0;
  int32_t mRowDragThreshold = 1;
  uint32_t mFirstVisibleItem = 0;
  bool mFilling = false;
  bool mApplyingDescriptor = false;
  bool mRowHeightMeasured = false;
  bool mBatch = false;
};

}  // namespace SV
