#pragma once

#include "SVFramework/Controls/Button.h"
#include "SVFramework/Controls/ListBoxItem.h"

namespace SV {

class LBitmap;

// The row of a checked list: a list row with a child button "checkBox" that shows the
// item's check state and, optionally, its image. The check box never takes the focus,
// shows the row's tooltip, and while the pointer is on it the row shows its hover look.
// Every skin row of this class has the check box; without one the row shows only text.
// UI thread only.
class LCheckedListBoxItem : public LListBoxItem {
public:
  using RowHandlers = LNotificationHandler<LCheckedListBoxItem>;
  // The name of the row's check box child in the skin.
  static constexpr const char16_t* kCheckBoxName = u"checkBox";

  LCheckedListBoxItem(const RCPtr<LControl>& parent, const String& name);
  ~LCheckedListBoxItem() override;

  SVRESULT Initialize() override;
  int32_t Receive(const RCPtr<LNotificationDistributor>& source, const RCPtr<LNotification>& notification) override;
  SVRESULT UnsubscribeVirtual(const RCPtr<LNotificationDistributor>& source, const char16_t* idText) override;

  // Shows the look on the row (weight 1); with look mirroring the check box follows.
  // Whether the row took the look.
  virtual bool SetLook(int32_t look, bool exclusive);

  // The child "checkBox"; null when absent.
  RCPtr<LButton> GetCheckBox() const;
  // The check box's look, once the row is initialized; 1 before.
  SVRESULT SetCheckBoxLook(int32_t look, bool exclusive);
  void SetCheckBoxValue(bool checked);
  // Puts the bitmap on every look of the check box; null clears it.
  void SetCheckBoxImage(const RCPtr<LBitmap>& bitmap);
  void SetCheckBoxVisible(bool visible);
  void SetLookMirroring(bool mirroring) { mLookMirroring = mirroring; }
  bool IsLookMirroring() const { return mLookMirroring; }

  int32_t OnCheckBoxHoverConditionChange(const RCPtr<LNotificationDistributor>& source,
                                         const RCPtr<LNotification>& notification);

private:
  RCPtr<RowHandlers> mRowHandlers;
  bool mLookMirroring = false;
};

}  // namespace SV
