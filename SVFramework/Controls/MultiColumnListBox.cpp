#include "SVFramework/Controls/MultiColumnListBox.h"

#include "SVFramework/ControlBase/ConditionBits.h"
#include "SVFramework/notification/NotificationNames.h"

namespace SV {

namespace {
constexpr const char16_t* kScrollOffsetChange = u"NID_SCROLL_OFFSET_CHANGE";

template <class T>
RCPtr<T> ChildAs(const LControl& parent, const char16_t* prefix, uint32_t number) {
  return RCPtr<T>(dynamic_cast<T*>(parent.FindChild(String(prefix) + String::FromFormat(u"%d", number)).Get()));
}
}  // namespace

LMultiColumnListBox::LMultiColumnListBox(const RCPtr<LControl>& parent, const String& name) : LPanel(parent, name) {}

LMultiColumnListBox::~LMultiColumnListBox() {
  mSortAscending.clear();
  mHeaders.clear();
  mColumns.clear();
  mTableHandlers = nullptr;
}

SVRESULT LMultiColumnListBox::ReleaseInternalReferences() {
  mHeaders.clear();
  mColumns.clear();
  return LPanel::ReleaseInternalReferences();
}

int32_t LMultiColumnListBox::Receive(const RCPtr<LNotificationDistributor>& source,
                                     const RCPtr<LNotification>& notification) {
  if (!IsCreated()) return 1;
  if (mTableHandlers) {
    const int32_t handled = mTableHandlers->Dispatch(source, notification);
    if (handled != 0) return handled;
  }
  return LPanel::Receive(source, notification);
}

SVRESULT LMultiColumnListBox::UnsubscribeVirtual(const RCPtr<LNotificationDistributor>& source,
                                                 const char16_t* idText) {
  if (mTableHandlers) mTableHandlers->RemoveHandler(source.Get(), idText);
  if (const RCPtr<LPanel::Handlers>& handlers = GetPanelHandlers()) handlers->RemoveHandler(source.Get(), idText);
  if (const RCPtr<LScrollView::Handlers>& handlers = GetScrollViewHandlers())
    handlers->RemoveHandler(source.Get(), idText);
  return LPanel::UnsubscribeVirtual(source, idText);
}

// --- Creation ---

SVRESULT LMultiColumnListBox::Initialize() {
  SVRESULT result = LPanel::Initialize();
  if (!mTableHandlers) mTableHandlers = TableHandlers::Create(this);
  FindColumns();
  FindHeaders();
  if (!mHeaders.empty()) result = mHeaders.size() == mColumns.size() ? 1 : 0;
  mSortAscending.assign(mColumns.size(), true);
  SetAutoClientExtent(kAutoExtentOff, 0, 0);
  SetLineMode(mColumns.empty() ? LListBox::kDefaultRowHeight : mColumns.front()->GetRowHeight());
  return result;
}

// The column keeps its vertical place in the viewport while the table scrolls.
void LMultiColumnListBox::DockOnY(LControl& control) {
  if (!control.GetLayout()) return;
  LPlacementSpec placement;
  LSizeSpec size;
  control.GetLayout()->GetPlacement(LLayoutDescriptor::kAxisY, placement, size);
  placement.docked = true;
  control.SetPlacement(LLayoutDescriptor::kAxisY, placement, size);
}

void LMultiColumnListBox::FindColumns() {
  mColumns.clear();
  for (uint32_t number = 1;; ++number) {
    const RCPtr<LListBox> column = ChildAs<LListBox>(*this, u"listboxNoScroll", number);
    if (!column) break;
    mColumns.push_back(column);
    const RCPtr<LNotificationDistributor> source(column.Get());
    mTableHandlers->AddHandler(&LMultiColumnListBox::OnItemHoverConditionChange, source,
                               u"NID_ITEM_HOVER_CONDITION_CHANGE");
    mTableHandlers->AddHandler(&LMultiColumnListBox::OnSelectionChange, source, NotificationName::kSelectionChange);
    mTableHandlers->AddHandler(&LMultiColumnListBox::OnItemActivated, source, u"NID_ITEM_ACTIVATED");
    mTableHandlers->AddHandler(&LMultiColumnListBox::OnItemDoubleClicked, source, u"NID_ITEM_DOUBLE_CLICKED");
    if (number == 1) {
      mTableHandlers->AddHandler(&LMultiColumnListBox::OnScrollOffsetChange, source, kScrollOffsetChange);
      mTableHandlers->AddHandler(&LMultiColumnListBox::OnClientExtentChange, source, u"NID_CLIENT_EXTENT_CHANGE");
    }
    DockOnY(*column);
  }
}

void LMultiColumnListBox::FindHeaders() {
  mHeaders.clear();
  for (uint32_t number = 1;; ++number) {
    const RCPtr<LButton> header = ChildAs<LButton>(*this, u"buttonColumnHeader", number);
    if (!header) break;
    mHeaders.push_back(header);
    mTableHandlers->AddHandler(&LMultiColumnListBox::OnHeaderClick, RCPtr<LNotificationDistributor>(header.Get()),
                               u"NID_LEFT_CLICK");
    DockOnY(*header);
  }
}

void LMultiColumnListBox::OnDescriptorApplied() {
  for (size_t index = mColumns.size(); index-- > 1;) mColumns[index]->SetNotFocusable(true);
  if (!mColumns.empty()) SetLineMode(mColumns.front()->GetRowHeight());
  SyncScrollBars();
  ApplyColumnSizeLimits();
  SetTableExtent();
}

// Limits the skin leaves open: no maximum width, a height of at least one row and no
// maximum height.
void LMultiColumnListBox::ApplyColumnSizeLimits() {
  for (size_t index = mColumns.size(); index-- > 0;) {
    LListBox& column = *mColumns[index];
    const RCPtr<LControlDescriptor>& descriptor = column.GetDescriptor();
    const LLayoutDescriptor* skin = descriptor ? descriptor->Layout.Get() : nullptr;
    if (!skin || !column.GetLayout()) continue;
    LSizeLimitSpec minimum;
    LSizeLimitSpec maximum;
    if (skin->MaxSize[LLayoutDescriptor::kAxisX].abs == 0) {
      column.GetLayout()->GetMinMax(LLayoutDescriptor::kAxisX, minimum, maximum);
      maximum.rel = 0;
      maximum.abs = 0;
      column.SetMinMax(LLayoutDescriptor::kAxisX, minimum, maximum);
    }
    const bool openMinimum = skin->MinSize[LLayoutDescriptor::kAxisY].abs == 0;
    const bool openMaximum = skin->MaxSize[LLayoutDescriptor::kAxisY].abs == 0;
    if (!openMinimum && !openMaximum) continue;
    column.GetLayout()->GetMinMax(LLayoutDescriptor::kAxisY, minimum, maximum);
    if (openMinimum) {
      minimum.rel = 0;
      minimum.abs = column.GetRowHeight();
    }
    if (openMaximum) {
      maximum.rel = 0;
      maximum.abs = 0;
    }
    column.SetMinMax(LLayoutDescriptor::kAxisY, minimum, maximum);
  }
}

// Width to the right edge of the last column, height of column 1's content.
SVRESULT LMultiColumnListBox::SetTableExtent() {
  if (mColumns.empty()) return S_FALSE;
  const RectT<double>& last = mColumns.back()->GetRect();
  return SetClientExtent({last.x + last.width, mColumns.front()->GetClientExtent().y});
}

void LMultiColumnListBox::OnChildRectChanged(LControl* child) {
  LPanel::OnChildRectChanged(child);
  if (child != nullptr && !mColumns.empty() && child == mColumns.back().Get()) SetTableExtent();
}

RectT<double> LMultiColumnListBox::GetVisibleRect() {
  if (mColumns.empty()) return {0, 0, 0, 0};
  const LListBox& first = *mColumns.front();
  const double width = GetLookClientRect(-1).width - GetScrollBarSizes().x;
  return {first.GetRect().x, first.GetRect().y, width > 0 ? width : 0, first.GetLookClientRect(-1).height};
}

// --- Scrolling ---

// The columns' contents follow the table's vertical offset; sideways the table moves
// the columns themselves.
void LMultiColumnListBox::ScrollCachedContent(PointT<double> previous, PointT<double> next) {
  const auto scrollColumns = [&] {
    for (const RCPtr<LListBox>& column : mColumns) column->SetScrollOffset({column->GetScrollOffset().x, next.y});
  };
  const RCPtr<LNotificationDistributor> first(mColumns.empty() ? nullptr : mColumns.front().Get());
  if (first && mTableHandlers && mTableHandlers->HasHandler(first.Get(), kScrollOffsetChange)) {
    CAutoNotificationDisabler<LMultiColumnListBox> disabler(mTableHandlers, first, kScrollOffsetChange);
    scrollColumns();
  } else {
    scrollColumns();
  }
  LPanel::ScrollCachedContent(previous, next);
}

// Keyboard navigation in column 1 scrolls it vertically; the table takes only that
// offset, so a sideways scroll of the table stays.
int32_t LMultiColumnListBox::OnScrollOffsetChange(const RCPtr<LNotificationDistributor>&,
                                                  const RCPtr<LNotification>&) {
  if (!mColumns.empty()) SetScrollOffset({GetScrollOffset().x, mColumns.front()->GetScrollOffset().y});
  return 1;
}

int32_t LMultiColumnListBox::OnClientExtentChange(const RCPtr<LNotificationDistributor>&,
                                                  const RCPtr<LNotification>&) {
  if (mColumns.empty()) return 1;
  SetLineMode(mColumns.front()->GetLineSize() > 0 ? mColumns.front()->GetLineSize() : mColumns.front()->GetRowHeight());
  SyncScrollBars();
  SetTableExtent();
  return 1;
}

// --- Linked rows ---

int32_t LMultiColumnListBox::IndexOfColumn(const LNotificationDistributor* source) const {
  for (size_t index = mColumns.size(); index-- > 0;)
    if (static_cast<const LNotificationDistributor*>(mColumns[index].Get()) == source) return static_cast<int32_t>(index);
  return -1;
}

int32_t LMultiColumnListBox::OnItemHoverConditionChange(const RCPtr<LNotificationDistributor>& source,
                                                        const RCPtr<LNotification>& notification) {
  const int32_t from = IndexOfColumn(source.Get());
  const auto* param = dynamic_cast<const LItemConditionsParam*>(notification->GetPayload().Get());
  if (from < 0 || !param) return 1;
  const bool before = (param->previous & Condition::kHoverOrChildHover) != 0;
  const bool now = (param->current & Condition::kHoverOrChildHover) != 0;
  for (size_t index = 0; index < mColumns.size(); ++index) {
    if (static_cast<int32_t>(index) == from) continue;
    LListBox& column = *mColumns[index];
    if (now && !before) {
      // Only the row under the pointer spreads its hover; mirrored rows do not echo.
      if (param->hovered) column.SetItemHover(param->itemIndex, true);
    } else if (before && !now) {
      column.SetItemHover(param->itemIndex, false);
    } else {
      column.SetItemLook(param->itemIndex, param->lookIndex);
    }
  }
  return 1;
}

void LMultiColumnListBox::CopySelection(uint32_t from) {
  const bool multiple = mColumns.front()->IsMultipleSelection();
  LListBox& source = *mColumns[from];
  for (size_t index = mColumns.size(); index-- > 0;) {
    if (index == from) continue;
    LListBox& column = *mColumns[index];
    const RCPtr<LNotificationDistributor> target(&column);
    CAutoNotificationDisabler<LMultiColumnListBox> disabler(mTableHandlers, target, NotificationName::kSelectionChange);
    for (int32_t row = RowCount() - 1; row >= 0; --row) {
      const bool selected = source.GetItemValue(row) >= 0.5;
      const bool shown = column.GetItemValue(row) >= 0.5;
      if (selected && !shown)
        column.SelectRange(row, -1, !multiple);
      else if (!selected && shown)
        column.Unselect(row);
    }
  }
}

int32_t LMultiColumnListBox::OnSelectionChange(const RCPtr<LNotificationDistributor>& source,
                                               const RCPtr<LNotification>&) {
  if (dynamic_cast<LListBox*>(source.Get()) == nullptr) return 1;
  const int32_t from = IndexOfColumn(source.Get());
  if (from >= 0) CopySelection(static_cast<uint32_t>(from));
  Distribute(LNotification::Obtain(NotificationName::kSelectionChange, nullptr));
  return 1;
}

int32_t LMultiColumnListBox::OnItemActivated(const RCPtr<LNotificationDistributor>&, const RCPtr<LNotification>&) {
  Distribute(LNotification::Obtain(u"NID_ITEM_ACTIVATED", nullptr));
  return 1;
}

int32_t LMultiColumnListBox::OnItemDoubleClicked(const RCPtr<LNotificationDistributor>&,
                                                 const RCPtr<LNotification>&) {
  Distribute(LNotification::Obtain(u"NID_ITEM_DOUBLE_CLICKED", nullptr));
  return 1;
}

int32_t LMultiColumnListBox::OnHeaderClick(const RCPtr<LNotificationDistributor>& source,
                                           const RCPtr<LNotification>&) {
  for (size_t index = mHeaders.size(); index-- > 0;) {
    if (static_cast<const LNotificationDistributor*>(mHeaders[index].Get()) != source.Get()) continue;
    // A header without a column of its own sorts nothing.
    if (index < mColumns.size()) PerformSort(static_cast<int32_t>(index));
    break;
  }
  return 1;
}

}  // namespace SV
