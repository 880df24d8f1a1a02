#pragma once
#include <cstdint>
#include <string>

#include "SVFramework/Controls/ScrollView.h"
#include "SVFramework/Controls/TextEditing.h"
#include "SVFramework/Controls/TextValidationParams.h"

namespace SV {

// The single-line editable text field ("Framework.TextBox"), a scroll view without
// bars whose client extent is its text. It edits the control's
// own text with a caret and a selection (LTextEditing), takes the editing keys and
// typed characters, selects with the mouse, carries out the edit commands (cut, copy,
// paste, delete) through the application's clipboard and runs the validation protocol
// on Enter and before the focus leaves it. Every text change is announced with
// "NID_TEXTBOX_TEXT_CHANGE" (payload: the box) after caret and selection lie within
// the new text. The skin's "LABEL" string is the placeholder shown in look 9 while the
// box is empty and not focused. Looks: 0 normal, 1 hover, 2 behind the placeholder,
// 3 focused, 4 focused with hover, 6 disabled, 9 placeholder, 10/11 selection.
// The caret blinks from idle ticks while focused: on 0.5 s, off 0.3 s.
// UI thread only.
class LTextBox : public LScrollView, public LTextEditing {
public:
  static constexpr double kCaretOnSeconds = 0.5;
  static constexpr double kCaretOffSeconds = 0.3;

  LTextBox(const RCPtr<LControl>& parent, const String& name);

  // Sets the text with the caret at the start: 0 when it changed, 1 when equal.
  SVRESULT SetText(const String& text) override;
  virtual SVRESULT SetText(const String& text, bool caretToStart);
  // Applies the text; when it changed: caret and selection kept within it (caret to 0
  // with `caretToStart`), placeholder refreshed, "NID_TEXTBOX_TEXT_CHANGE" sent. True
  // when it changed.
  bool SetTextAndNotify(const String& text, bool caretToStart);
  // n > 0 limits what the user may make the text hold and cuts a longer text.
  void SetMaxLength(int32_t maximum);
  String GetPlaceholderText() const { return mPlaceholder; }
  // Sends "NID_TEXTBOX_VALIDATING", takes a replaced text, then "NID_TEXTBOX_VALIDATED"
  // unless refused; the answer's valid flag is the result.
  RCPtr<LTextValidationParams> Validate();

  bool IsCaretShown() const { return mCaretShown; }
  const RectT<float>& GetCaretRect() const { return mCaretRect; }
  // The character index nearest a point in control coordinates.
  int32_t GetCharIndexAt(PointT<int32_t> point);

  bool IsOwnerControl() const override { return true; }
  bool CanPerformEdit(const String& command) override;
  SVRESULT PerformEdit(const String& command) override;
  SVRESULT UpdateMenuItemState(const RCPtr<LMenuDescriptor>& menu, uint32_t index, const String& commandID,
                               LMenuItemState& state) override;
  // After the base: a running left drag extends the selection to the pointer, else the
  // looks follow the new offset.
  PointT<double> SetScrollOffset(PointT<double> offset) override;
  SVRESULT SetFocus(bool first) override;
  bool CanLoseFocus() override;
  void OnConditionsChanged(const RCPtr<LConditionsParam>& param) override;
  void OnRootWindowChanged() override;
  SVRESULT ApplyDescriptor(const RCPtr<LControlDescriptor>& descriptor) override;
  SVRESULT Initialize() override;
  SVRESULT OnLeftButtonDown(const RCPtr<LMouseButtonParam>& param) override;
  SVRESULT OnMouseMoved(const RCPtr<LPointWithModifiersParam>& param) override;
  void OnBeforeLeftClick(const RCPtr<LMouseButtonParam>& param) override;
  SVRESULT HandleKey(const RCPtr<LKeyParam>& key) override;
  void OnIdle() override;
  SVRESULT PaintOverlay(const RCPtr<LRenderer>& renderer, const RectT<double>& rect) override;
  String GetTooltipText() override;

protected:
  std::u16string GetEditText() const override;
  bool ReplaceEditText(const std::u16string& text) override;
  void OnCaretPlaced() override;
  void OnSelectionChanged() override { RefreshLooks(); }
  bool ValidateEdit() override { return Validate()->valid; }

private:
  void RefreshLooks();
  bool ShowPlaceholder();
  void ShowSelection(int32_t baseLook);
  void UpdateCaretRect();
  void TellRootWindowCaret(bool shown);
  double Now() const;
  float MeasureWidth(const String& text);
  float CaretHeight();
  RectT<double> TextRect() const;
  std::u16string ClipboardText() const;
  SVRESULT Paste();

  String mPlaceholder;
  RectT<float> mCaretRect{0, 0, 0, 0};
  bool mCaretShown = true;
  double mNextBlinkTime = 0;
  bool mInSetScrollOffset = false;
};

}  // namespace SV
