#include "SVFramework/Controls/ListBox.h"

#include <algorithm>

#include "SVFramework/Utilities/StringPayload.h"

namespace SV {

LListBox::LListBox(const RCPtr<LControl>& parent, const String& name) : LScrollView(parent, name) {}

LListBox::~LListBox() { mListHandlers = nullptr; }

SVRESULT LListBox::ReleaseInternalReferences() {
  mItems.clear();
  mTemplateDescriptor = nullptr;
  return LScrollView::ReleaseInternalReferences();
}

int32_t LListBox::Receive(const RCPtr<LNotificationDistributor>& source, const RCPtr<LNotification>& notification) {
  if (!IsCreated()) return 1;
  if (mListHandlers) {
    const int32_t handled = mListHandlers->Dispatch(source, notification);
    if (handled != 0) return handled;
  }
  return LScrollView::Receive(source, notification);
}

SVRESULT LListBox::UnsubscribeVirtual(const RCPtr<LNotificationDistributor>& source, const char16_t* idText) {
  if (mListHandlers) mListHandlers->RemoveHandler(source.Get(), idText);
  if (const RCPtr<LScrollView::Handlers>& handlers = GetScrollViewHandlers())
    handlers->RemoveHandler(source.Get(), idText);
  return LScrollView::UnsubscribeVirtual(source, idText);
}

// --- Records ---

int32_t LListBox::GetItemCount() const { return static_cast<int32_t>(mItems.size()); }

LListBoxItemRecord& LListBox::GetItem(int32_t index) { return mItems[static_cast<size_t>(index)]; }

void LListBox::InsertItemRecord(int32_t index) { mItems.insert(mItems.begin() + index, LListBoxItemRecord{}); }

void LListBox::EraseItemRecord(int32_t index) { mItems.erase(mItems.begin() + index); }

SVRESULT LListBox::SwapItems(int32_t a, int32_t b) {
  std::swap(mItems[static_cast<size_t>(a)], mItems[static_cast<size_t>(b)]);
  return S_OK;
}

const LListBoxItemRecord& LListBox::GetItemRecordOrEmpty(int32_t index) {
  static const LListBoxItemRecord kEmpty;
  if (index < 0 || index >= GetItemCount()) return kEmpty;
  return GetItem(index);
}

// --- Items ---

RCPtr<LRefCountedObject> LListBox::MakeTextItem(const String& text) {
  return RCPtr<LRefCountedObject>(MakeStringPayload(text).Get());
}

String LListBox::GetItemText(int32_t index) {
  const LListBoxItemRecord& record = GetItemRecordOrEmpty(index);
  return record.data ? record.data->ToString() : String(u"");
}

// Anchor, caret and the pending click follow their items past an insertion.
void LListBox::MoveIndexesForInsert(int32_t index) {
  for (int32_t* item : {&mAnchorItem, &mCaretItem, &mPendingClickItem})
    if (*item >= index) ++*item;
}

SVRESULT LListBox::InsertItem(int32_t index, const RCPtr<LRefCountedObject>& data) {
  if (index < 0 || index > GetItemCount()) return E_INVALIDARG;
  InsertItemRecord(index);
  GetItem(index).data = data;
  MoveIndexesForInsert(index);
  FillRows();
  RebindRowsFrom(index);
  UpdateRowWidths();
  const int32_t width = GetItemWidth(index);
  if (width > mWidestItemWidth) SetMaxItemWidth(width);
  if (mDropDownMode) SetHeightToContent(GetContentHeight());
  if (mSorted) SortItems();
  return index;
}

int32_t LListBox::SetItemCount(int32_t count) {
  if (count == GetItemCount()) return count;
  mBatch = true;
  while (GetItemCount() < count)
    if (InsertItem(GetItemCount(), nullptr) < 0) break;
  while (GetItemCount() > std::max(count, 0))
    if (RemoveItem(GetItemCount() - 1) < 0) break;
  mBatch = false;
  UpdateRowWidths();
  RecomputeMaxItemWidth();
  if (mDropDownMode) SetHeightToContent(GetContentHeight());
  return GetItemCount() == count ? count : -GetItemCount();
}

// Anchor and caret after the record at `index` is gone: shifted when both lay after it,
// dropped when it split them.
void LListBox::MoveIndexesForRemove(int32_t index) {
  const bool belowAnchor = index < mAnchorItem;
  const bool belowCaret = index < mCaretItem;
  if (belowAnchor && belowCaret) {
    --mAnchorItem;
    --mCaretItem;
  } else if (belowAnchor != belowCaret) {
    mAnchorItem = mCaretItem = -1;
  }
  if (mPendingClickItem == index)
    mPendingClickItem = -1;
  else if (mPendingClickItem > index)
    --mPendingClickItem;
  const int32_t count = GetItemCount();
  if (mAnchorItem >= count || mCaretItem >= count) mAnchorItem = mCaretItem = -1;
}

SVRESULT LListBox::RemoveItem(int32_t index) {
  if (index < 0 || index >= GetItemCount()) return E_INVALIDARG;
  const int32_t oldWidth = GetItemWidth(index);
  Unselect(index);
  EraseItemRecord(index);
  MoveIndexesForRemove(index);
  const int32_t count = GetItemCount();
  if (count == 0) SetFirstVisibleItem(0);
  FillRows();
  RebindRowsFrom(index);
  if (oldWidth >= mWidestItemWidth) RecomputeMaxItemWidth();
  if (mDropDownMode) SetHeightToContent(GetContentHeight());
  if (count > 0) ScrollToItem(std::min(static_cast<int32_t>(mFirstVisibleItem), count - 1));
  return count;
}

SVRESULT LListBox::RemoveAllItems() {
  if (GetItemCount() == 0) return S_FALSE;
  SVRESULT result = S_OK;
  for (int32_t index = GetItemCount() - 1; index >= 0; --index)
    if (RemoveItem(index) < 0) result = E_FAIL;
  mAnchorItem = mCaretItem = -1;
  return result;
}

void LListBox::SetItemData(int32_t index, const RCPtr<LRefCountedObject>& data) {
  if (index < 0 || index >= GetItemCount()) return;
  const bool wasWidest = GetItemWidth(index) >= mWidestItemWidth;
  GetItem(index).data = data;
  RefreshItem(index);
  if (wasWidest) {
    RecomputeMaxItemWidth();
  } else {
    const int32_t width = GetItemWidth(index);
    if (width > mWidestItemWidth) SetMaxItemWidth(width);
  }
}

void LListBox::SetItem(int32_t index, const RCPtr<LRefCountedObject>& data, double value, bool alternate,
                       bool separator) {
  if (index < 0 || index >= GetItemCount()) return;
  LListBoxItemRecord& record = GetItem(index);
  const bool wasSelected = record.value >= 0.5;
  record.data = data;
  record.value = value;
  record.alternate = alternate;
  record.separator = separator;
  // The selected count follows a value written here, as it follows SetItemSelected.
  if (wasSelected != (value >= 0.5)) mSelectedCount += value >= 0.5 ? 1 : -1;
  RefreshItem(index);
}

int32_t LListBox::SetItemAlt(int32_t index, bool alternate) {
  if (index < 0 || index >= GetItemCount()) return 0;
  GetItem(index).alternate = alternate;
  UpdateRow(index);
  return 1;
}

int32_t LListBox::SetItemSeparator(int32_t index, bool separator) {
  if (index < 0 || index >= GetItemCount()) return 0;
  GetItem(index).separator = separator;
  UpdateRow(index);
  return 1;
}

SVRESULT LListBox::SetItemHidden(int32_t index, bool hidden) {
  if (index < 0 || index >= GetItemCount()) return E_INVALIDARG;
  if (GetItem(index).hidden == hidden) return S_FALSE;
  if (hidden) Unselect(index);
  GetItem(index).hidden = hidden;
  if (hidden && static_cast<uint32_t>(index) == mFirstVisibleItem) {
    mFirstVisibleItem = static_cast<uint32_t>(GetItemCount());
    ScrollToItem(index);
  }
  return S_OK;
}

void LListBox::RefreshItem(int32_t index) {
  int32_t row = -1;
  UpdateRow(index, row);
  if (mDropDownMode) {
    UpdateRowWidths();
    SetHeightToContent(GetContentHeight());
  }
}

namespace {
bool TextsMatch(const String& a, const String& b, bool caseSensitive) {
  return caseSensitive ? a == b : a.ToLower() == b.ToLower();
}
}  // namespace

int32_t LListBox::FindItemByText(const String& text, bool caseSensitive) {
  for (int32_t index = GetItemCount() - 1; index >= 0; --index)
    if (GetItem(index).data && TextsMatch(GetItemText(index), text, caseSensitive)) return index;
  return -1;
}

int32_t LListBox::SelectItemByText(const String& text, int32_t after, bool caseSensitive) {
  const int32_t count = GetItemCount();
  if (after < -1 || after >= count) after = -1;
  for (int32_t step = 1; step <= count; ++step) {
    const int32_t index = (after + step) % count;
    if (!GetItem(index).data || !TextsMatch(GetItemText(index), text, caseSensitive)) continue;
    SelectRange(index, -1, true);
    return index;
  }
  return -1;
}

namespace {
// The "ITEM.<n>" texts of a table by n; keys with n outside 0..maximum are refused.
std::vector<String> CollectItemTexts(const LStringTable& table, int32_t maximum) {
  static const String kPrefix(u"ITEM.");
  std::vector<String> texts;
  for (const auto& [key, text] : table.GetEntries()) {
    const String name(key);
    if (name.GetLength() <= kPrefix.GetLength() || !(name.Left(kPrefix.GetLength()) == kPrefix)) continue;
    const int32_t number = name.Mid(kPrefix.GetLength()).ToInt();
    if (number < 0 || number > maximum) continue;
    if (static_cast<size_t>(number) >= texts.size()) texts.resize(static_cast<size_t>(number) + 1, String(u""));
    texts[static_cast<size_t>(number)] = String(text);
  }
  return texts;
}
}  // namespace

SVRESULT LListBox::LoadItemsFromStringTable(const RCPtr<LStringTable>& table) {
  if (!table) return E_INVALIDARG;
  RemoveAllItems();
  const std::vector<String> texts = CollectItemTexts(*table, kMaxStringTableItem);
  SetItemCount(static_cast<int32_t>(texts.size()));
  mBatch = true;
  for (size_t index = 0; index < texts.size(); ++index)
    SetItemData(static_cast<int32_t>(index), MakeTextItem(texts[index]));
  mBatch = false;
  UpdateRowWidths();
  RecomputeMaxItemWidth();
  if (mDropDownMode) SetHeightToContent(GetContentHeight());
  return S_OK;
}

}  // namespace SV
