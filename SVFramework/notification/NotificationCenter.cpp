#include "SVFramework/notification/NotificationCenter.h"

namespace SV {

RCPtr<LNotificationCenter> LNotificationCenter::Create(const String& name) {
  RCPtr<LNotificationCenter> center(new LNotificationCenter(name));
  // Aimed only once an outside reference holds the center: the self reference is
  // internal, and no release may find the center held by internal references alone.
  if (!center->GetTarget() && center->GetPostingReceiver()) center->SetTarget(center);
  return center;
}

SVRESULT LNotificationCenter::ReleaseInternalReferences() {
  RemoveAllClients();
  Detach();
  return LRefCountedObject::ReleaseInternalReferences();
}

}  // namespace SV
