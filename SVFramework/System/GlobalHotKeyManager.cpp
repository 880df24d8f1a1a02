#include "SVFramework/System/GlobalHotKeyManager.h"

#include "SVFramework/ControlBase/KeyParam.h"
#include "SVFramework/notification/Notification.h"
#include "SVFramework/notification/NotificationDistributor.h"

namespace SV {

int32_t LGlobalHotKeyManager::ProcessKey(const KeyCode& key) {
  const String command = mMap.FindCommand(key);
  if (command.IsEmpty()) return 1;
  const RCPtr<LNotification> notification =
      LNotification::Obtain(command.GetString(), RCPtr<LRefCountedObject>(MakeKeyParam(key, 1).Get()));
  if (mTarget && notification) mTarget->Receive(RCPtr<LNotificationDistributor>(), notification);
  return 0;
}

RCPtr<LGlobalHotKeyManager> CreateGlobalHotKeyManager(const RCPtr<LNotificationReceiver>& target) {
  return RCPtr<LGlobalHotKeyManager>(new LGlobalHotKeyManager(target));
}

}  // namespace SV
