#include "SVFramework/Application/FrameworkApp.h"
#include "SVFramework/ControlBase/Control.h"
#include "SVFramework/ControlBase/ControlFactory.h"
#include "SVFramework/ControlBase/PopupMenuInterface.h"
#include "SVFramework/ControlBase/ToolTipInterface.h"
#include "SVFramework/System/GlobalHotKeyManager.h"
#include "SVFramework/notification/Notification.h"

// Context menus and tooltips of LControl: the popup and the tooltip are children made
// from the skin's "contextMenu" and "toolTip" descriptors; menu commands that have hot
// keys go where those keys send them.
namespace SV {
namespace {

LGlobalHotKeyManager* WindowHotKeys(LRootWindow* rootWindow) {
  return rootWindow ? rootWindow->GetHotKeyManager() : nullptr;
}

LGlobalHotKeyManager* GlobalHotKeys() {
  LFrameworkApp* application = GetFrameworkApp();
  return application ? application->GetGlobalHotKeyManager() : nullptr;
}

bool HasKeys(LGlobalHotKeyManager* manager, const String& command) {
  return manager && manager->GetMap().HasCommand(command);
}

// The skin child as the interface its name promises; a child of another class leaves
// the tree again and nothing is used.
template <class Promised>
Promised* AsPromised(const RCPtr<LControl>& child) {
  auto* promised = dynamic_cast<Promised*>(child.Get());
  if (!promised && child) child->Detach();
  return promised;
}

}  // namespace

// A child made from the current skin's descriptor of that name; null when the skin has
// none.
RCPtr<LControl> LControl::CreateSkinChild(const char16_t* descriptorName) {
  const RCPtr<LControlFactory>& factory = GetApplicationControlFactory();
  if (!factory) return nullptr;
  const RCPtr<LControlDescriptor>& descriptor = factory->FindControlDescriptor(descriptorName);
  if (!descriptor) return nullptr;
  RCPtr<LControl> child;
  factory->CreateControl(child, descriptor, RCPtr<LControl>(this));
  return child;
}

// A skin whose "contextMenu" makes no popup menu shows nothing and leaves no child.
SVRESULT LControl::OpenContextMenu(const RCPtr<LMenuDescriptor>& menu) {
  const RCPtr<LControl> self(this);
  const RCPtr<LControl> child = CreateSkinChild(u"contextMenu");
  auto* popup = AsPromised<IPopupMenu>(child);
  if (!popup) return E_FAIL;
  child->SetVisible(false);
  popup->SetMenuDescriptor(menu);
  OnContextMenuOpening(child);
  popup->ShowAtCursor();
  return S_OK;
}

SVRESULT LControl::SetMenuDescriptor(const RCPtr<LMenuDescriptor>& menu) {
  if (mMenuDescriptor) BindMenuCommands(mMenuDescriptor, false);
  if (mMenuDescriptor != menu) mMenuDescriptor = menu;
  if (mMenuDescriptor) BindMenuCommands(mMenuDescriptor, true);
  return S_OK;
}

SVRESULT LControl::BindMenuCommands(const RCPtr<LMenuDescriptor>& menu, bool bind) {
  if (!menu) return E_INVALIDARG;
  for (uint32_t index = 0; index < menu->Items.GetCount(); ++index) {
    const RCPtr<LMenuItemDescriptor> item = menu->Items[index];
    if (!item) continue;
    if (item->Items.GetCount() > 0) {
      BindMenuCommands(RCPtr<LMenuDescriptor>(item.Get()), bind);
      continue;
    }
    const String& command = item->CommandID;
    if (!HasKeys(WindowHotKeys(GetRootWindow()), command) && !HasKeys(GlobalHotKeys(), command)) continue;
    if (bind) {
      EnsureHandlers().AddDirectHandler(&LControl::ForwardMenuCommand, command.GetString());
    } else if (mHandlers) {
      mHandlers->RemoveHandler(nullptr, command.GetString());
    }
  }
  return S_OK;
}

int32_t LControl::ForwardMenuCommand(const RCPtr<LNotificationDistributor>&, const RCPtr<LNotification>& notification) {
  if (!notification) return 1;
  const String command(notification->GetID());
  LGlobalHotKeyManager* window = WindowHotKeys(GetRootWindow());
  if (HasKeys(window, command)) {
    DeliverNotification(window->GetTarget().Get(), command.GetString(), nullptr);
  } else if (LGlobalHotKeyManager* global = GlobalHotKeys(); global && global->GetTarget()) {
    DeliverNotification(global->GetTarget().Get(), command.GetString(), nullptr);
  }
  return 1;
}

// A skin whose "toolTip" makes no tooltip shows nothing and leaves no child.
SVRESULT LControl::ShowTooltip(bool show) {
  const RCPtr<LControl> self(this);
  if (!show) {
    const RCPtr<LControl> shown = FindChild(u"toolTip");
    if (auto* tooltip = dynamic_cast<IToolTip*>(shown.Get())) tooltip->Hide();
    return S_OK;
  }
  const String text = GetTooltipText();
  if (text.IsEmpty()) return S_OK;
  const RCPtr<LControl> child = CreateSkinChild(u"toolTip");
  auto* tooltip = AsPromised<IToolTip>(child);
  if (!tooltip) return S_OK;
  child->SetText(text);
  tooltip->Show();
  return S_OK;
}

RCPtr<LControl> LControl::GetTooltipOwner() {
  if (GetTooltipText().IsEmpty() && mUseParentTooltip && mParent) return mParent->GetTooltipOwner();
  return RCPtr<LControl>(this);
}

}  // namespace SV
