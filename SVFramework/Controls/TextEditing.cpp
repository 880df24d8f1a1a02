#include "SVFramework/Controls/TextEditing.h"

#include <algorithm>

#include "Platform/Gui/CharacterClass.h"
#include "SVFramework/System/Keys/VirtualKeys.h"

namespace SV {

namespace {

constexpr uint32_t kCtrl = KeyCode::kCtrl, kShift = KeyCode::kShift;

bool IsSpace(char16_t character) { return ::Platform::Gui::IsSpaceCharacter(character); }

bool IsCharacterKey(uint32_t virtualKey) {
  return virtualKey == VirtualKey::kSpace || (virtualKey >= '0' && virtualKey <= '9') ||
         (virtualKey >= 'A' && virtualKey <= 'Z');
}

}  // namespace

std::u16string LTextEditing::GetSelectedText() const {
  if (!HasSelection()) return {};
  return GetEditText().substr(static_cast<size_t>(mSelectionStart), static_cast<size_t>(mSelectionLength));
}

void LTextEditing::SetCharacterFilter(std::u16string_view characters, bool allow) {
  mFilter = std::u16string(characters);
  mFilterAllows = allow;
}

bool LTextEditing::AcceptsCharacter(char16_t character) const {
  if (character == u'\t' || !::Platform::Gui::IsPrintableCharacter(character)) return false;
  if (mFilter.empty()) return true;
  return (mFilter.find(character) != std::u16string::npos) == mFilterAllows;
}

bool LTextEditing::AcceptsText(std::u16string_view text) const {
  if (text.empty() || !::Platform::Gui::IsPrintableText(text)) return false;
  if (text.find(u'\t') != std::u16string_view::npos) return false;
  if (mFilter.empty()) return true;
  return std::all_of(text.begin(), text.end(), [this](char16_t unit) {
    return (mFilter.find(unit) != std::u16string::npos) == mFilterAllows;
  });
}

SVRESULT LTextEditing::SetCaretPosition(int32_t index, bool force) {
  if (index < 0 || index > TextLength()) return E_INVALIDARG;
  if (index == mCaret && !force) {
    if (!HasSelection()) mAnchor = mCaret;
    return S_OK;
  }
  mCaret = index;
  if (!HasSelection()) mAnchor = mCaret;
  OnCaretPlaced();
  return S_OK;
}

void LTextEditing::SetSelection(int32_t first, int32_t last) {
  const int32_t oldStart = mSelectionStart, oldLength = mSelectionLength;
  const int32_t length = TextLength();
  if (first == -1) {
    mSelectionStart = mSelectionLength = mAnchor = 0;
  } else if (first < 0) {
    return;
  } else if (first == 0 && last == -1) {
    mSelectionStart = 0;
    mSelectionLength = length;
    mAnchor = 0;
  } else {
    if (first >= length || last < 0 || last >= length) return;
    mSelectionStart = std::min(first, last);
    mSelectionLength = std::max(first, last) - mSelectionStart + 1;
    mAnchor = mSelectionStart;
  }
  if (oldStart != mSelectionStart || oldLength != mSelectionLength) OnSelectionChanged();
}

void LTextEditing::SetSelectionRange(int32_t start, int32_t length, int32_t anchor) {
  if (length > 0) {
    SetSelection(start, start + length - 1);
  } else if (mSelectionLength != 0 || mSelectionStart != start) {
    mSelectionStart = std::clamp(start, 0, TextLength());
    mSelectionLength = 0;
    OnSelectionChanged();
  }
  mAnchor = std::clamp(anchor, 0, TextLength());
}

void LTextEditing::ClearSelection() {
  const bool had = HasSelection();
  mSelectionStart = mSelectionLength = 0;
  mAnchor = mCaret;
  if (had) OnSelectionChanged();
}

void LTextEditing::ExtendSelectionTo(int32_t index) {
  index = std::clamp(index, 0, TextLength());
  const int32_t anchor = mAnchor;
  SetSelectionRange(std::min(anchor, index), std::abs(index - anchor), anchor);
  SetCaretPosition(index, false);
}

int32_t LTextEditing::FindWordStart() const {
  const std::u16string text = GetEditText();
  int32_t i = mCaret - 1;
  while (i >= 0 && IsSpace(text[static_cast<size_t>(i)])) --i;
  while (i >= 0 && !IsSpace(text[static_cast<size_t>(i)])) --i;
  return i + 1;
}

int32_t LTextEditing::FindNextWordStart() const {
  const std::u16string text = GetEditText();
  const auto length = static_cast<int32_t>(text.size());
  int32_t i = mCaret;
  while (i < length && IsSpace(text[static_cast<size_t>(i)])) ++i;
  while (i < length && !IsSpace(text[static_cast<size_t>(i)])) ++i;
  while (i < length && IsSpace(text[static_cast<size_t>(i)])) ++i;
  return i;
}

void LTextEditing::SelectWordAtCaret() {
  ClearSelection();
  SetCaretPosition(FindWordStart(), false);
  mAnchor = mCaret;
  const std::u16string text = GetEditText();
  int32_t end = FindNextWordStart();
  while (end > mCaret && IsSpace(text[static_cast<size_t>(end - 1)])) --end;
  ExtendSelectionTo(end);
}

bool LTextEditing::ReplaceRange(int32_t start, int32_t count, std::u16string_view inserted, int32_t caretAfter) {
  std::u16string text = GetEditText();
  text.replace(static_cast<size_t>(start), static_cast<size_t>(count), inserted);
  if (!ReplaceEditText(text)) return false;
  SetCaretPosition(caretAfter, true);
  return true;
}

bool LTextEditing::InsertCharacter(char16_t character) {
  int32_t start = mCaret, removed = 0;
  if (HasSelection()) {
    start = mSelectionStart;
    removed = mSelectionLength;
  }
  if (mMaxLength > 0 && TextLength() - removed >= mMaxLength) {
    // The selection still goes: typing over it at the limit empties it.
    if (removed > 0) DeleteRange(start, removed);
    return false;
  }
  return ReplaceRange(start, removed, std::u16string_view(&character, 1), start + 1);
}

bool LTextEditing::DeleteRange(int32_t start, int32_t count) {
  const int32_t length = TextLength();
  if (start < 0 || count <= 0 || start >= length) return false;
  return ReplaceRange(start, std::min(count, length - start), {}, start);
}

bool LTextEditing::DeleteSelection() { return HasSelection() && DeleteRange(mSelectionStart, mSelectionLength); }

bool LTextEditing::FitsMaxLength(int32_t insertedLength) const {
  return mMaxLength <= 0 || TextLength() + insertedLength - mSelectionLength <= mMaxLength;
}

SVRESULT LTextEditing::InsertText(std::u16string_view text) {
  if (!AcceptsText(text) || !FitsMaxLength(static_cast<int32_t>(text.size()))) return E_FAIL;
  const int32_t start = HasSelection() ? mSelectionStart : mCaret;
  const int32_t removed = HasSelection() ? mSelectionLength : 0;
  return ReplaceRange(start, removed, text, start + static_cast<int32_t>(text.size())) ? S_OK : E_FAIL;
}

void LTextEditing::AfterTextReplaced(bool caretToStart) {
  const bool had = HasSelection();
  mCaret = caretToStart ? 0 : std::clamp(mCaret, 0, TextLength());
  mSelectionStart = mSelectionLength = 0;
  mAnchor = mCaret;
  if (had) OnSelectionChanged();
  if (caretToStart) OnCaretPlaced();
}

SVRESULT LTextEditing::HandleEditKey(const KeyCode& key) {
  const uint32_t virtualKey = key.GetVirtualKey();
  if (virtualKey == 0 && !(key.code & KeyCode::kKeyDown)) return HandleCharacter(key.GetCharacter());
  if (!(key.code & KeyCode::kKeyDown)) return S_OK;
  return HandleVirtualKey(virtualKey, key.code & KeyCode::kModifierMask);
}

SVRESULT LTextEditing::HandleCharacter(char16_t character) {
  if (character == VirtualKey::kBack) return S_OK;
  if (character == VirtualKey::kTab || !::Platform::Gui::IsPrintableCharacter(character)) return S_FALSE;
  if (AcceptsCharacter(character)) InsertCharacter(character);
  return S_OK;
}

SVRESULT LTextEditing::HandleVirtualKey(uint32_t virtualKey, uint32_t modifiers) {
  if (HandleMovementKey(virtualKey, modifiers) || HandleDeletionKey(virtualKey, modifiers)) return S_OK;
  if (virtualKey == VirtualKey::kReturn && modifiers == 0) return ValidateEdit() ? S_FALSE : S_OK;
  if (virtualKey == VirtualKey::kUp || virtualKey == VirtualKey::kDown) return S_FALSE;
  if (IsCharacterKey(virtualKey))
    return (modifiers & (KeyCode::kCtrl | KeyCode::kAlt | KeyCode::kCmd)) ? S_FALSE : S_OK;
  return S_FALSE;
}

void LTextEditing::MoveCaretClearing(int32_t index) {
  ClearSelection();
  SetCaretPosition(index, false);
}

bool LTextEditing::HandleMovementKey(uint32_t virtualKey, uint32_t modifiers) {
  const int32_t length = TextLength();
  switch (virtualKey) {
    case VirtualKey::kLeft:
      if (modifiers == 0) MoveCaretClearing(std::max(mCaret - 1, 0));
      else if (modifiers == kShift) ShiftLeft();
      else if (modifiers == kCtrl) MoveCaretClearing(FindWordStart());
      else if (modifiers == (kCtrl | kShift)) ExtendSelectionTo(FindWordStart());
      else return false;
      return true;
    case VirtualKey::kRight:
      if (modifiers == 0) MoveCaretClearing(std::min(mCaret + 1, length));
      else if (modifiers == kShift) ShiftRight();
      else if (modifiers == kCtrl) MoveCaretClearing(FindNextWordStart());
      else if (modifiers == (kCtrl | kShift)) ExtendSelectionTo(FindNextWordStart());
      else return false;
      return true;
    case VirtualKey::kHome:
      if (modifiers == 0) MoveCaretClearing(0);
      else if (modifiers == kShift) ShiftHome();
      else return false;
      return true;
    case VirtualKey::kEnd:
      if (modifiers == 0) MoveCaretClearing(length);
      else if (modifiers == kShift) ShiftEnd();
      else return false;
      return true;
    default:
      return false;
  }
}

bool LTextEditing::HandleDeletionKey(uint32_t virtualKey, uint32_t modifiers) {
  const bool backwards =
      (virtualKey == VirtualKey::kBack && modifiers == 0) || (virtualKey == VirtualKey::kDelete && modifiers == kShift);
  const bool forwards = virtualKey == VirtualKey::kDelete && modifiers == 0;
  const bool toEnd = virtualKey == VirtualKey::kDelete && modifiers == kCtrl;
  if (!backwards && !forwards && !toEnd) return false;
  if (DeleteSelection()) return true;
  if (backwards && mCaret > 0) DeleteRange(mCaret - 1, 1);
  if (forwards) DeleteRange(mCaret, 1);
  if (toEnd) DeleteRange(mCaret, TextLength() - mCaret);
  return true;
}

void LTextEditing::ShiftLeft() {
  if (mCaret == 0) return;
  const int32_t anchor = HasSelection() ? mAnchor : mCaret;
  if (!HasSelection()) SetSelectionRange(mCaret - 1, 1, anchor);
  else if (mAnchor < mCaret) SetSelectionRange(mSelectionStart, mSelectionLength - 1, anchor);
  else if (mSelectionStart > 0) SetSelectionRange(mSelectionStart - 1, mSelectionLength + 1, anchor);
  SetCaretPosition(mCaret - 1, false);
}

void LTextEditing::ShiftRight() {
  if (mCaret >= TextLength()) return;
  const int32_t anchor = HasSelection() ? mAnchor : mCaret;
  if (!HasSelection()) SetSelectionRange(mCaret, 1, anchor);
  else if (mCaret < mAnchor) SetSelectionRange(mSelectionStart + 1, mSelectionLength - 1, anchor);
  else if (mSelectionStart + mSelectionLength < TextLength())
    SetSelectionRange(mSelectionStart, mSelectionLength + 1, anchor);
  SetCaretPosition(mCaret + 1, false);
}

void LTextEditing::ShiftHome() {
  if (mCaret == 0) return;
  const int32_t anchor = mAnchor;
  SetSelectionRange(0, anchor, anchor);
  SetCaretPosition(0, false);
}

void LTextEditing::ShiftEnd() {
  const int32_t length = TextLength();
  if (mCaret >= length) return;
  const int32_t anchor = mAnchor;
  SetSelectionRange(anchor, length - anchor, anchor);
  SetCaretPosition(length, false);
}

}  // namespace SV
