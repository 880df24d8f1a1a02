#pragma once
#include <cstdint>
#include <string>
#include <string_view>

#include "SVFramework/ObjectBase/SVResult.h"
#include "SVFramework/System/Keys/KeyCode.h"

namespace SV {

// The editing rules of a single-line text field: caret, selection and anchor, the
// maximum length, the character filter, the editing keys and the edit operations.
// The owner keeps the text and is told through the hooks: every new text goes through
// ReplaceEditText, which must end in AfterTextReplaced so that caret, anchor and
// selection never point past the end. Indices are UTF-16 units. UI thread only.
class LTextEditing {
public:
  virtual ~LTextEditing() = default;

  int32_t GetCaretIndex() const { return mCaret; }
  int32_t GetSelectionStart() const { return mSelectionStart; }
  int32_t GetSelectionLength() const { return mSelectionLength; }
  int32_t GetSelectionAnchor() const { return mAnchor; }
  int32_t GetMaxLength() const { return mMaxLength; }
  bool HasSelection() const { return mSelectionLength > 0; }
  std::u16string GetSelectedText() const;

  // Non-empty characters: typed characters are looked up in them; `allow` true lets
  // only those through, false refuses them.
  void SetCharacterFilter(std::u16string_view characters, bool allow);
  const std::u16string& GetFilterCharacters() const { return mFilter; }
  bool FilterAllows() const { return mFilterAllows; }
  // Whether a typed character may enter the text: printable, not Tab, passing the filter.
  bool AcceptsCharacter(char16_t character) const;
  // Whether a whole text (a paste) may enter: every character printable (pairs as one)
  // and every unit passing the filter; the empty text is refused.
  bool AcceptsText(std::u16string_view text) const;

  // E_INVALIDARG outside 0..length. An unchanged, unforced caret only pulls a lone
  // anchor to it; otherwise the caret is stored (and the anchor without a selection)
  // and OnCaretPlaced runs. 0 on success.
  SVRESULT SetCaretPosition(int32_t index, bool force);
  // -1 clears; 0 with last -1 selects all; else both in [0, length) select [min, max].
  void SetSelection(int32_t first, int32_t last);
  // length > 0 selects [start, start + length); otherwise an empty selection at start.
  void SetSelectionRange(int32_t start, int32_t length, int32_t anchor);
  void ClearSelection();
  // Selects from the anchor to `index` and moves the caret there (not forced).
  void ExtendSelectionTo(int32_t index);
  int32_t FindWordStart() const;
  int32_t FindNextWordStart() const;
  // Selects the word at the caret (a double click).
  void SelectWordAtCaret();

  // An accepted character typed at the caret (replacing a selection); true when inserted.
  bool InsertCharacter(char16_t character);
  // Removes [start, start + count) and puts the caret at start; true when the text changed.
  bool DeleteRange(int32_t start, int32_t count);
  bool DeleteSelection();
  // Inserts (or puts over the selection) a text that AcceptsText and fits the maximum
  // length; 0, else E_FAIL with nothing changed.
  SVRESULT InsertText(std::u16string_view text);
  // Whether InsertText of a text of that length would fit the maximum length.
  bool FitsMaxLength(int32_t insertedLength) const;

  // The editing keys and typed characters: 0 used, 1 passed on.
  SVRESULT HandleEditKey(const KeyCode& key);

protected:
  virtual std::u16string GetEditText() const = 0;
  // Makes `text` the text; answers whether it changed. Must call AfterTextReplaced.
  virtual bool ReplaceEditText(const std::u16string& text) = 0;
  // The caret was placed: show it, restart its blink, repaint.
  virtual void OnCaretPlaced() {}
  // The selection changed: refresh what shows it.
  virtual void OnSelectionChanged() {}
  // Enter: true when the text was accepted.
  virtual bool ValidateEdit() { return true; }

  // After a new text: the selection is cleared and the caret and anchor are kept
  // within the new length, or the caret goes to the start with `caretToStart`.
  void AfterTextReplaced(bool caretToStart);
  void SetMaxLengthValue(int32_t maximum) { mMaxLength = maximum > 0 ? maximum : 0; }
  int32_t TextLength() const { return static_cast<int32_t>(GetEditText().size()); }

private:
  SVRESULT HandleVirtualKey(uint32_t virtualKey, uint32_t modifiers);
  SVRESULT HandleCharacter(char16_t character);
  bool HandleMovementKey(uint32_t virtualKey, uint32_t modifiers);
  bool HandleDeletionKey(uint32_t virtualKey, uint32_t modifiers);
  void ShiftLeft();
  void ShiftRight();
  void ShiftHome();
  void ShiftEnd();
  void MoveCaretClearing(int32_t index);
  bool ReplaceRange(int32_t start, int32_t count, std::u16string_view inserted, int32_t caretAfter);

  std::u16string mFilter;
  bool mFilterAllows = true;
  int32_t mCaret = 0;
  int32_t mSelectionStart = 0;
  int32_t mSelectionLength = 0;
  int32_t mAnchor = 0;
  int32_t mMaxLength = 0;
};

}  // namespace SV
