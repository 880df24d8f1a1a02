#pragma once
#include <cstdint>

#include "SVFramework/ObjectBase/RefCountedObject.h"
#include "SVFramework/System/HotKeyMap.h"
#include "SVFramework/notification/NotificationReceiver.h"

namespace SV {

// A scope's hot keys (the application's or a root window's) with the receiver that
// their commands go to, usually a posting receiver that queues them for the next idle
// pass. Used on the UI thread.
class LGlobalHotKeyManager : public virtual LRefCountedObject {
public:
  explicit LGlobalHotKeyManager(const RCPtr<LNotificationReceiver>& target) : mTarget(target) {}
  ~LGlobalHotKeyManager() override = default;

  // 1 when no command is bound to the key; otherwise a notification with the command
  // as its ID and an LKeyParam of the key (source flag 1) goes to the target, and 0
  // (handled) is returned, also when there is no target.
  int32_t ProcessKey(const KeyCode& key);

  HotKeyMap& GetMap() { return mMap; }
  const HotKeyMap& GetMap() const { return mMap; }
  const RCPtr<LNotificationReceiver>& GetTarget() const { return mTarget; }

private:
  HotKeyMap mMap;
  RCPtr<LNotificationReceiver> mTarget;
};

// A new manager with an empty map that delivers to `target` (may be null).
RCPtr<LGlobalHotKeyManager> CreateGlobalHotKeyManager(const RCPtr<LNotificationReceiver>& target);

}  // namespace SV
