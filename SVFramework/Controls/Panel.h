#pragma once
#include <cstdint>

#include "SVFramework/Controls/ScrollView.h"

namespace SV {

// The general container: a scroll view that moves the focus among its children with
// Tab and Shift+Tab, passes keys it does not handle up its parent chain, and lets a
// key that a child of its parent did not use reach the controls inside it (sibling
// keys). Inside a parent, Tab does not wrap around: past the last child the key climbs
// to the parent, which continues after this panel; a top-level panel wraps. Created
// for "Framework.Panel", "Framework.ScrollChannel", "Framework.ComboSlider.DropDownPanel"
// and "Framework.CenteredSliderBounds". UI thread only.
class LPanel : public LScrollView {
public:
  using Handlers = LNotificationHandler<LPanel>;

  LPanel(const RCPtr<LControl>& parent, const String& name);
  ~LPanel() override;

  // The base's next or previous child; inside a parent, null instead of a result that
  // wraps around.
  RCPtr<LControl> GetNextFocusableChild(LControl* child, bool backwards) override;
  SVRESULT HandleKey(const RCPtr<LKeyParam>&) override { return S_FALSE; }
  // Siblings first; then up to the parent, or at the top to the application's hot keys.
  SVRESULT RouteUnhandledKey(const RCPtr<LKeyParam>& key) override;
  // Tab traversal among the children; a key that leaves the panel goes to the parent.
  SVRESULT MoveFocusByTab(const RCPtr<LKeyParam>& key) override;
  // The scroll view's initialisation, then (with a parent) the sibling-key binding to
  // the parent. A failed binding raises SV::Exception<SV::FailedResultException>.
  SVRESULT Initialize() override;
  // The panel's table, then the scroll view's, then the control's.
  int32_t Receive(const RCPtr<LNotificationDistributor>& source, const RCPtr<LNotification>& notification) override;

protected:
  // A key the parent offers its children: offered to this panel's children. 1.
  int32_t OnSiblingKeyNotification(const RCPtr<LNotificationDistributor>& source,
                                   const RCPtr<LNotification>& notification);
  const RCPtr<Handlers>& GetPanelHandlers() const { return mPanelHandlers; }

private:
  SVRESULT BindSiblingKey();

  RCPtr<Handlers> mPanelHandlers;
};

}  // namespace SV
