#include <algorithm>
#include <climits>
#include <vector>

#include "SVFramework/Application/FrameworkApp.h"
#include "SVFramework/ControlBase/Control.h"
#include "SVFramework/ControlBase/KeyParam.h"
#include "SVFramework/System/GlobalHotKeyManager.h"
#include "SVFramework/notification/Notification.h"

// Key routing of LControl: the focus control's local hot keys, its own handling, Tab,
// its siblings' hot keys, then the window's and the application's hot keys.
namespace SV {
namespace {

constexpr const char16_t* kSiblingKey = u"NID_SIBLING_KEY";
constexpr uint32_t kTabKey = 9;

// Tab acts while the key is down: on the press and on every auto-repeat.
bool IsTabDown(const KeyCode& key) {
  return key.GetVirtualKey() == kTabKey && (key.code & KeyCode::kKeyDown) != 0 && !key.IsNoKey();
}

LControl* LastOfRoute(const LKeyParam& key) {
  const uint32_t count = key.route.GetCount();
  return count > 0 ? key.route[count - 1].Get() : nullptr;
}

}  // namespace

void DeliverNotification(LNotificationReceiver* receiver, const char16_t* id, const RCPtr<LRefCountedObject>& payload) {
  const RCPtr<LNotification> notification = LNotification::Obtain(id, payload);
  if (receiver && notification) receiver->Receive(RCPtr<LNotificationDistributor>(), notification);
}

SVRESULT LControl::OnKeyPress(const RCPtr<LKeyParam>& key) {
  if (!key || !AcceptsInput()) return S_OK;
  const RCPtr<LControl> self(this);
  const RCPtr<LSiblingKeyParam> offer = MakeSiblingKeyParam(key->key, this);
  DeliverNotification(this, kSiblingKey, RCPtr<LRefCountedObject>(offer.Get()));
  if (offer->result == 0 || HandleKey(key) != S_FALSE) return S_OK;
  key->route.Append(self);
  if (IsTabDown(key->key)) {
    if (mWantsTab) return S_OK;
    if (mParent) {
      RCPtr<LControl>(mParent.Get())->MoveFocusByTab(key);
    } else if (mRootWindow) {
      RCPtr<LRootWindow>(mRootWindow.Get())->TabToNextWindow(key);
    }
    return S_OK;
  }
  if (mParent) {
    RCPtr<LControl>(mParent.Get())->RouteUnhandledKey(key);
  } else {
    RouteToHotKeyManagers(key);
  }
  return S_OK;
}

SVRESULT LControl::RouteUnhandledKey(const RCPtr<LKeyParam>& key) {
  if (!key) return E_INVALIDARG;
  if (OnSiblingKey(key) != S_FALSE) return S_OK;
  RouteToHotKeyManagers(key);
  return S_OK;
}

void LControl::RouteToHotKeyManagers(const RCPtr<LKeyParam>& key) {
  LRootWindow* rootWindow = GetRootWindow();
  if (LGlobalHotKeyManager* window = rootWindow ? rootWindow->GetHotKeyManager() : nullptr)
    if (window->ProcessKey(key->key) != 1) return;
  LFrameworkApp* application = GetFrameworkApp();
  if (LGlobalHotKeyManager* global = application ? application->GetGlobalHotKeyManager() : nullptr)
    global->ProcessKey(key->key);
}

SVRESULT LControl::OnSiblingKey(const RCPtr<LKeyParam>& key) {
  if (!key) return E_INVALIDARG;
  const NotificationID id = FindNotificationID(kSiblingKey);
  const RCPtr<LNotificationClientPool> registration = id ? FindRegistration(id) : nullptr;
  if (!registration || registration->GetCount() == 0) return S_FALSE;
  const RCPtr<LControl> self(this);
  Array<uint32_t> order;
  SortChildren(key, registration, order);
  LControl* sender = LastOfRoute(*key);
  const RCPtr<LSiblingKeyParam> offer = MakeSiblingKeyParam(key->key, sender);
  const RCPtr<LNotification> notification =
      LNotification::Obtain(kSiblingKey, RCPtr<LRefCountedObject>(offer.Get()));
  for (uint32_t position = order.GetCount(); position-- > 0;) {
    const uint32_t index = order[position];
    if (index >= static_cast<uint32_t>(registration->GetCount())) continue;
    const RCPtr<LNotificationClient> client = registration->GetClient(static_cast<int32_t>(index));
    if (!client || dynamic_cast<LControl*>(client.Get()) == sender) continue;
    client->Receive(RCPtr<LNotificationDistributor>(this), notification);
    if (offer->result == 0) return S_OK;
  }
  return S_FALSE;
}

// Children in tab order, the first focusable one and those after the sender first
// when offered from the end: the leading not-focusable records, then the records after
// the sender's tab position, then the rest.
SVRESULT LControl::SortChildren(const RCPtr<LKeyParam>& key, const RCPtr<LNotificationClientPool>& registration,
                                Array<uint32_t>& order) {
  order.RemoveAll();
  if (!registration) return S_FALSE;
  struct Record {
    int64_t key;
    bool focusable;
    uint32_t client;
  };
  std::vector<Record> records;
  int64_t counter = INT32_MIN;
  for (int32_t index = 0; index < registration->GetCount(); ++index) {
    const RCPtr<LNotificationClient> client = registration->GetClient(index);
    auto* control = dynamic_cast<LControl*>(client.Get());
    if (control && control->mParent.Get() == this) {
      records.push_back({IndexOfChild(control, ChildOrder::TabOrder), !control->mNotFocusable,
                         static_cast<uint32_t>(index)});
    } else {
      records.push_back({counter++, false, static_cast<uint32_t>(index)});
    }
  }
  std::stable_sort(records.begin(), records.end(), [](const Record& a, const Record& b) { return a.key < b.key; });
  LControl* source = key ? LastOfRoute(*key) : nullptr;
  const int64_t sourcePosition = source && source->mParent.Get() == this ? IndexOfChild(source, ChildOrder::TabOrder) : -1;
  size_t leading = 0;
  while (leading < records.size() && !records[leading].focusable) order.Append(records[leading++].client);
  for (size_t index = leading; index < records.size(); ++index)
    if (records[index].key > sourcePosition) order.Append(records[index].client);
  for (size_t index = leading; index < records.size(); ++index)
    if (records[index].key <= sourcePosition) order.Append(records[index].client);
  return S_OK;
}

SVRESULT LControl::MoveFocusByTab(const RCPtr<LKeyParam>& key) {
  if (!key) return E_INVALIDARG;
  const RCPtr<LControl> self(this);
  const bool backwards = (key->key.code & KeyCode::kShift) != 0;
  if ((key->key.code & KeyCode::kCtrl) != 0) {
    const RCPtr<LKeyParam> leave = MakeKeyParam(KeyCode(backwards ? 0x2000009u : 9u, 0, 0), 0);
    return PassTabUp(leave);
  }
  RCPtr<LControl> last(LastOfRoute(*key));
  RCPtr<LControl> next = GetNextFocusableChild(last.Get(), backwards);
  // Each step visits another child; a handler that changes the children cannot make
  // the walk go on for ever.
  for (uint32_t steps = 0; steps <= mChildren.GetCount(); ++steps) {
    if (!next || next == last) return key->sourceFlag == 0 ? PassTabUp(key) : S_OK;
    if (key->sourceFlag == 0) {
      const int32_t lastPosition = IndexOfChild(last.Get(), ChildOrder::TabOrder);
      const int32_t nextPosition = IndexOfChild(next.Get(), ChildOrder::TabOrder);
      if (backwards ? nextPosition >= lastPosition : nextPosition <= lastPosition) return PassTabUp(key);
    }
    if (next->IsFocusable() || next->ContainsFocusableChild()) return next->SetFocus(!backwards);
    if (!last->AcceptsInput()) last = next;
    next = GetNextFocusableChild(next.Get(), backwards);
  }
  return S_FALSE;
}

SVRESULT LControl::PassTabUp(const RCPtr<LKeyParam>& key) {
  key->route.Append(RCPtr<LControl>(this));
  if (mParent) return RCPtr<LControl>(mParent.Get())->MoveFocusByTab(key);
  if (mRootWindow) RCPtr<LRootWindow>(mRootWindow.Get())->TabToNextWindow(key);
  return S_OK;
}

SVRESULT LControl::LoadLocalHotKeys() {
  mLocalHotKeys.Clear();
  if (!mStringTable) return S_FALSE;
  const SVRESULT result = mLocalHotKeys.LoadFromStringTable(mStringTable.Get(), u"LHK");
  if (result < 0 || mLocalHotKeys.IsEmpty() || !mParent) return result;
  Handlers& handlers = EnsureHandlers();
  handlers.AddHandler(&LControl::OnLocalHotKey, RCPtr<LNotificationDistributor>(mParent.Get()), kSiblingKey, 0);
  handlers.AddDirectHandler(&LControl::OnLocalHotKey, kSiblingKey);
  return S_OK;
}

int32_t LControl::OnLocalHotKey(const RCPtr<LNotificationDistributor>&, const RCPtr<LNotification>& notification) {
  auto* offer = notification ? dynamic_cast<LSiblingKeyParam*>(notification->GetPayload().Get()) : nullptr;
  if (!offer || !AcceptsInput()) return 1;
  const String command = mLocalHotKeys.FindCommand(offer->key);
  if (command.IsEmpty()) return 1;
  offer->result = 0;
  DeliverNotification(this, command.GetString(), notification->GetPayload());
  return 1;
}

}  // namespace SV
