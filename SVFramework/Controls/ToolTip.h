#pragma once
#include <cstdint>

#include "SVFramework/ControlBase/Control.h"
#include "SVFramework/ControlBase/ToolTipInterface.h"

namespace SV {

// The tooltip ("Framework.ToolTip"): a text control the control base creates from the
// skin's "toolTip" descriptor below a control whose pointer rested, gives the control's
// tooltip text and shows. It appears more than 500 ms after Show, 20 px below the
// pointer and kept inside the window, and hides itself more than 5000 ms after it
// appeared. Shown within 50 ms of the hiding of another visible tooltip, it appears at
// once. Times are the application's millisecond tick count, compared as unsigned
// differences so that they survive the counter's wrap. Each tooltip lives from one
// Show to its Hide, after which its parent destroys it. UI thread only.
class LToolTip : public LControl, public IToolTip {
public:
  enum State : int32_t { kIdle = 0, kWaiting = 1, kShown = 2 };

  static constexpr uint32_t kShowDelayMs = 500;
  static constexpr uint32_t kShowDurationMs = 5000;
  static constexpr uint32_t kAtOnceAfterHideMs = 50;
  static constexpr int32_t kBelowPointer = 20;
  static constexpr int32_t kWindowMargin = 8;

  LToolTip(const RCPtr<LControl>& parent, const String& name);
  ~LToolTip() override;

  // The pointer hits the tooltip everywhere.
  bool IsTransparentAt(PointT<int32_t>) override { return false; }
  // Shows a waiting tooltip after its delay; hides a shown one after its duration.
  void OnIdle() override;
  // Not focusable; reads no create parameters. 0.
  SVRESULT ApplyCreateParams() override;
  // A new tooltip starts hidden.
  void OnDescriptorApplied() override;

  // Caps the width to the window's less the margin, starts waiting (or shows at once
  // right after another tooltip was hidden) and takes an idle subscription. 0.
  SVRESULT Show() override;
  // Stops timing, notes the hide time when it was visible and asks the parent to
  // destroy it at the next idle pass. 0.
  SVRESULT Hide() override;
  // Places the tooltip 20 px below the pointer, kept inside the root window; nothing
  // without a parent or root window.
  void PlaceAtCursor();

  State GetState() const { return mState; }
  // Forgets the hide time shared by all tooltips: the next one waits its full delay.
  static void ForgetLastHide();

private:
  static uint32_t Now();
  void Appear();
  void CapWidthToWindow();

  State mState = kIdle;
  uint32_t mTime = 0;
  // Shared by all tooltips: when the last visible one was hidden.
  static bool sHidden;
  static uint32_t sLastHideTime;
};

}  // namespace SV
