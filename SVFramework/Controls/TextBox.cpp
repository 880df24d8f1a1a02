#include "SVFramework/Controls/TextBox.h"

#include <algorithm>
#include <cmath>

#include "SVFramework/Application/CursorNames.h"
#include "SVFramework/Application/FrameworkApp.h"
#include "SVFramework/ControlBase/ConditionBits.h"
#include "SVFramework/ControlBase/KeyParam.h"
#include "SVFramework/Renderer/MeasurementRenderer.h"
#include "SVFramework/Renderer/Renderer.h"
#include "SVFramework/System/ClipBoard.h"
#include "SVFramework/Utilities/StringPayload.h"
#include "SVFramework/notification/Notification.h"

namespace SV {

namespace {

constexpr int32_t kNormalLook = 0, kHoverLook = 1, kPlaceholderBackLook = 2, kFocusedLook = 3, kFocusedHoverLook = 4,
                  kDisabledLook = 6, kPlaceholderLook = 9, kSelectionLook = 10, kSelectionHoverLook = 11;
constexpr int32_t kShiftModifier = 8, kCtrlModifier = 1;

const char16_t* const kCut = u"NID_EDIT_CUT_REQ";
const char16_t* const kCopy = u"NID_EDIT_COPY_REQ";
const char16_t* const kPaste = u"NID_EDIT_PASTE_REQ";
const char16_t* const kDelete = u"NID_EDIT_DELETE_REQ";

String ToSVString(const std::u16string& text) { return String(text.c_str()); }

EdgeRect ToEdges(const RectT<double>& rect) {
  return {static_cast<int32_t>(std::lround(rect.x)), static_cast<int32_t>(std::lround(rect.y)),
          static_cast<int32_t>(std::lround(rect.x + rect.width)),
          static_cast<int32_t>(std::lround(rect.y + rect.height))};
}

}  // namespace

LTextBox::LTextBox(const RCPtr<LControl>& parent, const String& name) : LScrollView(parent, name) {}

SVRESULT LTextBox::SetText(const String& text) { return SetText(text, true); }

SVRESULT LTextBox::SetText(const String& text, bool caretToStart) {
  return SetTextAndNotify(text, caretToStart) ? S_OK : S_FALSE;
}

bool LTextBox::SetTextAndNotify(const String& text, bool caretToStart) {
  if (!ApplyText(text, true)) return false;
  // Caret, anchor and selection are brought within the new text before anyone hears
  // of it, so a replaced text never leaves the caret past its end.
  SetClientExtent({MeasureWidth(text), CaretHeight()});
  AfterTextReplaced(caretToStart);
  if (!mPlaceholder.IsEmpty()) {
    if (RCPtr<LLook> look = GetLook(kPlaceholderLook); look && GetLookCount() > kPlaceholderLook)
      look->SetText(mPlaceholder);
  }
  UpdateCaretRect();
  RefreshLooks();
  Distribute(LNotification::Obtain(u"NID_TEXTBOX_TEXT_CHANGE", RCPtr<LRefCountedObject>(this)));
  return true;
}

std::u16string LTextBox::GetEditText() const { return std::u16string(GetText().View()); }

bool LTextBox::ReplaceEditText(const std::u16string& text) { return SetTextAndNotify(ToSVString(text), false); }

void LTextBox::SetMaxLength(int32_t maximum) {
  SetMaxLengthValue(maximum);
  if (maximum <= 0 || GetText().GetLength() <= maximum) return;
  if (SetTextAndNotify(GetText().Left(maximum), false)) SetCaretPosition(TextLength(), true);
}

RCPtr<LTextValidationParams> LTextBox::Validate() {
  const RCPtr<LTextValidationParams> params(new LTextValidationParams(GetText()));
  Distribute(LNotification::Obtain(u"NID_TEXTBOX_VALIDATING", params));
  if (params->valid && !(params->text == GetText())) SetTextAndNotify(params->text, false);
  if (params->valid) Distribute(LNotification::Obtain(u"NID_TEXTBOX_VALIDATED", params));
  return params;
}

double LTextBox::Now() const {
  LFrameworkApp* const application = GetFrameworkApp();
  return application ? application->GetTime() : 0.0;
}

void LTextBox::OnCaretPlaced() {
  UpdateCaretRect();
  mCaretShown = true;
  mNextBlinkTime = Now() + kCaretOnSeconds;
  InvalidateRect({0, 0, GetRect().width, GetRect().height}, false);
}

void LTextBox::OnIdle() {
  // A clock set back would freeze the caret until it caught up: restart the phase.
  if (mNextBlinkTime - Now() > kCaretOnSeconds)
    mNextBlinkTime = Now() + (mCaretShown ? kCaretOnSeconds : kCaretOffSeconds);
  if (Now() < mNextBlinkTime) return;
  mCaretShown = !mCaretShown;
  mNextBlinkTime = Now() + (mCaretShown ? kCaretOnSeconds : kCaretOffSeconds);
  InvalidateRect({0, 0, GetRect().width, GetRect().height}, false);
}

float LTextBox::MeasureWidth(const String& text) {
  LFrameworkApp* const application = GetFrameworkApp();
  if (text.IsEmpty() || !application) return 0;
  const RCPtr<LMeasurementRenderer> renderer = application->GetRenderer();
  return renderer ? renderer->MeasureText(text, *GetFont()).width : 0.0f;
}

RectT<double> LTextBox::TextRect() const {
  const RCPtr<LLook> look = GetLook(kNormalLook);
  if (!look) return {0, 0, GetRect().width, GetRect().height};
  const RectT<int32_t> rect = look->GetTextRect();
  double x = rect.x, y = rect.y;
  if (const RCPtr<LFontText>& text = look->GetText(); text && text->GetLines().GetCount() > 0) {
    const RectT<float> line = text->GetLineRect(0);
    x += line.x;
    y += line.y;
  }
  return {x, y, static_cast<double>(rect.width), static_cast<double>(rect.height)};
}

float LTextBox::CaretHeight() {
  LFrameworkApp* const application = GetFrameworkApp();
  if (!application || !application->GetRenderer()) return 0;
  return application->GetRenderer()->MeasureText(u"X", *GetFont()).height;
}

void LTextBox::UpdateCaretRect() {
  const RectT<double> text = TextRect();
  const float height = CaretHeight();
  const float before = MeasureWidth(GetText().Left(GetCaretIndex()));
  mCaretRect = {static_cast<float>(text.x) + before - 1, static_cast<float>(text.y), 1.0f, height};
}

int32_t LTextBox::GetCharIndexAt(PointT<int32_t> point) {
  const RectT<double> text = TextRect();
  const double x = std::clamp<double>(point.x, text.x, text.x + std::max(text.width, 0.0)) + GetScrollOffset().x;
  const String& current = GetText();
  const int32_t length = current.GetLength();
  int32_t low = 0, high = length - 1;
  while (low <= high) {
    const int32_t middle = (low + high) / 2;
    const double left = text.x + MeasureWidth(current.Left(middle));
    const double right = text.x + MeasureWidth(current.Left(middle + 1));
    if (x >= right) low = middle + 1;
    else if (x < left) high = middle - 1;
    else return x < (left + right) / 2 ? middle : middle + 1;
  }
  return std::clamp(low, 0, length);
}

void LTextBox::RefreshLooks() {
  if (GetLookCount() == 0) return;
  const uint32_t conditions = GetConditions();
  if (!IsEnabled(true)) {
    ClearAllLookRegions();
    SetExclusiveLook(kDisabledLook);
    return;
  }
  const bool hot = (conditions & (Condition::kHover | Condition::kLeftDrag)) != 0;
  const bool focused = HasFocus();
  const int32_t base = focused ? (hot ? kFocusedHoverLook : kFocusedLook) : (hot ? kHoverLook : kNormalLook);
  if (!focused && GetText().IsEmpty() && ShowPlaceholder()) return;
  if (focused && HasSelection()) {
    ShowSelection(base);
    return;
  }
  ClearAllLookRegions();
  SetExclusiveLook(base);
}

bool LTextBox::ShowPlaceholder() {
  if (mPlaceholder.IsEmpty() || GetLookCount() <= kPlaceholderLook) return false;
  const RCPtr<LLook> look = GetLook(kPlaceholderLook);
  if (!look || !look->GetText()) return false;
  const RectT<double> text = TextRect();
  const PointT<int32_t> extent = look->GetText()->GetExtent();
  const EdgeRect area{static_cast<int32_t>(std::lround(text.x)), static_cast<int32_t>(std::lround(text.y)),
                      static_cast<int32_t>(std::lround(text.x)) + extent.x,
                      static_cast<int32_t>(std::lround(text.y)) + extent.y};
  Region placeholder;
  placeholder.AddRect(area);
  Region rest;
  rest.AddRect({0, 0, static_cast<int32_t>(GetRect().width), static_cast<int32_t>(GetRect().height)});
  rest.SubtractRect(area);
  SetLookRegion(kPlaceholderLook, placeholder);
  SetLookRegion(kPlaceholderBackLook, rest);
  SetExclusiveLook(kPlaceholderBackLook);
  SetLookWeight(kPlaceholderLook, 1.0f, false);
  return true;
}

void LTextBox::ShowSelection(int32_t baseLook) {
  const int32_t selectionLook = (baseLook == kFocusedHoverLook) ? kSelectionHoverLook : kSelectionLook;
  if (static_cast<int32_t>(GetLookCount()) <= selectionLook) {
    SetExclusiveLook(baseLook);
    return;
  }
  const RectT<double> text = TextRect();
  const String& current = GetText();
  const double left = text.x + MeasureWidth(current.Left(GetSelectionStart())) - GetScrollOffset().x;
  const double right =
      text.x + MeasureWidth(current.Left(GetSelectionStart() + GetSelectionLength())) - GetScrollOffset().x;
  const RectT<int32_t> look = GetLook(kNormalLook)->GetTextRect();
  const double top = std::max<double>(text.y, look.y);
  const double bottom = std::min<double>(text.y + mCaretRect.height, look.y + look.height);
  const EdgeRect area = ToEdges({std::max<double>(left, look.x), top,
                                 std::min<double>(right, look.x + look.width) - std::max<double>(left, look.x),
                                 bottom - top});
  Region selection;
  if (area.right > area.left && area.bottom > area.top) selection.AddRect(area);
  Region rest;
  rest.AddRect({0, 0, static_cast<int32_t>(GetRect().width), static_cast<int32_t>(GetRect().height)});
  rest.SubtractRegion(selection);
  SetLookRegion(selectionLook, selection);
  SetLookRegion(baseLook, rest);
  SetExclusiveLook(baseLook);
  SetLookWeight(selectionLook, 1.0f, false);
}

void LTextBox::TellRootWindowCaret(bool shown) {
  LFrameworkApp* const application = GetFrameworkApp();
  if (!application || application->GetRootWindowCount() == 0) return;
  if (const RCPtr<LRootWindow> main = application->GetRootWindow(0))
    main->SetCaret(shown, this, {static_cast<int32_t>(mCaretRect.x), static_cast<int32_t>(mCaretRect.y)});
}

void LTextBox::OnConditionsChanged(const RCPtr<LConditionsParam>& param) {
  if (!param) return;
  const uint32_t changed = param->previous ^ param->current;
  if ((changed & Condition::kFocus) && (param->current & Condition::kFocus)) {
    TellRootWindowCaret(true);
    RefreshLooks();
    mNextBlinkTime = Now() + kCaretOnSeconds;
    InvalidateRect({0, 0, GetRect().width, GetRect().height}, false);
    AcquireIdle();
  } else if (changed & Condition::kFocus) {
    TellRootWindowCaret(false);
    ReleaseIdle();
    mCaretShown = false;
    SetScrollOffset({0, 0});
    RefreshLooks();
    InvalidateRect({0, 0, GetRect().width, GetRect().height}, false);
  } else {
    if ((changed & Condition::kHoverOrChildHover) && (param->current & Condition::kHoverOrChildHover))
      SetCursor(GetCursorByName(u"UI_CURSOR_IBEAM"));
    if ((changed & Condition::kLeftDrag) && !(param->current & Condition::kLeftDrag)) {
      StopScrollAnimation(0);
      StopScrollAnimation(1);
    }
  }
  if (changed & (Condition::kFocus | Condition::kHoverOrChildHover | Condition::kEnabled | Condition::kHover |
                 Condition::kLeftDrag))
    RefreshLooks();
}

PointT<double> LTextBox::SetScrollOffset(PointT<double> offset) {
  if (mInSetScrollOffset) return GetScrollOffset();
  mInSetScrollOffset = true;
  const PointT<double> result = LScrollView::SetScrollOffset(offset);
  if (GetConditions() & Condition::kLeftDrag) {
    PointT<int32_t> pointer{0, 0};
    if (LFrameworkApp* const application = GetFrameworkApp()) pointer = application->GetCursorPos();
    const PointT<double> screen = GetScreenPosition();
    const PointT<int32_t> local{pointer.x - static_cast<int32_t>(screen.x), pointer.y - static_cast<int32_t>(screen.y)};
    ExtendSelectionTo(GetCharIndexAt(local));
  } else {
    RefreshLooks();
  }
  mInSetScrollOffset = false;
  return result;
}

SVRESULT LTextBox::SetFocus(bool first) {
  if (HasFocus()) Validate();
  return LScrollView::SetFocus(first);
}

bool LTextBox::CanLoseFocus() { return Validate()->valid; }

SVRESULT LTextBox::HandleKey(const RCPtr<LKeyParam>& key) {
  if (!key) return S_FALSE;
  return HandleEditKey(key->key);
}

SVRESULT LTextBox::OnLeftButtonDown(const RCPtr<LMouseButtonParam>& param) {
  if (!param) return S_FALSE;
  const int32_t index = GetCharIndexAt({param->x, param->y});
  if (param->modifiers & kShiftModifier) {
    ExtendSelectionTo(index);
  } else {
    ClearSelection();
    SetCaretPosition(index, false);
    SetSelectionRange(GetSelectionStart(), 0, index);
  }
  return S_OK;
}

SVRESULT LTextBox::OnMouseMoved(const RCPtr<LPointWithModifiersParam>& param) {
  if (!param || !(GetConditions() & Condition::kLeftDrag)) return S_FALSE;
  ExtendSelectionTo(GetCharIndexAt({param->x, param->y}));
  return S_OK;
}

void LTextBox::OnBeforeLeftClick(const RCPtr<LMouseButtonParam>& param) {
  if (param && (param->doubleClick || (param->modifiers & kCtrlModifier))) SelectWordAtCaret();
}

String LTextBox::GetTooltipText() { return IsTextTruncated() ? GetText() : LScrollView::GetTooltipText(); }

SVRESULT LTextBox::PaintOverlay(const RCPtr<LRenderer>& renderer, const RectT<double>&) {
  if (!renderer || !HasFocus() || !mCaretShown) return S_OK;
  const PointT<double> scroll = GetScrollOffset();
  const float x = mCaretRect.x - static_cast<float>(scroll.x);
  const float y = mCaretRect.y - static_cast<float>(scroll.y);
  const uint32_t under = GetLookColorAt({static_cast<int32_t>(x), static_cast<int32_t>(y)}, -1);
  const uint32_t mean = (((under >> 16) & 0xFF) + ((under >> 8) & 0xFF) + (under & 0xFF)) / 3;
  const Color color = Color::FromARGB(mean < 129 ? 0xFFFFFFFFu : 0xFF000000u);
  renderer->DrawLine({x, y}, {x, y + mCaretRect.height}, color, 1.0f);
  return S_OK;
}

SVRESULT LTextBox::Initialize() {
  const SVRESULT result = LScrollView::Initialize();
  if (result < 0) return result;
  SetNotFocusable(false);
  UpdateCaretRect();
  RefreshLooks();
  return result;
}

SVRESULT LTextBox::ApplyDescriptor(const RCPtr<LControlDescriptor>& descriptor) {
  const String before = GetText();
  const SVRESULT result = LScrollView::ApplyDescriptor(descriptor);
  const RCPtr<LStringTable>& table = GetStringTable();
  String label;
  if (!table || !table->GetString(u"LABEL", label)) return result;
  ApplyText(before, true);
  mPlaceholder = label;
  if (!mPlaceholder.IsEmpty() && GetLookCount() > kPlaceholderLook) {
    if (const RCPtr<LLook> look = GetLook(kPlaceholderLook)) look->SetText(mPlaceholder);
  }
  RefreshLooks();
  return result;
}

void LTextBox::OnRootWindowChanged() {
  LScrollView::OnRootWindowChanged();
  LFrameworkApp* const application = GetFrameworkApp();
  if (!application || !application->GetFrameworkStringTable() || GetMenuDescriptor()) return;
  const RCPtr<LStringTable>& strings = application->GetFrameworkStringTable();
  const RCPtr<LMenuDescriptor> menu(new LMenuDescriptor);
  const char16_t* const entries[][2] = {
      {u"EDIT_CUT", kCut}, {u"EDIT_COPY", kCopy}, {u"EDIT_PASTE", kPaste}, {u"EDIT_DELETE", kDelete}};
  uint32_t index = 0;
  for (const auto& entry : entries) {
    String label;
    strings->GetString(entry[0], label);
    menu->InsertItem(index++, label, entry[1], true, false);
  }
  SetMenuDescriptor(menu);
}

std::u16string LTextBox::ClipboardText() const {
  LFrameworkApp* const application = GetFrameworkApp();
  if (!application || !application->GetClipboard()) return {};
  const RCPtr<LRefCountedObject> content = application->GetClipboard()->GetText();
  const auto* text = dynamic_cast<const LStringPayload*>(content.Get());
  return text ? std::u16string(static_cast<const String&>(*text).View()) : std::u16string();
}

bool LTextBox::CanPerformEdit(const String& command) {
  if (command == kCut || command == kCopy || command == kDelete) return HasSelection();
  if (command == kPaste) {
    const std::u16string text = ClipboardText();
    return AcceptsText(text) && FitsMaxLength(static_cast<int32_t>(text.size()));
  }
  return false;
}

SVRESULT LTextBox::PerformEdit(const String& command) {
  if (command == kPaste) return InsertText(ClipboardText());
  const bool known = command == kCut || command == kCopy || command == kDelete;
  if (!known || !HasSelection()) return E_FAIL;
  if (!(command == kDelete)) {
    LFrameworkApp* const application = GetFrameworkApp();
    if (!application || !application->GetClipboard()) return E_FAIL;
    if (application->GetClipboard()->SetText(MakeStringPayload(ToSVString(GetSelectedText()))) < 0) return E_FAIL;
  }
  if (!(command == kCopy)) DeleteSelection();
  return S_OK;
}

SVRESULT LTextBox::UpdateMenuItemState(const RCPtr<LMenuDescriptor>&, uint32_t, const String& commandID,
                                       LMenuItemState& state) {
  if (!(commandID == kCut || commandID == kCopy || commandID == kPaste || commandID == kDelete)) return S_FALSE;
  LFrameworkApp* const application = GetFrameworkApp();
  state.Enabled = application && application->GetClipboard() && application->GetClipboard()->CanPerformEdit(commandID);
  return S_OK;
}

}  // namespace SV
