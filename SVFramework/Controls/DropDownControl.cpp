#include "SVFramework/Controls/DropDownControl.h"

namespace SV {

LDropDownControl::LDropDownControl(const RCPtr<LControl>& parent, const String& name) : LControl(parent, name) {}

LDropDownControl::~LDropDownControl() { mDropDownHandlers = nullptr; }

SVRESULT LDropDownControl::Initialize() {
  const SVRESULT result = LControl::Initialize();
  if (!mDropDownHandlers) mDropDownHandlers = DropDownHandlers::Create(this);
  mDropDownHandlers->AddHandler(&LDropDownControl::OnOwnMouseDown, RCPtr<LNotificationDistributor>(this),
                                u"NID_MOUSE_DOWN");
  return result;
}

int32_t LDropDownControl::OnOwnMouseDown(const RCPtr<LNotificationDistributor>&, const RCPtr<LNotification>&) {
  if (mClosedByFocus) mIgnoreNextPress = true;
  return 0;
}

SVRESULT LDropDownControl::SetFocus(bool first) {
  const SVRESULT result = LControl::SetFocus(first);
  const bool wasOpen = IsDropDownOpen();
  // Closing may hand the focus back here from the hidden part; that nested request
  // finds the part closed and must not erase that this request closed it.
  if (wasOpen) ShowDropDown(false);
  mClosedByFocus = wasOpen;
  return result;
}

void LDropDownControl::OnConditionsChanged(const RCPtr<LConditionsParam>& param) {
  if (!param || !LeftPressBegan(*param)) return;
  if (mIgnoreNextPress) {
    mIgnoreNextPress = false;
    return;
  }
  ShowDropDown(true);
}

SVRESULT LDropDownControl::OnFocusLost() {
  ShowDropDown(false);
  return LControl::OnFocusLost();
}

int32_t LDropDownControl::Receive(const RCPtr<LNotificationDistributor>& source,
                                  const RCPtr<LNotification>& notification) {
  if (!IsCreated()) return 1;
  if (mDropDownHandlers) {
    const int32_t handled = mDropDownHandlers->Dispatch(source, notification);
    if (handled != 0) return handled;
  }
  return LControl::Receive(source, notification);
}

SVRESULT LDropDownControl::UnsubscribeVirtual(const RCPtr<LNotificationDistributor>& source, const char16_t* idText) {
  if (mDropDownHandlers) mDropDownHandlers->RemoveHandler(source.Get(), idText);
  return LControl::UnsubscribeVirtual(source, idText);
}

}  // namespace SV
