#pragma once
#include <cstdint>

#include "SVFramework/Controls/CheckedListBoxItem.h"

namespace SV {

class LVisualPart;

// One row of a popup menu: a checked-list row whose "checkBox" child (a button that
// the pointer passes through) shows the entry's checked state through its look, which
// the popup sets, and a right-aligned "hotKeyLabel" child with the text of the entry's
// key. The row's label is the entry's label. The row never takes the focus. Missing
// children are skipped. UI thread only.
class LMenuListBoxItem : public LCheckedListBoxItem {
public:
  // Looks of the check box.
  static constexpr int32_t kUncheckedLook = 0;
  static constexpr int32_t kCheckedLook = 7;
  static constexpr int32_t kCheckedHoverLook = 8;

  LMenuListBoxItem(const RCPtr<LControl>& parent, const String& name);

  SVRESULT Initialize() override;
  // The checked row's look; a look the row lacks still counts as done, so that a
  // menu skin with fewer looks than a list never fails a row update.
  bool SetLook(int32_t look, bool exclusive) override;

  // The text of the row's "hotKeyLabel".
  void SetHotKeyText(const String& text);
  String GetHotKeyText() const;
  // The hot-key label's current look takes `part` as its text foreground, so the key
  // text is drawn like the row's label.
  void SetHotKeyLabelColorizer(const RCPtr<LVisualPart>& part);
  // The look the check box shows; -1 without a check box or a shown look.
  int32_t GetCheckBoxLook() const;

  RCPtr<LControl> GetHotKeyLabel() const;
};

}  // namespace SV
