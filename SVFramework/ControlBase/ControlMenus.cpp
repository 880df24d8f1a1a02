#include "SVFramework/Application/FrameworkApp.h"
#include "SVFramework/ControlBase/Control.h"
#include "SVFramework/ControlBase/ControlFactory.h"
#include "SVFramework/ControlBase/MenuItemUpdater.h"
#include "SVFramework/ControlBase/PopupMenuInterface.h"
#include "SVFramework/ControlBase/ToolTipInterface.h"
#include "SVFramework/System/GlobalHotKeyManager.h"
#include "SVFramework/notification/Notification.h"

#include <set>
#include <string>

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

constexpr char16_t kContextMenuPrefix[] = u"CONTEXT_MENU";

// The entries whose ID begins with `prefix`, their IDs shortened by the prefix.
Array<StringPair> EntriesUnder(const LStringTable& table, const String& prefix) {
  Array<StringPair> entries;
  table.GetEntriesWithPrefix(prefix, entries);
  for (uint32_t index = 0; index < entries.GetCount(); ++index) {
    entries[index].first = entries[index].first.Mid(prefix.GetLength());
  }
  return entries;
}

// The names before the first dot of the numbered menus' IDs, in ordinal order.
std::set<std::u16string> NumberedMenuGroups(const LStringTable& table) {
  Array<StringPair> entries;
  table.GetEntriesWithPrefix(kContextMenuPrefix, entries);
  std::set<std::u16string> groups;
  for (uint32_t index = 0; index < entries.GetCount(); ++index) {
    const std::u16string_view id = entries[index].first.View();
    const size_t dot = id.find(u'.');
    if (dot != std::u16string_view::npos) groups.emplace(id.substr(0, dot));
  }
  return groups;
}

}  // namespace

SVRESULT LControl::UpdateMenuItemState(const RCPtr<LMenuDescriptor>&, uint32_t, const String&, LMenuItemState&) {
  return S_FALSE;
}

const RCPtr<LMenuItemUpdater>& LControl::GetMenuItemUpdater() {
  if (!mMenuItemUpdater) {
    mMenuItemUpdater = RCPtr<LMenuItemUpdater>(new LMenuItemUpdater(this));
    AddInternalReferences(1);
  }
  return mMenuItemUpdater;
}

void LControl::ReleaseMenuItemUpdater() {
  const RCPtr<LMenuItemUpdater> updater = std::move(mMenuItemUpdater);
  mMenuItemUpdater = nullptr;
  if (updater) updater->ReleaseOwner();
}

// "CONTEXT_MENU." entries make the one menu; only without them do the numbered groups
// ("CONTEXT_MENU0.", "CONTEXT_MENU1.", ...) make one menu each, in ordinal group order.
int32_t LControl::BuildContextMenuDescriptors(RCPtrArray<LMenuDescriptor>& menus) {
  const RCPtr<LStringTable> table = GetStringTable();
  if (!table) return 1;
  const Array<StringPair> single = EntriesUnder(*table, String(kContextMenuPrefix) + u".");
  if (single.GetCount() > 0) {
    menus.Append(LMenuDescriptor::BuildFromStrings(single));
    return 1;
  }
  for (const std::u16string& group : NumberedMenuGroups(*table)) {
    menus.Append(LMenuDescriptor::BuildFromStrings(EntriesUnder(*table, String((group + u".").c_str()))));
  }
  return 1;
}

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
