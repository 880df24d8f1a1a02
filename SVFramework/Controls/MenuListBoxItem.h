#pragma once
#include <cstdint>

#include "SVFramework/Controls/ListBoxItem.h"

namespace SV {

class LVisualPart;

// One row of a popup menu: the entry's label as the row's text, a "checkBox" child that
// only shows the checked state through its look (the popup sets it; a click never
// toggles it) and a right-aligned "hotKeyLabel" child with the text of the entry's key.
// The row never takes the focus. Missing children are skipped. UI thread only.
class LMenuListBoxItem : public LListBoxItem {
public:
  static constexpr int32_t kUncheckedLook = 0;
  static constexpr int32_t kCheckedLook = 7;
  static constexpr int32_t kCheckedHoverLook = 8;

  LMenuListBoxItem(const RCPtr<LControl>& parent, const String& name);

  SVRESULT Initialize() override;

  // The text of the row's "hotKeyLabel".
  void SetHotKeyText(const String& text);
  String GetHotKeyText() const;
  // The hot-key label's current look takes `part` as its text foreground, so the key
  // text is drawn like the row's label.
  void SetHotKeyLabelColorizer(const RCPtr<LVisualPart>& part);
  // Shows `look` on the "checkBox" alone.
  void SetCheckBoxLook(int32_t look);
  int32_t GetCheckBoxLook() const { return mCheckBoxLook; }

  RCPtr<LControl> GetCheckBox() const;
  RCPtr<LControl> GetHotKeyLabel() const;

private:
  int32_t mCheckBoxLook = kUncheckedLook;
};

}  // namespace SV
