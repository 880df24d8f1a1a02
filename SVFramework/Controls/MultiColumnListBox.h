#pragma once
#include <cstdint>
#include <vector>

#include "SVFramework/Controls/Button.h"
#include "SVFramework/Controls/ListBox.h"
#include "SVFramework/Controls/Panel.h"

namespace SV {

// A table shown as side-by-side list boxes, one per column ("listboxNoScroll1",
// "listboxNoScroll2", ... without gaps), with optional header buttons
// ("buttonColumnHeader1", ...) above them. Row r is item r of every column. Selecting
// or hovering a row in one column does the same in the others; the columns scroll
// vertically together through the table's scroll bars, and the table scrolls them
// sideways. Column 1 is the reference: its item count is the row count, its row height
// the vertical step, and only it takes the focus. Keyboard navigation in column 1
// moves the table's vertical offset only; the horizontal offset stays where it is.
// Clicking header i sorts every column by the texts of column i, case-insensitively,
// ascending and descending in turn; rows keep their selection and alternate flags.
// Sends "NID_SELECTION_CHANGE", "NID_ITEM_ACTIVATED" and "NID_ITEM_DOUBLE_CLICKED",
// without payload. Every column is expected to hold as many items as column 1; a table
// without columns stays inert. UI thread only.
class LMultiColumnListBox : public LPanel {
public:
  using TableHandlers = LNotificationHandler<LMultiColumnListBox>;

  LMultiColumnListBox(const RCPtr<LControl>& parent, const String& name);
  ~LMultiColumnListBox() override;

  void ScrollCachedContent(PointT<double> previous, PointT<double> next) override;
  void OnChildRectChanged(LControl* child) override;
  RectT<double> GetVisibleRect() override;
  // The panel's result; with header buttons, 1 when there are as many as columns, else 0.
  SVRESULT Initialize() override;
  void OnDescriptorApplied() override;
  int32_t Receive(const RCPtr<LNotificationDistributor>& source, const RCPtr<LNotification>& notification) override;
  SVRESULT UnsubscribeVirtual(const RCPtr<LNotificationDistributor>& source, const char16_t* idText) override;
  SVRESULT ReleaseInternalReferences() override;

  // Sorts all columns by the texts of that column (0 for the first) and turns that
  // column's direction for the next sort. 0; E_INVALIDARG for a column that does not exist.
  SVRESULT PerformSort(int32_t column);
  // The text of a cell; empty past the columns, past column 1's items or without data.
  String GetCellText(int32_t column, int32_t row);

  uint32_t GetColumnCount() const { return static_cast<uint32_t>(mColumns.size()); }
  RCPtr<LListBox> GetColumn(uint32_t index) const { return index < mColumns.size() ? mColumns[index] : nullptr; }
  uint32_t GetHeaderCount() const { return static_cast<uint32_t>(mHeaders.size()); }
  // Whether the next sort by that column is ascending.
  bool IsNextSortAscending(uint32_t column) const { return column < mSortAscending.size() && mSortAscending[column]; }

  int32_t OnItemHoverConditionChange(const RCPtr<LNotificationDistributor>& source,
                                     const RCPtr<LNotification>& notification);
  int32_t OnSelectionChange(const RCPtr<LNotificationDistributor>& source, const RCPtr<LNotification>& notification);
  int32_t OnItemActivated(const RCPtr<LNotificationDistributor>& source, const RCPtr<LNotification>& notification);
  int32_t OnItemDoubleClicked(const RCPtr<LNotificationDistributor>& source, const RCPtr<LNotification>& notification);
  int32_t OnScrollOffsetChange(const RCPtr<LNotificationDistributor>& source, const RCPtr<LNotification>& notification);
  int32_t OnClientExtentChange(const RCPtr<LNotificationDistributor>& source, const RCPtr<LNotification>& notification);
  int32_t OnHeaderClick(const RCPtr<LNotificationDistributor>& source, const RCPtr<LNotification>& notification);

private:
  void FindColumns();
  void FindHeaders();
  void DockOnY(LControl& control);
  void ApplyColumnSizeLimits();
  SVRESULT SetTableExtent();
  int32_t IndexOfColumn(const LNotificationDistributor* source) const;
  void CopySelection(uint32_t from);
  void UnbindSelectionChanges();
  void BindSelectionChanges();
  void MoveRowsInto(const std::vector<int32_t>& formerRows);
  int32_t RowCount() const { return mColumns.empty() ? 0 : mColumns.front()->GetItemCount(); }

  RCPtr<TableHandlers> mTableHandlers;
  std::vector<RCPtr<LListBox>> mColumns;
  std::vector<RCPtr<LButton>> mHeaders;
  std::vector<bool> mSortAscending;
};

}  // namespace SV
