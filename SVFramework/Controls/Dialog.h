#pragma once
#include <cstdint>

#include "SVFramework/Controls/CancelArgs.h"
#include "SVFramework/Controls/ScrollView.h"

namespace SV {

// The root control of a modal dialog window: a scroll view whose standard buttons
// (direct children named "buttonOK", "buttonClose", "buttonCancel", "buttonAbort",
// "buttonRetry", "buttonIgnore", "buttonYes", "buttonNo") close it with their result,
// which announces "NID_DIALOG_CLOSING" (an LCancelArgs a listener may veto) and then
// "NID_DIALOG_CLOSED", and which runs itself modally through the application object.
// Only subclasses are registered under class names. UI thread only.
class LDialog : public LScrollView {
public:
  using Handlers = LNotificationHandler<LDialog>;

  // Results of the standard buttons; kCancel is also the window's close box.
  static constexpr int32_t kOK = 1;
  static constexpr int32_t kCancel = 2;
  static constexpr int32_t kAbort = 3;
  static constexpr int32_t kRetry = 4;
  static constexpr int32_t kIgnore = 5;
  static constexpr int32_t kYes = 6;
  static constexpr int32_t kNo = 7;

  LDialog(const RCPtr<LControl>& parent, const String& name);
  ~LDialog() override;

  // The scroll view's initialisation, then the standard buttons that are direct
  // children are bound (a failed binding is skipped). Returns the scroll view's result.
  SVRESULT Initialize() override;
  // The dialog's own table, then the scroll view's and the control's.
  int32_t Receive(const RCPtr<LNotificationDistributor>& source, const RCPtr<LNotification>& notification) override;

  // Shows the dialog in a new modal window and runs its loop; the result the loop
  // ended with (the one given to Close), or negative when no window could be made.
  virtual int32_t DoModal();
  // Called after a close was requested and announced.
  virtual void OnClosed() {}

  // Stores the result and announces "NID_DIALOG_CLOSING"; unless vetoed, asks the root
  // window to close with the result (at its next idle pass), announces
  // "NID_DIALOG_CLOSED" and runs OnClosed. 0 when closing, 1 when vetoed; E_FAIL, with
  // nothing announced as closed, when the dialog is in no window.
  SVRESULT Close(int32_t result);

  // A standard button was clicked; OK and Close first take the focus and close only
  // when they got it. 1.
  int32_t OnButtonClick(const RCPtr<LNotificationDistributor>& source, const RCPtr<LNotification>& notification);

  int32_t GetResult() const { return mResult; }
  const RCPtr<Handlers>& GetDialogHandlers() const { return mDialogHandlers; }

private:
  RCPtr<Handlers> mDialogHandlers;
  int32_t mResult = 0;
};

}  // namespace SV
