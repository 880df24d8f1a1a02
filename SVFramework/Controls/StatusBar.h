#pragma once
#include "SVFramework/ControlBase/Control.h"
#include "SVFramework/notification/NotificationQueue.h"

namespace SV {

class LLabel;

// One line of status text on the child label "label1". A text is either set at once
// (and the window redrawn at once, for long work on the UI thread) or posted, in which
// case only the latest text posted before the next idle pass is shown then. The bar
// is its own queue of posted texts, processed on every idle pass for its whole life.
// It makes itself the application's status bar when initialised. UI thread only.
class LStatusBar : public LControl, public LNotificationQueue {
public:
  using BarHandlers = LNotificationHandler<LStatusBar>;

  LStatusBar(const RCPtr<LControl>& parent, const String& name);
  ~LStatusBar() override;

  // Processes the posted texts.
  void OnIdle() override;
  // Binds the latest posted text, aims the queue at the bar, takes the idle
  // subscription, finds the label and its default text, and registers the bar.
  SVRESULT Initialize() override;
  // The base parameters; the bar never takes the focus.
  SVRESULT ApplyCreateParams() override;
  // Detaches the queue first, so that its reference back to the bar does not keep it.
  SVRESULT ReleaseInternalReferences() override;
  int32_t Receive(const RCPtr<LNotificationDistributor>& source, const RCPtr<LNotification>& notification) override;
  SVRESULT UnsubscribeVirtual(const RCPtr<LNotificationDistributor>& source, const char16_t* idText) override;

  // The "LABEL" string of "label1" read at initialisation.
  String GetDefaultText() const { return mDefaultText; }
  // Flushes the posted texts, shows this one and redraws the window when shown. 0.
  SVRESULT SetTextNow(const String& text);
  // Queues the text for the next idle pass; the queue's result.
  SVRESULT PostText(const String& text);
  // The text the label shows (empty without a label).
  String GetShownText() const;

private:
  int32_t OnSetStatusText(const RCPtr<LNotificationDistributor>& source, const RCPtr<LNotification>& notification);

  RCPtr<BarHandlers> mBarHandlers;
  RCPtr<LLabel> mLabel;
  String mDefaultText;
};

}  // namespace SV
