#include <algorithm>
#include <vector>

#include "SVFramework/Controls/MultiColumnListBox.h"
#include "SVFramework/notification/NotificationNames.h"

namespace SV {

namespace {
constexpr const char* kSortFunction = "SV::LMultiColumnListBox::PerformSort";

struct SortRecord {
  int32_t formerRow;
  String key;  // the cell text in lower case
};
}  // namespace

String LMultiColumnListBox::GetCellText(int32_t column, int32_t row) {
  if (column < 0 || static_cast<size_t>(column) >= mColumns.size() || row < 0 || row >= RowCount()) return String(u"");
  return mColumns[static_cast<size_t>(column)]->GetItemText(row);
}

// While the rows are rearranged, the columns' selection changes must not be mirrored.
void LMultiColumnListBox::UnbindSelectionChanges() {
  for (size_t index = mColumns.size(); index-- > 0;) {
    const RCPtr<LNotificationDistributor> column(mColumns[index].Get());
    if (!mTableHandlers->RemoveHandler(column.Get(), NotificationName::kSelectionChange) ||
        Unsubscribe(column, NotificationName::kSelectionChange) < 0)
      SV_RAISE(FailedResultException, FormatResultCode(E_FAIL), kSortFunction);
  }
}

void LMultiColumnListBox::BindSelectionChanges() {
  for (size_t index = mColumns.size(); index-- > 0;) {
    const SVRESULT bound = mTableHandlers->AddHandler(&LMultiColumnListBox::OnSelectionChange,
                                                      RCPtr<LNotificationDistributor>(mColumns[index].Get()),
                                                      NotificationName::kSelectionChange);
    SV_RAISE_ON_FAILURE(bound, kSortFunction);
  }
}

// Item p of every column takes the data object that the column's item formerRows[p]
// had; values and flags stay with the positions.
void LMultiColumnListBox::MoveRowsInto(const std::vector<int32_t>& formerRows) {
  const auto count = static_cast<int32_t>(formerRows.size());
  for (size_t index = mColumns.size(); index-- > 0;) {
    LListBox& column = *mColumns[index];
    std::vector<RCPtr<LRefCountedObject>> data(formerRows.size());
    for (int32_t row = 0; row < count && row < column.GetItemCount(); ++row)
      data[static_cast<size_t>(row)] = column.GetItem(row).data;
    for (int32_t place = std::min(count, column.GetItemCount()) - 1; place >= 0; --place)
      column.SetItemData(place, data[static_cast<size_t>(formerRows[static_cast<size_t>(place)])]);
  }
}

SVRESULT LMultiColumnListBox::PerformSort(int32_t column) {
  if (column < 0 || static_cast<size_t>(column) >= mColumns.size()) return E_INVALIDARG;
  const int32_t count = RowCount();
  std::vector<SortRecord> records;
  std::vector<bool> alternate;
  for (int32_t row = 0; row < count; ++row) {
    records.push_back({row, GetCellText(column, row).ToLower()});
    alternate.push_back(mColumns.front()->IsAlt(row));
  }
  const std::vector<int32_t> selected = mColumns[static_cast<size_t>(column)]->GetSelectedIndexes();

  UnbindSelectionChanges();
  for (size_t index = mColumns.size(); index-- > 0;) mColumns[index]->ClearSelection();
  const bool ascending = mSortAscending[static_cast<size_t>(column)];
  std::stable_sort(records.begin(), records.end(), [ascending](const SortRecord& a, const SortRecord& b) {
    return ascending ? a.key < b.key : b.key < a.key;
  });
  mSortAscending[static_cast<size_t>(column)] = !ascending;

  std::vector<int32_t> formerRows;
  for (const SortRecord& record : records) formerRows.push_back(record.formerRow);
  MoveRowsInto(formerRows);
  for (int32_t place = count - 1; place >= 0; --place) {
    const int32_t former = formerRows[static_cast<size_t>(place)];
    for (size_t index = mColumns.size(); index-- > 0;) mColumns[index]->SetItemAlt(place, alternate[static_cast<size_t>(former)]);
    if (!std::binary_search(selected.begin(), selected.end(), former)) continue;
    for (size_t index = mColumns.size(); index-- > 0;)
      if (mColumns[index]->SelectRange(place, -1, false) < 0) break;
  }
  BindSelectionChanges();
  return S_OK;
}

}  // namespace SV
