#pragma once
#include <atomic>
#include <cstdint>

#include "SVFramework/ObjectBase/RefCountedObject.h"
#include "SVFramework/ObjectBase/SVResult.h"
#include "SVFramework/Threads/Mutex.h"
#include "SVFramework/Utilities/Storage/RCPtrArray.h"
#include "SVFramework/notification/Notification.h"
#include "SVFramework/notification/NotificationID.h"

namespace SV {

class LNotificationClient;

// The source of notifications: keeps, per notification ID, the clients subscribed to
// it and delivers a notification synchronously, on the caller's thread, to each of
// them, the most recently registered first. No lock is held while a client runs, so a
// client may subscribe, unsubscribe, post or distribute from its Receive.
// Lock order: the distributor lock, then a record's lock; the notification lock and
// the queue lock may be taken inside either.
// Every registration holds a reference to the client and one to the distributor, both
// counted as internal; while any registration exists the process-wide list of
// distributors with registrations also holds one. A distributor keeps the default
// release hook; classes that embed one call RemoveAllClients from theirs.
// Every operation may be called from the constructor or destructor of a class that
// embeds a distributor: an unreferenced distributor has no registrations, and holds
// no reference on itself through an operation.
class LNotificationDistributor : public virtual LRefCountedObject {
public:
  class LNotificationRegisteredClientInfo;
  class LNotificationClientPool;

  LNotificationDistributor() = default;
  ~LNotificationDistributor() override;

  // Called by LNotificationClient::Subscribe only. 0 new registration; 1 when the
  // client was registered for the ID already (its flags are replaced) or the ID text
  // is empty; E_INVALIDARG for a null client.
  SVRESULT Register(const RCPtr<LNotificationClient>& client, const char16_t* idText, int32_t flags);
  // Called by LNotificationClient::Unsubscribe only. 0 removed, 1 not registered,
  // E_INVALIDARG for a null client or an empty ID text. An emptied record stays.
  SVRESULT Unregister(LNotificationClient* client, const char16_t* idText);
  // Called by LNotificationClient::UnsubscribeAll only: removes the client from every
  // record; returns the number of removals, E_INVALIDARG for a null client.
  SVRESULT UnregisterAll(LNotificationClient* client);

  // Delivers to every client registered for the notification's ID, the newest first.
  // E_INVALIDARG for a null notification, 1 when no client is registered for the ID,
  // else 0. An exception from a client passes on to the caller; the clients not yet
  // called are not called.
  SVRESULT Distribute(const RCPtr<LNotification>& notification);

  // The record of an interned ID, or null when nobody ever subscribed to it.
  RCPtr<LNotificationClientPool> FindRegistration(NotificationID id) const;
  // 0 and the flags of the client's registration for the ID; E_FAIL when the ID text
  // is empty or the client is not registered for it.
  SVRESULT GetSubscriptionFlags(const LNotificationClient* client, const char16_t* idText, int32_t& flags) const;
  // True when the client has a registration for any ID.
  bool IsClientRegistered(const LNotificationClient* client) const;
  // True once any client subscribed latest-only, even when it has left since.
  bool HasLatestOnlySubscriptions() const { return mHasLatestOnly.load(std::memory_order_acquire); }

  // Makes every registered client leave, through its UnsubscribeVirtual; returns 0.
  // Holds the distributor lock while it calls the clients.
  SVRESULT RemoveAllClients();
  // Other names of RemoveAllClients.
  SVRESULT UnsubscribeEveryone() { return RemoveAllClients(); }
  SVRESULT UnsubscribeAllClients() { return RemoveAllClients(); }

  int32_t GetRegistrationCount() const;

private:
  RCPtr<LNotificationClientPool> FindRecordLocked(NotificationID id) const;
  RCPtr<LNotificationClientPool> FindOrAddRecordLocked(NotificationID id);
  void CountNewRegistrationLocked();
  void CountRemovedRegistrationLocked();

  mutable Mutex mLock;  // guards mRecords and mRegistrationCount
  RCPtrArray<LNotificationClientPool, 1, 0> mRecords;  // in order of first subscription
  int32_t mRegistrationCount = 0;
  std::atomic<bool> mHasLatestOnly{false};
};

// One client's registration for one ID.
class LNotificationDistributor::LNotificationRegisteredClientInfo : public LRefCountedObject {
public:
  LNotificationRegisteredClientInfo(const RCPtr<LNotificationClient>& client, int32_t flags);
  ~LNotificationRegisteredClientInfo() override;

  bool IsLatestOnly() const;

  RCPtr<LNotificationClient> mClient;
  // For a latest-only entry, the notification last posted for the ID. Guarded by the
  // record's lock.
  RCPtr<LNotification> mLatest;
  int32_t mFlags;
};

// The registration record of one ID: its clients in registration order, the newest
// last. A record is made by the first subscription to its ID and lives as long as its
// distributor.
class LNotificationDistributor::LNotificationClientPool : public LRefCountedObject {
public:
  explicit LNotificationClientPool(NotificationID id);
  ~LNotificationClientPool() override;

  NotificationID GetID() const { return mID; }
  int32_t GetCombinedFlags() const { return mCombinedFlags.load(std::memory_order_acquire); }
  int32_t GetCount() const;

  // Adds the client or, when it is there already, replaces its flags. 0, or
  // E_INVALIDARG for a null client.
  SVRESULT AddClient(const RCPtr<LNotificationClient>& client, int32_t flags);
  // The index of the client's entry, or -1.
  int32_t FindClient(const LNotificationClient* client) const;
  // 0 removed, 1 absent. A removal below the delivery cursor moves the cursor down.
  SVRESULT RemoveClient(const LNotificationClient* client);
  // The client of entry `index`, or null.
  RCPtr<LNotificationClient> GetClient(int32_t index) const;
  // 0 and the flags of the client's entry, or E_FAIL when it has none.
  SVRESULT GetClientFlags(const LNotificationClient* client, int32_t& flags) const;

  // Delivers to entry `index` and returns the index at which a caller walking the
  // entries downwards continues: the number of entries when `index` is not below it,
  // `index` itself when a latest-only client is skipped, else the cursor read back
  // after the client ran.
  int32_t DeliverTo(const RCPtr<LNotificationDistributor>& source, int32_t index,
                    const RCPtr<LNotification>& notification);
  // Delivers to every entry, the newest first. 1 when there is no entry, else 0.
  SVRESULT DeliverToAll(const RCPtr<LNotificationDistributor>& source, const RCPtr<LNotification>& notification);
  // Makes `notification` the latest of every latest-only entry (a queue's post).
  void RememberLatest(const RCPtr<LNotification>& notification);

private:
  RCPtr<LNotificationClient> TakeClientForDelivery(int32_t index, LNotification* notification, int32_t& result);

  std::atomic<int32_t> mCombinedFlags{0};
  const NotificationID mID;
  RCPtrArray<LNotificationRegisteredClientInfo, 1, 0> mEntries;  // guarded by mLock
  std::atomic<int32_t> mCursor{0};  // written under mLock
  mutable Mutex mLock;
};

}  // namespace SV
