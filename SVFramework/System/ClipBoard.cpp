#include "SVFramework/System/ClipBoard.h"

#include "SVFramework/Application/FrameworkApp.h"
#include "SVFramework/Application/RootWindow.h"
#include "SVFramework/ControlBase/Control.h"
#include "SVFramework/Utilities/StringPayload.h"
#include "SVFramework/notification/Notification.h"
#include "SVFramework/notification/NotificationCenter.h"
#include "SVFramework/notification/NotificationCenterManager.h"

namespace SV {
namespace {

constexpr const char16_t* kEditRequests[] = {u"NID_EDIT_CUT_REQ", u"NID_EDIT_COPY_REQ", u"NID_EDIT_PASTE_REQ",
                                             u"NID_EDIT_DELETE_REQ"};

bool IsEditRequest(NotificationID id) {
  for (const char16_t* request : kEditRequests)
    if (id == InternNotificationID(request)) return true;
  return false;
}

}  // namespace

::Platform::Gui::IClipboard* LClipboard::PlatformClipboard() {
  if (!mPlatform && !mOwnPlatform) mPlatform = ::Platform::Gui::GetSystemClipboard();
  return mPlatform;
}

SVRESULT LClipboard::Initialize() {
  const RCPtr<LNotificationDistributor> center(GetApplicationNotificationCenter());
  for (const char16_t* request : kEditRequests) Subscribe(center, request);
  mInitialized = true;
  return S_OK;
}

LControl* LClipboard::FindEditTarget() {
  LFrameworkApp* const application = GetFrameworkApp();
  const RCPtr<LRootWindow> window = application ? application->GetActiveRootWindow() : nullptr;
  const RCPtr<LControl> focus = window ? window->GetFocusControl() : nullptr;
  LControl* const owner = focus ? focus->GetOwnerControl() : nullptr;
  return owner && owner->IsOwnerControl() ? owner : nullptr;
}

int32_t LClipboard::Receive(const RCPtr<LNotificationDistributor>&, const RCPtr<LNotification>& notification) {
  if (!mInitialized || !notification || !IsEditRequest(notification->GetID())) return 1;
  PerformEditRequest(String(notification->GetID()));
  return 1;
}

bool LClipboard::PerformEditRequest(const String& command) {
  LControl* const target = FindEditTarget();
  if (!target || !target->CanPerformEdit(command)) return false;
  target->PerformEdit(command);
  return true;
}

bool LClipboard::CanPerformEdit(const String& command) const {
  LControl* const target = FindEditTarget();
  return target && target->CanPerformEdit(command);
}

void LClipboard::RememberChangeCount() { mChangeCount = mPlatform->GetChangeCount(); }

RCPtr<LRefCountedObject> LClipboard::GetText() {
  if (!PlatformClipboard() || mPlatform->GetChangeCount() == mChangeCount || mPlatform->HasPrivateMarker())
    return mContent;
  if (!mPlatform->HasText()) {
    mContent = nullptr;
    return mContent;
  }
  std::u16string text;
  mContent = mPlatform->ReadText(text) ? RCPtr<LRefCountedObject>(MakeStringPayload(String(text.c_str())))
                                       : RCPtr<LRefCountedObject>();
  RememberChangeCount();
  return mContent;
}

SVRESULT LClipboard::SetText(const RCPtr<LRefCountedObject>& content) {
  if (mInSetText) return S_FALSE;
  mInSetText = true;
  mContent = content;
  SVRESULT result = S_OK;
  if (content && PlatformClipboard()) {
    const auto* text = dynamic_cast<const LStringPayload*>(content.Get());
    const bool written = text ? mPlatform->WriteText(std::u16string(text->GetString())) : mPlatform->WritePrivateMarker();
    result = written ? S_OK : E_FAIL;
    RememberChangeCount();
  } else if (content) {
    result = E_FAIL;
  }
  mInSetText = false;
  return result;
}

}  // namespace SV
