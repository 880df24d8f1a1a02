#include <algorithm>
#include <cmath>

#include "SVFramework/Application/FrameworkApp.h"
#include "SVFramework/ControlBase/ConditionBits.h"
#include "SVFramework/ControlBase/ControlFactory.h"
#include "SVFramework/Controls/ListBox.h"
#include "SVFramework/Controls/ListBoxGeometry.h"

namespace SV {

namespace {
constexpr const char16_t* kTemplateName = u"templateItem";
}  // namespace

// --- Walking the items that are shown ---

// The first item from `index` on (towards `step`) that is not hidden; -1 when none.
int32_t LListBox::NextShown(int32_t index, int32_t step) const {
  for (; index >= 0 && index < GetItemCount(); index += step)
    if (!const_cast<LListBox*>(this)->GetItem(index).hidden) return index;
  return -1;
}

int32_t LListBox::CountShownBefore(int32_t index) const {
  int32_t shown = 0;
  for (int32_t item = 0; item < std::min(index, GetItemCount()); ++item)
    if (!const_cast<LListBox*>(this)->GetItem(item).hidden) ++shown;
  return shown;
}

// The shown item at a place among the shown items; the last one when past them.
int32_t LListBox::ShownItemAt(int32_t position) const {
  int32_t item = NextShown(0, 1);
  for (int32_t passed = 0; passed < position && item >= 0; ++passed) {
    const int32_t next = NextShown(item + 1, 1);
    if (next < 0) break;
    item = next;
  }
  return item;
}

int32_t LListBox::LastShownItem() const { return NextShown(GetItemCount() - 1, -1); }

// Rows past the shown items stand for the indexes count, count + 1, ...
int32_t LListBox::ItemOfRow(uint32_t rowIndex) const {
  const int32_t count = GetItemCount();
  int32_t item = static_cast<int32_t>(std::min<uint32_t>(mFirstVisibleItem, static_cast<uint32_t>(count)));
  item = NextShown(item, 1);
  uint32_t row = 0;
  while (item >= 0 && row < rowIndex) {
    item = NextShown(item + 1, 1);
    ++row;
  }
  if (item >= 0) return item;
  return count + static_cast<int32_t>(rowIndex - row);
}

int32_t LListBox::RowOfItemOrEmpty(int32_t index) const {
  const int32_t count = GetItemCount();
  if (index < 0) return -1;
  const auto first = static_cast<int32_t>(std::min<uint32_t>(mFirstVisibleItem, static_cast<uint32_t>(count)));
  int32_t row = 0;
  if (index < count) {
    if (index < first || const_cast<LListBox*>(this)->GetItem(index).hidden) return -1;
    row = CountShownBefore(index) - CountShownBefore(first);
  } else {
    row = CountShownBefore(count) - CountShownBefore(first) + (index - count);
  }
  return row < static_cast<int32_t>(mRows.size()) ? row : -1;
}

// --- Rows ---

RCPtr<LListBoxItem> LListBox::GetRow(uint32_t rowIndex) const {
  if (rowIndex >= mRows.size() || mRows[rowIndex] >= GetChildCount()) return nullptr;
  return RCPtr<LListBoxItem>(dynamic_cast<LListBoxItem*>(GetChildAt(mRows[rowIndex]).Get()));
}

int32_t LListBox::GetItemIndexOfRow(const LControl* row) const {
  for (uint32_t rowIndex = 0; rowIndex < mRows.size(); ++rowIndex) {
    if (GetRow(rowIndex).Get() != row) continue;
    const int32_t item = ItemOfRow(rowIndex);
    return item < GetItemCount() ? item : -1;
  }
  return -1;
}

int32_t LListBox::GetRowIndexOfItem(int32_t index) {
  if (index < 0 || index >= GetItemCount()) return -1;
  return RowOfItemOrEmpty(index);
}

void LListBox::BindRow(LListBoxItem& row, int32_t index) {
  const bool isItem = index >= 0 && index < GetItemCount();
  const LListBoxItemRecord empty;
  const LListBoxItemRecord& record = isItem ? GetItem(index) : empty;
  row.SetText(record.data ? record.data->ToString() : String(u""));
  row.SetNormalizedValue(record.value);
  if (row.IsAlternate() != record.alternate) {
    row.SetAlternate(record.alternate);
    row.UpdateLook();
  }
  row.SetEnabled(isItem);
  row.SetSeparator(record.separator);
}

SVRESULT LListBox::UpdateRow(int32_t index, int32_t& rowIndex) {
  rowIndex = RowOfItemOrEmpty(index);
  if (rowIndex < 0) return S_FALSE;
  const RCPtr<LListBoxItem> row = GetRow(static_cast<uint32_t>(rowIndex));
  if (!row) return S_FALSE;
  BindRow(*row, index);
  return S_OK;
}

SVRESULT LListBox::RebindRowsFrom(int32_t index) {
  SVRESULT result = S_FALSE;
  for (uint32_t rowIndex = 0; rowIndex < mRows.size(); ++rowIndex) {
    const int32_t item = ItemOfRow(rowIndex);
    if (item < index) continue;
    if (!GetRow(rowIndex)) continue;
    // Through the virtual UpdateRow, so that a derived list binds its own row parts too.
    int32_t bound = -1;
    UpdateRow(item, bound);
    result = S_OK;
  }
  return result;
}

RCPtr<LLayoutDescriptor> LListBox::MakeRowLayout() const {
  RCPtr<LLayoutDescriptor> layout;
  if (mTemplateDescriptor->Layout)
    mTemplateDescriptor->Layout->Clone(layout);
  else
    layout = LLayoutDescriptor::Create();
  LPlacementSpec& y = layout->Placement[LLayoutDescriptor::kAxisY];
  y.docked = true;
  y.anchor = 0;
  y.abs = 0;
  const RCPtr<LListBoxItem> last = mRows.empty() ? nullptr : GetRow(static_cast<uint32_t>(mRows.size() - 1));
  if (last) {
    y.reference = PositionReference::NamedControl;
    y.name = last->GetName();
    y.rel = 1;
  } else {
    y.reference = PositionReference::Client;
    y.name = String(u"");
    y.rel = 0;
  }
  layout->TextOverflowXType = TextOverflow::Clip;
  return layout;
}

void LListBox::BindRowHandlers(const RCPtr<LListBoxItem>& row) {
  if (!mListHandlers) mListHandlers = ListHandlers::Create(this);
  const RCPtr<LNotificationDistributor> source(row.Get());
  mListHandlers->AddHandler(&LListBox::OnRowMouseDown, source, u"NID_MOUSE_DOWN");
  mListHandlers->AddHandler(&LListBox::OnRowMouseUp, source, u"NID_MOUSE_UP");
  mListHandlers->AddHandler(&LListBox::OnRowLeftDragConditionChange, source, u"NID_LEFT_DRAG_CONDITION_CHANGE");
  mListHandlers->AddHandler(&LListBox::OnRowHoverConditionChange, source, u"NID_HOVER_CONDITION_CHANGE");
  row->SetForwardDrag(mDropDownMode);
  row->SetDragThreshold(mRowDragThreshold);
}

SVRESULT LListBox::AddRow() {
  const RCPtr<LControlFactory>& factory = GetApplicationControlFactory();
  if (!factory || !mTemplateDescriptor) return E_FAIL;
  const String name = String::FromFormat(u"ItemControl%d", static_cast<int32_t>(mRows.size() + 1));
  const RCPtr<LControlDescriptor> descriptor =
      factory->CloneControlDescriptor(mTemplateDescriptor, MakeRowLayout(), name);
  RCPtr<LControl> created;
  factory->CreateControl(created, descriptor, RCPtr<LControl>(this));
  const RCPtr<LListBoxItem> row(dynamic_cast<LListBoxItem*>(created.Get()));
  if (!row) {
    if (created) created->Detach();
    return E_FAIL;
  }
  BindRowHandlers(row);
  row->SetUseParentTooltip(true);
  mRows.push_back(static_cast<uint32_t>(IndexOfChild(row.Get(), ChildOrder::InsertionOrder)));
  int32_t bound = -1;
  UpdateRow(ItemOfRow(static_cast<uint32_t>(mRows.size() - 1)), bound);
  return S_OK;
}

double LListBox::VisibleBottom() const {
  const RectT<double> client = GetLookClientRect(-1);
  return client.y + client.height;
}

double LListBox::LastRowBottom() const {
  const RCPtr<LListBoxItem> last = mRows.empty() ? nullptr : GetRow(static_cast<uint32_t>(mRows.size() - 1));
  if (!last) return GetLookClientRect(-1).y;
  const RectT<double> rect = GetRectInParent(*last);
  return rect.y + rect.height;
}

bool LListBox::LastRowIsFlat() const {
  const RCPtr<LListBoxItem> last = mRows.empty() ? nullptr : GetRow(static_cast<uint32_t>(mRows.size() - 1));
  return last && last->GetRect().height <= 0;
}

SVRESULT LListBox::FillRows() {
  if (mFilling || mApplyingDescriptor) return S_OK;
  if (!mTemplateDescriptor || !mRowHeightMeasured) return S_FALSE;
  mFilling = true;
  // A row that adds no height (a zero-height template, a failed creation) ends the
  // filling instead of looping for ever, and no later filling adds another.
  while (LastRowBottom() < VisibleBottom() && !LastRowIsFlat()) {
    const double before = LastRowBottom();
    if (AddRow() < 0 || LastRowBottom() <= before) break;
  }
  mFilling = false;
  return S_OK;
}

int32_t LListBox::FullyVisibleRowCount() const {
  const double bottom = VisibleBottom();
  int32_t count = 0;
  for (uint32_t rowIndex = 0; rowIndex < mRows.size(); ++rowIndex) {
    const RCPtr<LListBoxItem> row = GetRow(rowIndex);
    if (!row) break;
    const RectT<double> rect = GetRectInParent(*row);
    if (rect.y + rect.height > bottom) break;
    ++count;
  }
  return count;
}

RectT<double> LListBox::GetItemRect(int32_t index) {
  const int32_t rowIndex = GetRowIndexOfItem(index);
  const RCPtr<LListBoxItem> row = rowIndex < 0 ? nullptr : GetRow(static_cast<uint32_t>(rowIndex));
  if (!row) return {0, 0, 0, 0};
  return GetRectInParent(*row);
}

int32_t LListBox::GetItemAtPoint(PointT<int32_t> point) {
  const RectT<double> client = GetLookClientRect(-1);
  const auto inside = [point](const RectT<double>& rect) {
    return point.x >= rect.x && point.x < rect.x + rect.width && point.y >= rect.y && point.y < rect.y + rect.height;
  };
  if (!inside(client)) return -1;
  for (uint32_t rowIndex = static_cast<uint32_t>(mRows.size()); rowIndex-- > 0;) {
    const RCPtr<LListBoxItem> row = GetRow(rowIndex);
    if (!row || !inside(GetRectInParent(*row))) continue;
    const int32_t item = ItemOfRow(rowIndex);
    return item < GetItemCount() ? item : -1;
  }
  return -1;
}

PointT<int32_t> LListBox::RowPointToList(const LControl& row, const LPointParam& point) const {
  const RectT<double> rect = GetRectInParent(row);
  return {point.x + static_cast<int32_t>(std::lround(rect.x)), point.y + static_cast<int32_t>(std::lround(rect.y))};
}

SVRESULT LListBox::SetItemHover(int32_t index, bool hover) {
  const int32_t rowIndex = GetRowIndexOfItem(index);
  const RCPtr<LListBoxItem> row = rowIndex < 0 ? nullptr : GetRow(static_cast<uint32_t>(rowIndex));
  if (!row) return S_FALSE;
  row->SetChildHover(hover);
  return S_OK;
}

SVRESULT LListBox::SetItemLook(int32_t index, int32_t look) {
  const int32_t rowIndex = GetRowIndexOfItem(index);
  const RCPtr<LListBoxItem> row = rowIndex < 0 ? nullptr : GetRow(static_cast<uint32_t>(rowIndex));
  if (!row || look < 0 || static_cast<uint32_t>(look) >= row->GetLookCount()) return S_FALSE;
  return row->SetExclusiveLook(look);
}

// --- Layout ---

int32_t LListBox::GetItemWidth(int32_t index) {
  if (index < 0 || index >= GetItemCount() || mRows.empty()) return 0;
  LFrameworkApp* application = GetFrameworkApp();
  const RCPtr<LListBoxItem> row = GetRow(0);
  if (application == nullptr || !row) return 0;
  const RCPtr<LMeasurementRenderer> renderer = application->GetRenderer();
  if (!renderer) return 0;
  const RectT<float> box = renderer->MeasureText(GetItemText(index), *row->GetFont());
  return static_cast<int32_t>(box.width + 0.5 + mEmptyRowWidth);
}

int32_t LListBox::GetContentHeight() { return CountShownBefore(GetItemCount()) * mRowHeight; }

SVRESULT LListBox::SetMaxItemWidth(int32_t width) {
  if (mBatch || width == mWidestItemWidth) return S_FALSE;
  mWidestItemWidth = width;
  UpdateRowWidths();
  return S_OK;
}

SVRESULT LListBox::RecomputeMaxItemWidth() {
  if (mBatch) return S_FALSE;
  int32_t widest = 0;
  for (int32_t index = 0; index < GetItemCount(); ++index) widest = std::max(widest, GetItemWidth(index));
  return SetMaxItemWidth(widest);
}

bool LListBox::TemplateSizesItself() const {
  return !mTemplateDescriptor || !mTemplateDescriptor->Layout ||
         mTemplateDescriptor->Layout->Size[LLayoutDescriptor::kAxisX].reference == SizeReference::Self;
}

void LListBox::UpdateRowWidths() {
  if (mBatch) return;
  SetClientExtent({TemplateSizesItself() ? static_cast<double>(mWidestItemWidth) : 0.0,
                   static_cast<double>(GetContentHeight())});
}

SVRESULT LListBox::SetHeightToContent(double height) {
  if (mBatch || !GetLayout()) return S_FALSE;
  LPlacementSpec placement;
  LSizeSpec size;
  GetLayout()->GetPlacement(LLayoutDescriptor::kAxisY, placement, size);
  size.reference = SizeReference::Self;
  size.name = String(u"");
  size.rel = 0;
  size.abs = std::round(GetRect().height - GetLookClientRect(-1).height + height);
  return SetPlacement(LLayoutDescriptor::kAxisY, placement, size);
}

void LListBox::SnapHeightToRows() {
  if (!GetLayout() || mRowHeight <= 0) return;
  const double nonClient = GetRect().height - GetLookClientRect(-1).height;
  const double row = mRowHeight;
  const auto snapLimit = [&](double abs) { return std::max(nonClient + row * std::floor((abs - nonClient) / row), nonClient + row); };
  LSizeLimitSpec minimum;
  LSizeLimitSpec maximum;
  GetLayout()->GetMinMax(LLayoutDescriptor::kAxisY, minimum, maximum);
  if (minimum.abs > nonClient) minimum.abs = snapLimit(minimum.abs);
  if (maximum.abs > nonClient) maximum.abs = snapLimit(maximum.abs);
  if (minimum.abs > 0 || maximum.abs > 0) SetMinMax(LLayoutDescriptor::kAxisY, minimum, maximum);
  LPlacementSpec placement;
  LSizeSpec size;
  GetLayout()->GetPlacement(LLayoutDescriptor::kAxisY, placement, size);
  if (size.abs <= 0) return;
  size.abs = std::max(nonClient + row * std::floor(size.abs / row), nonClient + row);
  SetPlacement(LLayoutDescriptor::kAxisY, placement, size);
}

void LListBox::SetDropDownMode(bool dropDown) {
  for (uint32_t rowIndex = 0; rowIndex < mRows.size(); ++rowIndex)
    if (const RCPtr<LListBoxItem> row = GetRow(rowIndex)) row->SetForwardDrag(dropDown);
  mDropDownMode = dropDown;
}

// --- Scrolling ---

void LListBox::SetFirstVisibleItem(int32_t index) { mFirstVisibleItem = static_cast<uint32_t>(std::max(index, 0)); }

void LListBox::ScrollCachedContent(PointT<double> previous, PointT<double> next) {
  if (next.y != previous.y && mRowHeight > 0) {
    const auto position = static_cast<int32_t>(std::trunc(next.y / mRowHeight));
    const int32_t item = ShownItemAt(std::max(position, 0));
    if (item >= 0 && static_cast<uint32_t>(item) != mFirstVisibleItem) {
      SetFirstVisibleItem(item);
      RebindRowsFrom(item);
      ResetHoveredRow();
    }
  }
  LScrollView::ScrollCachedContent(previous, next);
}

// The row under a resting pointer now shows another item: its hover starts afresh.
void LListBox::ResetHoveredRow() {
  LRootWindow* rootWindow = GetRootWindow();
  const RCPtr<LControl> hovered = rootWindow ? rootWindow->GetHoverControl() : nullptr;
  if (!hovered || hovered->GetParent() != this || GetItemIndexOfRow(hovered.Get()) < 0) return;
  hovered->SetVisible(false);
  hovered->SetVisible(true);
}

SVRESULT LListBox::ScrollToItem(int32_t index) {
  if (index < 0 || index >= GetItemCount()) return E_INVALIDARG;
  int32_t target = NextShown(index, -1);
  if (target < 0) target = NextShown(index, 1);
  if (target < 0 || mRows.empty()) return S_FALSE;
  const int32_t lastRow = std::max(FullyVisibleRowCount() - 1, 0);
  int32_t lastFirst = LastShownItem();
  for (int32_t step = 0; step < lastRow && NextShown(lastFirst - 1, -1) >= 0; ++step)
    lastFirst = NextShown(lastFirst - 1, -1);
  const auto first = static_cast<int32_t>(mFirstVisibleItem);
  int32_t newFirst = first;
  if (target > lastFirst) {
    newFirst = lastFirst;
  } else if (target < first || GetItemCount() <= first || GetItem(first).hidden) {
    newFirst = target;
  } else if (RowOfItemOrEmpty(target) < 0 || RowOfItemOrEmpty(target) > lastRow) {
    newFirst = target;
    for (int32_t step = 0; step < lastRow && NextShown(newFirst - 1, -1) >= 0; ++step)
      newFirst = NextShown(newFirst - 1, -1);
  }
  const bool dropDown = mDropDownMode;
  mDropDownMode = false;
  SetScrollOffset({GetScrollOffset().x, static_cast<double>(CountShownBefore(newFirst) * mRowHeight)});
  mDropDownMode = dropDown;
  if (static_cast<uint32_t>(newFirst) != mFirstVisibleItem) {
    SetFirstVisibleItem(newFirst);
    RebindRowsFrom(newFirst);
  }
  return S_OK;
}

// --- Creation and re-skin ---

SVRESULT LListBox::MeasureRowHeight(const RCPtr<LControl>& templateControl) {
  if (!templateControl) return E_INVALIDARG;
  const String saved = templateControl->GetText();
  templateControl->SetText(String(u""));
  mEmptyRowWidth = static_cast<int32_t>(std::lround(templateControl->GetRect().width));
  templateControl->SetText(String(u"{WXyg|}"));
  const auto height = static_cast<int32_t>(std::lround(templateControl->GetRect().height));
  mRowHeight = height < 1 ? kDefaultRowHeight : height;
  templateControl->SetText(saved);
  if (mDropDownMode) SetHeightToContent(mRowHeight * std::max(GetItemCount(), 1));
  mRowHeightMeasured = true;
  return S_OK;
}

bool LListBox::InitializeTemplate() {
  const RCPtr<LControl> templateControl = FindChild(String(kTemplateName));
  if (!templateControl) return false;
  mTemplateDescriptor = templateControl->GetDescriptor();
  MeasureRowHeight(templateControl);
  templateControl->Detach();
  SetLineMode(mRowHeight);
  SyncScrollBars();
  if (const RCPtr<LStringTable>& table = GetStringTable()) LoadItemsFromStringTable(table);
  FillRows();
  return true;
}

void LListBox::InitializeFixedRows() {
  for (int32_t number = 1;; ++number) {
    const RCPtr<LListBoxItem> row(dynamic_cast<LListBoxItem*>(FindChild(String::FromFormat(u"item%d", number)).Get()));
    if (!row) break;
    if (mRows.empty()) MeasureRowHeight(row);
    mRows.push_back(static_cast<uint32_t>(IndexOfChild(row.Get(), ChildOrder::InsertionOrder)));
    const int32_t index = GetItemCount();
    InsertItemRecord(index);
    GetItem(index).data = MakeTextItem(row->GetText());
    BindRowHandlers(row);
  }
  if (mRows.empty()) return;
  RebindRowsFrom(0);
  if (mDropDownMode) SetHeightToContent(GetContentHeight());
  UpdateRowWidths();
  if (mSorted) SortItems();
}

SVRESULT LListBox::Initialize() {
  const SVRESULT result = LScrollView::Initialize();
  if (!mListHandlers) mListHandlers = ListHandlers::Create(this);
  // The list sets its extent itself (UpdateRowWidths), whatever the skin asked for.
  SetAutoClientExtent(kAutoExtentOff, 0, 0);
  UpdateListLook();
  if (!InitializeTemplate()) InitializeFixedRows();
  return result;
}

void LListBox::EndClientRectWatch() {
  LScrollView::EndClientRectWatch();
  FillRows();
  ScrollToItem(static_cast<int32_t>(mFirstVisibleItem));
}

void LListBox::OnConditionsChanged(const RCPtr<LConditionsParam>& param) {
  LScrollView::OnConditionsChanged(param);
  if (!param || ((param->previous ^ param->current) & (Condition::kEnabled | Condition::kFocus)) == 0) return;
  UpdateListLook();
}

// Look 1 disabled, 2 focused, else 0 (0 also when the look list is shorter).
void LListBox::UpdateListLook() {
  if (GetLookCount() == 0) return;
  int32_t look = 0;
  if (!IsEnabled(true))
    look = 1;
  else if (HasFocus())
    look = 2;
  SetExclusiveLook(static_cast<uint32_t>(look) < GetLookCount() ? look : 0);
}

void LListBox::OnChildRemoved(LControl* child, int32_t position) {
  if (dynamic_cast<LListBoxItem*>(child) != nullptr && position >= 0) {
    const auto removed = static_cast<uint32_t>(position);
    const auto found = std::find(mRows.begin(), mRows.end(), removed);
    if (found != mRows.end()) mRows.erase(found);
    for (uint32_t& row : mRows)
      if (row > removed) --row;
  }
  LScrollView::OnChildRemoved(child, position);
}

SVRESULT LListBox::ApplyDescriptor(const RCPtr<LControlDescriptor>& descriptor) {
  if (!IsCreated()) return LScrollView::ApplyDescriptor(descriptor);
  mApplyingDescriptor = true;
  const SVRESULT result = LScrollView::ApplyDescriptor(descriptor);
  mApplyingDescriptor = false;
  // A new skin's template replaces the old one; a skin without one keeps it.
  for (uint32_t index = 0; descriptor && index < descriptor->Children.GetCount(); ++index)
    if (descriptor->Children[index]->Name == kTemplateName) AdoptChild(nullptr, descriptor->Children[index]);
  FillRows();
  RebindRowsFrom(static_cast<int32_t>(mFirstVisibleItem));
  RecomputeMaxItemWidth();
  return result;
}

SVRESULT LListBox::AdoptChild(const RCPtr<LControl>& child, const RCPtr<LControlDescriptor>& descriptor) {
  if (child) {
    if (!descriptor) return S_OK;
    const SVRESULT result = LScrollView::AdoptChild(child, descriptor);
    const String& name = child->GetName();
    if (dynamic_cast<LListBoxItem*>(child.Get()) != nullptr && name.GetLength() > 4 && name.Left(4) == u"item") {
      // Only "item1" up to the row count name a row; other numbers are no row.
      const int32_t number = name.Mid(4).ToInt();
      if (number >= 1 && static_cast<size_t>(number) <= mRows.size())
        mRows[static_cast<size_t>(number - 1)] = static_cast<uint32_t>(IndexOfChild(child.Get(), ChildOrder::InsertionOrder));
    }
    return result;
  }
  if (!descriptor || !(descriptor->Name == kTemplateName)) return E_FAIL;
  const RCPtr<LControlFactory>& factory = GetApplicationControlFactory();
  if (!factory) return E_FAIL;
  mTemplateDescriptor = descriptor;
  RCPtr<LControl> templateControl;
  factory->CreateControl(templateControl, descriptor, RCPtr<LControl>(this));
  if (!templateControl) return E_FAIL;
  MeasureRowHeight(templateControl);
  templateControl->Detach();
  return S_OK;
}

}  // namespace SV
