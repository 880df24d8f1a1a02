#include "SVFramework/notification/NotificationDistributor.h"

#include <vector>

#include "SVFramework/notification/ActiveDistributorList.h"
#include "SVFramework/notification/NotificationClient.h"

namespace SV {

LNotificationDistributor::~LNotificationDistributor() = default;

SVRESULT LNotificationDistributor::Register(const RCPtr<LNotificationClient>& client, const char16_t* idText,
                                            int32_t flags) {
  if (!client) return E_INVALIDARG;
  const NotificationID id = InternNotificationID(idText);
  if (id == nullptr) return S_FALSE;
  MutexLock lock(mLock);
  RCPtr<LNotificationClientPool> record = FindOrAddRecordLocked(id);
  const bool isNew = record->FindClient(client.Get()) < 0;
  if (isNew) CountNewRegistrationLocked();
  if ((flags & LNotificationClient::LatestOnly) != 0) mHasLatestOnly.store(true, std::memory_order_release);
  record->AddClient(client, flags);
  return isNew ? S_OK : S_FALSE;
}

SVRESULT LNotificationDistributor::Unregister(LNotificationClient* client, const char16_t* idText) {
  if (client == nullptr || idText == nullptr || idText[0] == 0) return E_INVALIDARG;
  const NotificationID id = FindNotificationID(idText);
  if (id == nullptr) return S_FALSE;
  // Released after the lock: the last reference to this distributor may be among the
  // ones the removal gives up.
  RCPtr<LNotificationDistributor> keepAlive(this);
  MutexLock lock(mLock);
  RCPtr<LNotificationClientPool> record = FindRecordLocked(id);
  if (!record) return S_FALSE;
  const SVRESULT result = record->RemoveClient(client);
  if (result == S_OK) CountRemovedRegistrationLocked();
  return result;
}

SVRESULT LNotificationDistributor::UnregisterAll(LNotificationClient* client) {
  if (client == nullptr) return E_INVALIDARG;
  RCPtr<LNotificationDistributor> keepAlive(this);
  MutexLock lock(mLock);
  int32_t removed = 0;
  for (int32_t i = static_cast<int32_t>(mRecords.GetCount()) - 1; i >= 0; --i) {
    if (mRecords.GetAt(i)->RemoveClient(client) != S_OK) continue;
    CountRemovedRegistrationLocked();
    ++removed;
  }
  return removed;
}

SVRESULT LNotificationDistributor::Distribute(const RCPtr<LNotification>& notification) {
  if (!notification) return E_INVALIDARG;
  const RCPtr<LNotificationClientPool> record = FindRegistration(notification->GetID());
  if (!record) return S_FALSE;
  const RCPtr<LNotificationDistributor> source(this);
  return record->DeliverToAll(source, notification);
}

RCPtr<LNotificationDistributor::LNotificationClientPool> LNotificationDistributor::FindRegistration(
    NotificationID id) const {
  MutexLock lock(mLock);
  return FindRecordLocked(id);
}

SVRESULT LNotificationDistributor::GetSubscriptionFlags(const LNotificationClient* client, const char16_t* idText,
                                                        int32_t& flags) const {
  const NotificationID id = FindNotificationID(idText);
  if (id == nullptr || client == nullptr) return E_FAIL;
  const RCPtr<LNotificationClientPool> record = FindRegistration(id);
  return record ? record->GetClientFlags(client, flags) : E_FAIL;
}

bool LNotificationDistributor::IsClientRegistered(const LNotificationClient* client) const {
  MutexLock lock(mLock);
  for (int32_t i = static_cast<int32_t>(mRecords.GetCount()) - 1; i >= 0; --i)
    if (mRecords.GetAt(i)->FindClient(client) >= 0) return true;
  return false;
}

SVRESULT LNotificationDistributor::RemoveAllClients() {
  const RCPtr<LNotificationDistributor> self(this);
  MutexLock lock(mLock);
  for (int32_t i = static_cast<int32_t>(mRecords.GetCount()) - 1; i >= 0; --i) {
    const RCPtr<LNotificationClientPool> record = mRecords.GetAt(i);
    // The clients are asked from a snapshot: each one's leaving changes the entries.
    std::vector<RCPtr<LNotificationClient>> clients;
    for (int32_t j = 0; j < record->GetCount(); ++j) clients.push_back(record->GetClient(j));
    for (auto client = clients.rbegin(); client != clients.rend(); ++client)
      if (*client) (*client)->UnsubscribeVirtual(self, record->GetID());
  }
  return S_OK;
}

int32_t LNotificationDistributor::GetRegistrationCount() const {
  MutexLock lock(mLock);
  return mRegistrationCount;
}

RCPtr<LNotificationDistributor::LNotificationClientPool> LNotificationDistributor::FindRecordLocked(
    NotificationID id) const {
  for (int32_t i = static_cast<int32_t>(mRecords.GetCount()) - 1; i >= 0; --i)
    if (mRecords.GetAt(i)->GetID() == id) return mRecords.GetAt(i);
  return nullptr;
}

RCPtr<LNotificationDistributor::LNotificationClientPool> LNotificationDistributor::FindOrAddRecordLocked(
    NotificationID id) {
  if (RCPtr<LNotificationClientPool> record = FindRecordLocked(id)) return record;
  RCPtr<LNotificationClientPool> record(new LNotificationClientPool(id));
  mRecords.Append(record);
  return record;
}

// The registration holds a reference to this distributor on the client's behalf, and
// the first one puts the distributor in the list of those with registrations.
void LNotificationDistributor::CountNewRegistrationLocked() {
  AddRef();
  AddInternalReferences(1);
  if (++mRegistrationCount == 1) ActiveDistributorList::Add(this);
}

// Internal counts go down before the references, so no release here runs the hook.
// The caller holds a reference of its own, so none of them destroys this distributor.
void LNotificationDistributor::CountRemovedRegistrationLocked() {
  if (--mRegistrationCount == 0) ActiveDistributorList::Remove(this);
  AddInternalReferences(-1);
  Release();
}

}  // namespace SV
