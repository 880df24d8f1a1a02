#pragma once
#include <cstdint>

#include "SVFramework/ObjectBase/RefCountedObject.h"
#include "SVFramework/ObjectBase/SVResult.h"

namespace SV {

class LNotification;
class LNotificationDistributor;

// Anything a notification can be handed to.
class LNotificationReceiver : public virtual LRefCountedObject {
public:
  // Takes one notification from `source` (null when it was handed over directly).
  // Distributors ignore the result; handler tables return nonzero for handled. Called
  // with no notification lock held, on the thread that delivers.
  virtual int32_t Receive(const RCPtr<LNotificationDistributor>& source,
                          const RCPtr<LNotification>& notification) = 0;
  // Leaves this receiver's registration for `idText` with `source`.
  virtual SVRESULT UnsubscribeVirtual(const RCPtr<LNotificationDistributor>& source, const char16_t* idText) = 0;
};

}  // namespace SV
