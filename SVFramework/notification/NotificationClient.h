#pragma once
#include <atomic>
#include <cstdint>

#include "SVFramework/Threads/Mutex.h"
#include "SVFramework/Utilities/Storage/Array.h"
#include "SVFramework/notification/NotificationID.h"
#include "SVFramework/notification/NotificationReceiver.h"

namespace SV {

// A receiver that subscribes to distributors and remembers them, so that it can leave
// them all at once. Every registration is counted as an internal reference on the
// client and on the distributor: when the client's last outside reference goes, it
// leaves every distributor and is destroyed.
// Subscribe only while an outside reference holds the client (not from its
// constructor). One thread at a time subscribes and unsubscribes one client.
class LNotificationClient : public LNotificationReceiver {
public:
  // Subscription flag: receive only the latest notification of the ID posted through
  // a queue, and nothing from a direct distribution.
  static constexpr int32_t LatestOnly = 1;

  LNotificationClient() = default;
  // Frees the distributor list only: a client with registrations cannot get here.
  ~LNotificationClient() override = default;

  // Registers with `source` for `idText`; subscribing again to the same pair only
  // replaces the flags. Returns the interned ID, or null for a null source or an
  // empty ID text.
  NotificationID Subscribe(const RCPtr<LNotificationDistributor>& source, const char16_t* idText,
                           int32_t flags = 0);
  // 0 removed, 1 nothing to remove, E_INVALIDARG for a null source or ID text.
  SVRESULT Unsubscribe(const RCPtr<LNotificationDistributor>& source, const char16_t* idText);
  // Leaves every distributor, the last subscribed first; returns the number of
  // registrations removed.
  int32_t UnsubscribeAll();

  // Ignores the notification; returns 0.
  int32_t Receive(const RCPtr<LNotificationDistributor>& source, const RCPtr<LNotification>& notification) override;
  SVRESULT UnsubscribeVirtual(const RCPtr<LNotificationDistributor>& source, const char16_t* idText) override;
  // Leaves every distributor, then answers as the base does.
  SVRESULT ReleaseInternalReferences() override;

  int32_t GetRegistrationCount() const { return mRegistrationCount.load(std::memory_order_acquire); }
  // The number of distinct distributors this client is registered with.
  int32_t GetDistributorCount() const;

private:
  void RememberDistributor(LNotificationDistributor* distributor);
  void ForgetDistributor(LNotificationDistributor* distributor);
  LNotificationDistributor* TakeLastDistributor();

  std::atomic<int32_t> mRegistrationCount{0};
  mutable Mutex mDistributorsLock;  // guards mDistributors; never held while calling out
  Array<LNotificationDistributor*> mDistributors;  // each once, in order of first subscription
};

}  // namespace SV
