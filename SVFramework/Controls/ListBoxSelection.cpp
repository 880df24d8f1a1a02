#include <algorithm>
#include <cstdlib>

#include "SVFramework/Controls/ListBox.h"
#include "SVFramework/notification/Notification.h"

namespace SV {

void LListBox::Announce(const char16_t* id, const RCPtr<LRefCountedObject>& payload) {
  Distribute(LNotification::Obtain(id, payload));
}

bool LListBox::IsItemSelected(int32_t index) { return GetItemRecordOrEmpty(index).value >= 0.5; }

const std::vector<int32_t>& LListBox::GetSelectedIndexes() {
  mSelectedIndexes.clear();
  for (int32_t index = 0; index < GetItemCount(); ++index)
    if (GetItem(index).value >= 0.5) mSelectedIndexes.push_back(index);
  return mSelectedIndexes;
}

void LListBox::SetItemSelected(int32_t index, double value) {
  if (index < 0 || index >= GetItemCount()) return;
  LListBoxItemRecord& record = GetItem(index);
  const bool was = record.value >= 0.5;
  const bool now = value >= 0.5;
  if (was != now) mSelectedCount += now ? 1 : -1;
  record.value = value;
  UpdateRow(index);
}

SVRESULT LListBox::SelectRange(int32_t first, int32_t last, bool exclusive) {
  const int32_t count = GetItemCount();
  if (first < 0 || first >= count) return E_INVALIDARG;
  last = last < 0 ? first : std::min(last, count - 1);
  if (first == last && IsItemSelected(first) && (!exclusive || mSelectedCount == 1)) {
    ScrollToItem(first);
    return first;
  }
  mAnchorItem = first;
  mCaretItem = last;
  bool changed = false;
  if (exclusive) {
    const int32_t low = std::min(first, last);
    const int32_t high = std::max(first, last);
    for (int32_t index = count - 1; index >= 0; --index) {
      const bool inside = index >= low && index <= high;
      if (IsItemSelected(index) == inside) continue;
      SetItemSelected(index, inside ? 1.0 : 0.0);
      changed = true;
    }
  } else {
    const int32_t step = last >= first ? 1 : -1;
    for (int32_t index = first;; index += step) {
      if (!IsItemSelected(index)) {
        SetItemSelected(index, 1.0);
        changed = true;
      }
      if (index == last) break;
    }
  }
  ScrollToItem(mCaretItem);
  if (changed) NotifySelectionChanged();
  return first;
}

// The caret (and with it an anchor on the same item) moves to a selected neighbour of
// the unselected item, else to the anchor or the last selected item.
void LListBox::MoveCaretAfterUnselect(int32_t index) {
  const bool sameItem = mAnchorItem == mCaretItem;
  for (const int32_t neighbour : {index + 1, index - 1}) {
    if (!IsItemSelected(neighbour)) continue;
    mCaretItem = neighbour;
    if (sameItem) mAnchorItem = neighbour;
    return;
  }
  if (mAnchorItem < 0 || mAnchorItem >= GetItemCount() || mAnchorItem == index) {
    const std::vector<int32_t>& selected = GetSelectedIndexes();
    mAnchorItem = mCaretItem = selected.empty() ? -1 : selected.back();
  } else {
    mCaretItem = mAnchorItem;
  }
}

SVRESULT LListBox::Unselect(int32_t index) {
  if (!IsItemSelected(index)) return S_FALSE;
  SetItemSelected(index, 0.0);
  if (mSelectedCount == 0) {
    mAnchorItem = mCaretItem = -1;
  } else if (index == mCaretItem) {
    MoveCaretAfterUnselect(index);
  } else if (index == mAnchorItem) {
    if (IsItemSelected(index + 1))
      mAnchorItem = index + 1;
    else if (IsItemSelected(index - 1))
      mAnchorItem = index - 1;
    else
      mAnchorItem = -1;
  }
  NotifySelectionChanged();
  return S_OK;
}

void LListBox::ClearSelection() {
  bool changed = false;
  for (int32_t index = GetItemCount() - 1; index >= 0; --index) {
    if (!IsItemSelected(index)) continue;
    SetItemSelected(index, 0.0);
    changed = true;
  }
  mAnchorItem = mCaretItem = -1;
  if (changed) NotifySelectionChanged();
}

void LListBox::NotifySelectionChanged() {
  OnSelectionChanged();
  if (!mDropDownMode) Announce(u"NID_SELECTION_CHANGE", nullptr);
}

void LListBox::ActivateItem(int32_t index) {
  if (index < 0 || index >= GetItemCount() || !IsItemSelectable(index)) return;
  OnItemActivating(index);
  if (!ItemActivationEndsList(index)) return;
  if (mDropDownMode) SetVisible(false);
  if (GetParent() != nullptr) Announce(u"NID_ITEM_ACTIVATED", nullptr);
}

// --- Sort ---

namespace {
struct SortEntry {
  int32_t formerIndex;
  String text;
};

int CompareWithoutCase(const String& a, const String& b) {
  const String lowerA = a.ToLower();
  const String lowerB = b.ToLower();
  if (lowerA == lowerB) return 0;
  return lowerA < lowerB ? -1 : 1;
}

// Where an index that was among the sorted items lands; others stay.
int32_t SortedPlace(int32_t index, int32_t start, const std::vector<SortEntry>& entries) {
  for (size_t place = 0; place < entries.size(); ++place)
    if (entries[place].formerIndex == index) return start + static_cast<int32_t>(place);
  return index;
}
}  // namespace

SVRESULT LListBox::Sort(int32_t start, int32_t count) {
  if (count == 0) return S_FALSE;
  if (start < 0 || count < 0 || start + count > GetItemCount()) return E_INVALIDARG;
  std::vector<SortEntry> entries;
  for (int32_t index = start; index < start + count; ++index) entries.push_back({index, GetItemText(index)});
  std::stable_sort(entries.begin(), entries.end(), [](const SortEntry& a, const SortEntry& b) {
    return CompareWithoutCase(a.text, b.text) < 0;
  });
  // positionOf[k]: where the item formerly at start + k sits now.
  std::vector<int32_t> positionOf(static_cast<size_t>(count));
  std::vector<int32_t> formerAt(static_cast<size_t>(count));
  for (int32_t k = 0; k < count; ++k) positionOf[static_cast<size_t>(k)] = formerAt[static_cast<size_t>(k)] = k;
  for (int32_t k = 0; k < count; ++k) {
    const int32_t wanted = entries[static_cast<size_t>(k)].formerIndex - start;
    const int32_t from = positionOf[static_cast<size_t>(wanted)];
    if (from == k) continue;
    // A list that cannot be reordered refuses its first exchange: nothing has moved.
    if (const SVRESULT swapped = SwapItems(start + k, start + from); swapped < 0) return swapped;
    const int32_t displaced = formerAt[static_cast<size_t>(k)];
    formerAt[static_cast<size_t>(from)] = displaced;
    positionOf[static_cast<size_t>(displaced)] = from;
    formerAt[static_cast<size_t>(k)] = wanted;
    positionOf[static_cast<size_t>(wanted)] = k;
  }
  mAnchorItem = SortedPlace(mAnchorItem, start, entries);
  mCaretItem = SortedPlace(mCaretItem, start, entries);
  mPendingClickItem = SortedPlace(mPendingClickItem, start, entries);
  RebindRowsFrom(static_cast<int32_t>(mFirstVisibleItem));
  if (mCaretItem >= 0) ScrollToItem(mCaretItem);
  return S_OK;
}

bool LListBox::SortItems() { return Sort(0, GetItemCount()) >= 0; }

}  // namespace SV
