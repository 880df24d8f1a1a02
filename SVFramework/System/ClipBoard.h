#pragma once
#include <cstdint>

#include "Platform/Gui/Clipboard.h"
#include "SVFramework/ObjectBase/RefCountedObject.h"
#include "SVFramework/notification/NotificationClient.h"

namespace SV {

class LControl;

// The application's one clipboard object. It turns the edit requests posted to the
// "application" center ("NID_EDIT_CUT_REQ", "NID_EDIT_COPY_REQ", "NID_EDIT_PASTE_REQ",
// "NID_EDIT_DELETE_REQ") into PerformEdit on the owner control of the active root
// window's focus control, with the request's ID as the command; and it keeps the
// clipboard content as a shared object, exchanging text with the platform clipboard
// and remembering by the clipboard's change count what it last read or wrote.
// UI thread only.
class LClipboard : public LNotificationClient {
public:
  // On the platform clipboard of the running GUI application, taken at first use
  // (none while there is no GUI application).
  LClipboard() = default;
  explicit LClipboard(::Platform::Gui::IClipboard* platform) : mPlatform(platform), mOwnPlatform(true) {}

  // Subscribes to the four edit requests on the "application" center; requests are
  // acted on only from then on. 0.
  SVRESULT Initialize();
  // Runs the request's edit on the edit target; returns 1 whatever the target did.
  int32_t Receive(const RCPtr<LNotificationDistributor>& source, const RCPtr<LNotification>& notification) override;
  // Runs the edit request's command on the edit target when it accepts it; whether it did.
  bool PerformEditRequest(const String& command);
  // Whether the edit target accepts the command (an edit request's ID); false without
  // an active root window or target.
  bool CanPerformEdit(const String& command) const;

  // The content: unchanged while the platform clipboard has not changed since the last
  // own read or write, or holds this process's private marker; else the platform's text
  // as a new shared text, or null when it holds no text.
  RCPtr<LRefCountedObject> GetText();
  // Makes the object the content: a shared text (LStringPayload) goes to the platform
  // clipboard as text, any other object as the private marker, null only clears the
  // content. 0; E_FAIL when the platform refused; 1 when called from inside itself.
  SVRESULT SetText(const RCPtr<LRefCountedObject>& content);

private:
  static LControl* FindEditTarget();
  ::Platform::Gui::IClipboard* PlatformClipboard();
  void RememberChangeCount();

  ::Platform::Gui::IClipboard* mPlatform = nullptr;
  bool mOwnPlatform = false;  // given at construction, else the system's
  uint32_t mChangeCount = 0;
  RCPtr<LRefCountedObject> mContent;
  bool mInitialized = false;
  bool mInSetText = false;
};

}  // namespace SV
