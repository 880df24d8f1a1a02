#pragma once
#include <cstdint>

#include "SVFramework/ControlBase/Control.h"

namespace SV {

// The row control of every list: shows one item that its list binds to it (text,
// selection as the normalised value, enabled state, alternate and separator flags)
// through one of fourteen looks chosen from that state and the pointer. It never takes
// the focus (its list handles the keys), shows its own text as tooltip when the text is
// cut off, and with forward-drag set hands a drag start to its parent.
// Looks: 0-2 normal/hover/pressed, 3-5 their alternate forms, 6 disabled, 7-12 the same
// six selected, 13 selected-disabled and separator. UI thread only.
class LListBoxItem : public LControl {
public:
  static constexpr int32_t kDisabledLook = 6;
  static constexpr int32_t kSelectedOffset = 7;
  static constexpr int32_t kSeparatorLook = 13;

  LListBoxItem(const RCPtr<LControl>& parent, const String& name);

  void OnValueChanged() override;
  void OnConditionsChanged(const RCPtr<LConditionsParam>& param) override;
  // A row never takes the focus.
  void OnDescriptorApplied() override;
  // The row's own text when it is shown cut off, else the tooltip text.
  String GetTooltipText() override;
  // With forward-drag set, the parent receives the drag start at the point in its own
  // coordinates and the row starts none.
  SVRESULT OnDragStart(int32_t button, int32_t x, int32_t y) override;

  virtual int32_t GetLookIndex();
  // Shows the look GetLookIndex chooses and repaints the row.
  void UpdateLook();
  // Setting empties the text (clearing does not restore it); nothing when unchanged.
  void SetSeparator(bool separator);

  bool IsSelected() const { return GetNormalizedValue() >= 0.5; }
  bool IsAlternate() const { return mAlternate; }
  bool IsSeparator() const { return mSeparator; }
  bool ForwardsDrag() const { return mForwardDrag; }
  // The list writes these; it runs UpdateLook after changing the alternate flag.
  void SetAlternate(bool alternate) { mAlternate = alternate; }
  void SetForwardDrag(bool forward) { mForwardDrag = forward; }

private:
  int32_t GetUnselectedLookIndex() const;

  bool mAlternate = false;
  bool mForwardDrag = false;
  bool mSeparator = false;
};

}  // namespace SV
