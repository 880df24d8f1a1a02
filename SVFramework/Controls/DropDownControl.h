#pragma once

#include "SVFramework/ControlBase/Control.h"

namespace SV {

// The base of every control that opens a drop-down part when pressed. It decides only
// when: a left press opens the part, a focus request that finds it open closes it (and
// the press that made that request then opens nothing), and losing the focus closes
// it. What the part is and how it shows belongs to the subclass (IsDropDownOpen,
// ShowDropDown). Not registered with the factory. UI thread only.
class LDropDownControl : public LControl {
public:
  using DropDownHandlers = LNotificationHandler<LDropDownControl>;

  LDropDownControl(const RCPtr<LControl>& parent, const String& name);
  ~LDropDownControl() override;

  // LControl's focus request; an open drop-down is then closed and remembered as closed
  // by this request, so that the press behind it does not reopen it.
  SVRESULT SetFocus(bool first) override;
  // A left press that has just begun opens the drop-down unless it is the press that
  // closed it. Subclasses that override this call it first.
  void OnConditionsChanged(const RCPtr<LConditionsParam>& param) override;
  // Binds the control's own "NID_MOUSE_DOWN". Returns LControl's result.
  SVRESULT Initialize() override;
  SVRESULT OnFocusLost() override;
  int32_t Receive(const RCPtr<LNotificationDistributor>& source, const RCPtr<LNotification>& notification) override;
  SVRESULT UnsubscribeVirtual(const RCPtr<LNotificationDistributor>& source, const char16_t* idText) override;

  virtual bool IsDropDownOpen() = 0;
  virtual SVRESULT ShowDropDown(bool open) = 0;

  int32_t OnOwnMouseDown(const RCPtr<LNotificationDistributor>& source, const RCPtr<LNotification>& notification);

protected:
  static constexpr uint32_t kLeftDownCondition = 0x10;
  // The looks of an open, an open and hovered, and a disabled drop-down control.
  static constexpr int32_t kLookOpen = 4;
  static constexpr int32_t kLookOpenHover = 5;
  static constexpr int32_t kLookDisabled = 6;
  static bool LeftPressBegan(const LConditionsParam& param) {
    return (param.current & kLeftDownCondition) != 0 && (param.previous & kLeftDownCondition) == 0;
  }

private:
  RCPtr<DropDownHandlers> mDropDownHandlers;
  bool mClosedByFocus = false;
  bool mIgnoreNextPress = false;
};

}  // namespace SV
