#include "SVFramework/Controls/ComboBox.h"

#include <algorithm>
#include <cmath>

#include "SVFramework/ControlBase/ConditionBits.h"
#include "SVFramework/ControlBase/KeyParam.h"
#include "SVFramework/Controls/TextBox.h"
#include "SVFramework/Controls/TextValidationParams.h"
#include "SVFramework/System/Keys/KeyCode.h"
#include "SVFramework/System/Keys/VirtualKeys.h"

namespace SV {

namespace {

constexpr const char16_t* kListName = u"listBox";
constexpr const char16_t* kTextBoxName = u"textBox";

bool IsKeyPress(const LKeyParam& key, uint32_t virtualKey) {
  return key.key.GetVirtualKey() == virtualKey && (key.key.code & KeyCode::kKeyDown) != 0;
}

// The C library's reading of a decimal number: blanks, a sign, digits up to the first
// other character; 0 without digits. Saturates instead of overflowing.
int32_t ReadLeadingInteger(const String& text) {
  const char16_t* cursor = text.GetString();
  if (cursor == nullptr) return 0;
  while (*cursor == u' ' || (*cursor >= u'\t' && *cursor <= u'\r')) ++cursor;
  const bool negative = *cursor == u'-';
  if (*cursor == u'-' || *cursor == u'+') ++cursor;
  int64_t value = 0;
  for (; *cursor >= u'0' && *cursor <= u'9'; ++cursor)
    value = std::min<int64_t>(value * 10 + (*cursor - u'0'), int64_t{INT32_MAX} + 1);
  if (negative) value = -value;
  return static_cast<int32_t>(std::clamp<int64_t>(value, INT32_MIN, INT32_MAX));
}

}  // namespace

LComboBox::LComboBox(const RCPtr<LControl>& parent, const String& name) : LDropDownControl(parent, name) {}

LComboBox::~LComboBox() { mComboHandlers = nullptr; }

SVRESULT LComboBox::ReleaseInternalReferences() {
  mList = nullptr;
  return LDropDownControl::ReleaseInternalReferences();
}

int32_t LComboBox::Receive(const RCPtr<LNotificationDistributor>& source, const RCPtr<LNotification>& notification) {
  if (!IsCreated()) return 1;
  if (mComboHandlers) {
    const int32_t handled = mComboHandlers->Dispatch(source, notification);
    if (handled != 0) return handled;
  }
  return LDropDownControl::Receive(source, notification);
}

SVRESULT LComboBox::UnsubscribeVirtual(const RCPtr<LNotificationDistributor>& source, const char16_t* idText) {
  if (mComboHandlers) mComboHandlers->RemoveHandler(source.Get(), idText);
  return LDropDownControl::UnsubscribeVirtual(source, idText);
}

// --- Creation ---

SVRESULT LComboBox::ApplyCreateParams() {
  const SVRESULT result = LDropDownControl::ApplyCreateParams();
  mInitialSelectedIndex = 0;
  const RCPtr<LControlDescriptor>& descriptor = GetDescriptor();
  String text;
  if (descriptor && descriptor->CreateParams && descriptor->CreateParams->GetString(u"INITIAL_SELECTED_INDEX", text))
    mInitialSelectedIndex = ReadLeadingInteger(text);
  return result;
}

SVRESULT LComboBox::Initialize() {
  if (LDropDownControl::Initialize() < 0) return E_FAIL;
  mList = RCPtr<LListBox>(dynamic_cast<LListBox*>(FindChild(String(kListName)).Get()));
  if (!mList) return E_FAIL;
  if (!mComboHandlers) mComboHandlers = ComboHandlers::Create(this);
  const RCPtr<LNotificationDistributor> list(mList.Get());
  mComboHandlers->AddHandler(&LComboBox::OnListVisibilityChange, list, u"NID_VISIBLITY_CONDITION_CHANGE");
  mComboHandlers->AddHandler(&LComboBox::OnListItemActivated, list, u"NID_ITEM_ACTIVATED");
  BindTextBox();
  mList->SetDropDownMode(true);
  mList->SetVisible(false);
  if (const RCPtr<LStringTable>& table = GetStringTable()) {
    mList->LoadItemsFromStringTable(table);
    const int32_t initial = mInitialSelectedIndex;
    if (initial >= 0 && initial < mList->GetItemCount() && mList->SelectRange(initial, -1, true) >= 0) {
      LControl::SetText(mList->GetItemText(initial));
      mSelectedIndex = initial;
    }
  }
  return S_OK;
}

void LComboBox::BindTextBox() {
  const RCPtr<LControl> textBox(dynamic_cast<LTextBox*>(FindChild(String(kTextBoxName)).Get()));
  if (!textBox) return;
  const RCPtr<LNotificationDistributor> source(textBox.Get());
  mComboHandlers->AddHandler(&LComboBox::ResendFromTextBox, source, u"NID_TEXTBOX_VALIDATING");
  mComboHandlers->AddHandler(&LComboBox::OnTextBoxValidated, source, u"NID_TEXTBOX_VALIDATED");
  mComboHandlers->AddHandler(&LComboBox::ResendFromTextBox, source, u"NID_TEXTBOX_TEXT_CHANGE");
  mComboHandlers->AddHandler(&LComboBox::OnTextBoxFocusChange, source, u"NID_HAS_FOCUS_CONDITION_CHANGE");
}

void LComboBox::OnDescriptorApplied() {
  LDropDownControl::OnDescriptorApplied();
  if (!mList) return;
  mList->SetVisible(false);
  AdjustListSize();
}

void LComboBox::AdjustListAxis(int32_t axis) {
  const RCPtr<LControlDescriptor>& descriptor = mList->GetDescriptor();
  const LLayoutDescriptor* skin = descriptor ? descriptor->Layout.Get() : nullptr;
  const double skinMinimum = skin ? skin->MinSize[axis].abs : 0;
  const double skinMaximum = skin ? skin->MaxSize[axis].abs : 0;
  if ((skinMinimum != 0 && skinMaximum != 0) || !mList->GetLayout()) return;
  LSizeLimitSpec minimum;
  LSizeLimitSpec maximum;
  mList->GetLayout()->GetMinMax(axis, minimum, maximum);
  if (skinMinimum == 0) {
    minimum = LSizeLimitSpec{};
    minimum.abs = axis == LLayoutDescriptor::kAxisX ? std::trunc(GetRect().width) : mList->GetRowHeight();
  }
  mList->SetMinMax(axis, minimum, maximum);
}

SVRESULT LComboBox::AdjustListSize() {
  if (!mList) return E_FAIL;
  AdjustListAxis(LLayoutDescriptor::kAxisX);
  AdjustListAxis(LLayoutDescriptor::kAxisY);
  LSizeLimitSpec minimum;
  LSizeLimitSpec maximum;
  if (mList->GetLayout() && mList->GetLayout()->GetMinMax(LLayoutDescriptor::kAxisY, minimum, maximum) >= 0 &&
      maximum.abs > 0)
    mList->SnapHeightToRows();
  return S_OK;
}

// --- Items and selection ---

int32_t LComboBox::SetSelectedIndex(int32_t index) {
  if (!mList) return -1;
  if (index < 0) {
    mSelectedIndex = -1;
    mList->ClearSelection();
    return -1;
  }
  if (mList->SelectRange(index, -1, true) < 0) {
    mSelectedIndex = -1;
    return -1;
  }
  const int32_t previous = mSelectedIndex;
  mSelectedIndex = index;
  const String text = mList->GetItemText(index);
  ApplyText(text, true);
  if (const RCPtr<LControl> textBox = FindChild(String(kTextBoxName))) textBox->SetText(text);
  if (previous != index) Distribute(LNotification::Obtain(u"NID_SELECTION_CHANGE", nullptr));
  return mSelectedIndex;
}

SVRESULT LComboBox::SetText(const String& text) {
  if (!ApplyText(text, true)) return S_FALSE;
  if (mList) SetSelectedIndex(mList->FindItemByText(text, mCaseSensitive));
  return S_OK;
}

SVRESULT LComboBox::SetItemCount(int32_t count) {
  if (!mList) return E_FAIL;
  const SVRESULT result = mList->SetItemCount(count);
  if (mSelectedIndex >= count) SetSelectedIndex(-1);
  if (IsDropDownOpen()) OpenList(true);
  return result;
}

SVRESULT LComboBox::InsertItem(int32_t index, const RCPtr<LRefCountedObject>& data) {
  if (!data) return E_INVALIDARG;
  if (!mList) return E_FAIL;
  const SVRESULT result = mList->InsertItem(index, data);
  if (result < 0) return result;
  if (mSelectedIndex >= index) {
    ++mSelectedIndex;
  } else if (mSelectedIndex < 0 && data->ToString() == GetText()) {
    SetSelectedIndex(index);
  }
  // The list grew by a row: an open list is placed again so that it stays on screen.
  if (IsDropDownOpen()) OpenList(true);
  return index;
}

// --- The list ---

bool LComboBox::IsDropDownOpen() {
  if (!mList || !mList->GetLayout() || !mList->GetLayout()->IsVisible) return false;
  return mList->GetRect().width > 0 && mList->GetRect().height > 0;
}

LComboBox::ListRoom LComboBox::MeasureListRoom() {
  ListRoom room;
  const double top = GetScreenPosition().y;
  LRootWindow* rootWindow = GetRootWindow();
  const double windowHeight = rootWindow ? rootWindow->GetWindowRect().height : 0;
  const double below = windowHeight - (top + GetRect().height) - kScreenMargin;
  const double above = top - kScreenMargin;
  room.content = static_cast<double>(mList->GetRowHeight()) * mList->GetItemCount();
  LSizeLimitSpec minimum;
  LSizeLimitSpec maximum;
  if (mList->GetLayout()) mList->GetLayout()->GetMinMax(LLayoutDescriptor::kAxisY, minimum, maximum);
  const RCPtr<LControlDescriptor>& descriptor = mList->GetDescriptor();
  room.skinMaximum = descriptor && descriptor->Layout ? descriptor->Layout->MaxSize[LLayoutDescriptor::kAxisY].abs : 0;
  const double skin = room.skinMaximum;
  if (maximum.abs == 0 || skin <= 0 || (below < skin && above < skin))
    room.below = room.content <= below || above <= below;
  else
    room.below = skin <= below;
  room.room = room.below ? below : above;
  return room;
}

void LComboBox::PlaceList(const ListRoom& room) {
  LSizeLimitSpec minimum;
  LSizeLimitSpec maximum;
  if (mList->GetLayout()) mList->GetLayout()->GetMinMax(LLayoutDescriptor::kAxisY, minimum, maximum);
  maximum = LSizeLimitSpec{};
  if (room.skinMaximum > 0)
    maximum.abs = std::min(room.room, room.skinMaximum);
  else
    maximum.abs = room.content <= room.room ? 0 : room.room;
  mList->SetMinMax(LLayoutDescriptor::kAxisY, minimum, maximum);
  LPlacementSpec placement;
  placement.reference = PositionReference::Parent;
  placement.docked = false;
  placement.abs = 0;
  placement.anchor = room.below ? 0.0f : 1.0f;
  placement.rel = room.below ? 1.0f : 0.0f;
  LSizeSpec size;
  size.reference = SizeReference::Self;
  size.abs = std::min(room.content, room.room);
  mList->SetPlacement(LLayoutDescriptor::kAxisY, placement, size);
}

// The first item whose text is exactly the combo's, else item 0.
void LComboBox::SelectItemShowingText() {
  int32_t item = 0;
  for (int32_t index = 0; index < mList->GetItemCount(); ++index) {
    if (mList->GetItemText(index) == GetText()) {
      item = index;
      break;
    }
  }
  if (mList->SelectRange(item, -1, true) >= 0) mList->ScrollToItem(item);
}

// The press that opened the list carries on as a drag of the list, so that releasing
// over an item picks it.
void LComboBox::HandPressToList() {
  if (!mList->IsDropDownMode() || !mPressOpening) return;
  const RectT<double> place = mList->GetRect();
  const auto x = static_cast<int32_t>(std::lround(mPressPoint.x - place.x));
  const auto y = static_cast<int32_t>(std::lround(mPressPoint.y - place.y));
  static_cast<UITarget*>(mList.Get())->OnDragStart(1, x, y);
}

SVRESULT LComboBox::OpenList(bool open) {
  if (!mList) return E_FAIL;
  const RCPtr<LControl> self(this);
  if (open && GetParent() != nullptr) {
    Distribute(LNotification::Obtain(u"NID_DROPDOWN_OPENING", nullptr));
    if (!mList) return E_FAIL;
    PlaceList(MeasureListRoom());
    mList->SnapHeightToRows();
    SelectItemShowingText();
  }
  mList->SetVisible(open);
  if (open) {
    HandPressToList();
    mList->SetFocus(true);
  }
  return S_OK;
}

// --- State and input ---

void LComboBox::UpdateLook() {
  int32_t look = 0;
  if (!IsEnabled(true)) {
    look = kLookDisabled;
  } else if (IsDropDownOpen()) {
    look = IsHovered() ? kLookOpenHover : kLookOpen;
  } else {
    look = (IsHovered() ? 2 : 0) + (HasFocus() || ContainsFocus() ? 1 : 0);
  }
  if (look < static_cast<int32_t>(GetLookCount())) SetExclusiveLook(look);
}

void LComboBox::OnConditionsChanged(const RCPtr<LConditionsParam>& param) {
  const bool pressBegan = param && LeftPressBegan(*param);
  if (pressBegan) mPressPoint = param->point;
  // Opening the list changes the combo's conditions again; those nested calls must not
  // forget the press that is opening it.
  const bool outerPressOpening = mPressOpening;
  mPressOpening = outerPressOpening || pressBegan;
  LDropDownControl::OnConditionsChanged(param);
  mPressOpening = outerPressOpening;
  UpdateLook();
}

SVRESULT LComboBox::HandleKey(const RCPtr<LKeyParam>& key) {
  if (!key || !mList) return S_FALSE;
  if (!IsDropDownOpen()) {
    if (!IsKeyPress(*key, VirtualKey::kDown) && !IsKeyPress(*key, VirtualKey::kReturn)) return S_FALSE;
    OpenList(true);
    return S_OK;
  }
  if (!IsKeyPress(*key, VirtualKey::kEscape)) return S_FALSE;
  mList->SetVisible(false);
  return S_OK;
}

SVRESULT LComboBox::RouteUnhandledKey(const RCPtr<LKeyParam>& key) {
  if (key && mList && IsKeyPress(*key, VirtualKey::kEscape)) mList->SetVisible(false);
  return S_OK;
}

SVRESULT LComboBox::MoveFocusByTab(const RCPtr<LKeyParam>& key) {
  const RCPtr<LControl> parent(GetParent());
  if (!key || !parent) return LDropDownControl::MoveFocusByTab(key);
  key->route.Append(RCPtr<LControl>(this));
  return parent->MoveFocusByTab(key);
}

String LComboBox::GetTooltipText() { return IsTextTruncated() ? GetText() : LDropDownControl::GetTooltipText(); }

// --- Handlers ---

int32_t LComboBox::OnListVisibilityChange(const RCPtr<LNotificationDistributor>&, const RCPtr<LNotification>&) {
  UpdateLook();
  return 1;
}

int32_t LComboBox::OnListItemActivated(const RCPtr<LNotificationDistributor>&, const RCPtr<LNotification>&) {
  if (!mList) return 1;
  const int32_t caret = mList->GetCaretItem();
  SetSelectedIndex(caret < mList->GetItemCount() ? caret : -1);
  return 1;
}

int32_t LComboBox::OnTextBoxFocusChange(const RCPtr<LNotificationDistributor>&,
                                        const RCPtr<LNotification>& notification) {
  const auto* conditions = dynamic_cast<const LConditionsParam*>(notification->GetPayload().Get());
  if (conditions && mList && (conditions->current & Condition::kFocus) != 0 &&
      (conditions->previous & Condition::kFocus) == 0)
    mList->SetVisible(false);
  return 1;
}

int32_t LComboBox::OnTextBoxValidated(const RCPtr<LNotificationDistributor>&, const RCPtr<LNotification>& notification) {
  const auto* params = dynamic_cast<const LTextValidationParams*>(notification->GetPayload().Get());
  if (params && mList) {
    const int32_t item = mList->SelectItemByText(params->text, -1, mCaseSensitive);
    SetSelectedIndex(item);
    if (mSelectedIndex < 0 && mAddTypedText && !params->text.IsEmpty()) {
      const SVRESULT added = AddItem(params->text);
      if (added >= 0) SetSelectedIndex(added);
    }
  }
  Distribute(LNotification::Obtain(notification->GetID(), notification->GetPayload()));
  return 1;
}

int32_t LComboBox::ResendFromTextBox(const RCPtr<LNotificationDistributor>&, const RCPtr<LNotification>& notification) {
  Distribute(LNotification::Obtain(notification->GetID(), notification->GetPayload()));
  return 1;
}

}  // namespace SV
