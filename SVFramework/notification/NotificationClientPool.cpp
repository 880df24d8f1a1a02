#include <utility>
#include <vector>

#include "SVFramework/notification/NotificationClient.h"
#include "SVFramework/notification/NotificationDistributor.h"

namespace SV {

using ClientPool = LNotificationDistributor::LNotificationClientPool;
using ClientInfo = LNotificationDistributor::LNotificationRegisteredClientInfo;

ClientInfo::LNotificationRegisteredClientInfo(const RCPtr<LNotificationClient>& client, int32_t flags)
    : mClient(client), mFlags(flags) {}

ClientInfo::~LNotificationRegisteredClientInfo() = default;

bool ClientInfo::IsLatestOnly() const { return (mFlags & LNotificationClient::LatestOnly) != 0; }

ClientPool::LNotificationClientPool(NotificationID id) : mID(id) {}

ClientPool::~LNotificationClientPool() = default;

int32_t ClientPool::GetCount() const {
  MutexLock lock(mLock);
  return static_cast<int32_t>(mEntries.GetCount());
}

SVRESULT ClientPool::AddClient(const RCPtr<LNotificationClient>& client, int32_t flags) {
  if (!client) return E_INVALIDARG;
  MutexLock lock(mLock);
  const int32_t index = FindClient(client.Get());
  if (index < 0) {
    mEntries.Append(RCPtr<ClientInfo>(new ClientInfo(client, flags)));
    mCombinedFlags.fetch_or(flags, std::memory_order_acq_rel);
    return S_OK;
  }
  if (mEntries.GetAt(index)->mFlags == flags) return S_OK;
  mEntries.GetAt(index)->mFlags = flags;
  int32_t combined = 0;
  for (int32_t i = static_cast<int32_t>(mEntries.GetCount()) - 1; i >= 0; --i) combined |= mEntries.GetAt(i)->mFlags;
  mCombinedFlags.store(combined, std::memory_order_release);
  return S_OK;
}

int32_t ClientPool::FindClient(const LNotificationClient* client) const {
  MutexLock lock(mLock);
  for (int32_t i = static_cast<int32_t>(mEntries.GetCount()) - 1; i >= 0; --i)
    if (mEntries.GetAt(i)->mClient.Get() == client) return i;
  return -1;
}

SVRESULT ClientPool::RemoveClient(const LNotificationClient* client) {
  RCPtr<ClientInfo> removed;  // released after the lock
  MutexLock lock(mLock);
  const int32_t index = FindClient(client);
  if (index < 0) return S_FALSE;
  mEntries.RemoveItem(index, removed);
  if (index < mCursor.load(std::memory_order_relaxed)) mCursor.fetch_sub(1, std::memory_order_acq_rel);
  return S_OK;
}

RCPtr<LNotificationClient> ClientPool::GetClient(int32_t index) const {
  MutexLock lock(mLock);
  if (index < 0 || index >= static_cast<int32_t>(mEntries.GetCount())) return nullptr;
  return mEntries.GetAt(index)->mClient;
}

SVRESULT ClientPool::GetClientFlags(const LNotificationClient* client, int32_t& flags) const {
  MutexLock lock(mLock);
  const int32_t index = FindClient(client);
  if (index < 0) return E_FAIL;
  flags = mEntries.GetAt(index)->mFlags;
  return S_OK;
}

int32_t ClientPool::DeliverTo(const RCPtr<LNotificationDistributor>& source, int32_t index,
                              const RCPtr<LNotification>& notification) {
  int32_t result = index;
  const RCPtr<LNotificationClient> client = TakeClientForDelivery(index, notification.Get(), result);
  if (!client) return result;
  client->Receive(source, notification);
  return mCursor.load(std::memory_order_acquire);
}

// Under the record lock: checks the index, applies the latest-only rule and moves the
// cursor to the entry. Null when nobody is to be called; `result` then says where the
// caller continues.
RCPtr<LNotificationClient> ClientPool::TakeClientForDelivery(int32_t index, LNotification* notification,
                                                             int32_t& result) {
  RCPtr<LNotification> latest;  // released after the lock
  MutexLock lock(mLock);
  const int32_t count = static_cast<int32_t>(mEntries.GetCount());
  if (index >= count) {
    result = count;
    return nullptr;
  }
  ClientInfo& entry = *mEntries.GetAt(index);
  if (entry.IsLatestOnly()) {
    if (entry.mLatest.Get() != notification) return nullptr;
    latest = std::move(entry.mLatest);
  }
  mCursor.store(index, std::memory_order_release);
  return entry.mClient;
}

SVRESULT ClientPool::DeliverToAll(const RCPtr<LNotificationDistributor>& source,
                                  const RCPtr<LNotification>& notification) {
  int32_t index = GetCount() - 1;
  if (index < 0) return S_FALSE;
  while (index >= 0) index = DeliverTo(source, index, notification) - 1;
  return S_OK;
}

void ClientPool::RememberLatest(const RCPtr<LNotification>& notification) {
  std::vector<RCPtr<LNotification>> replaced;  // released after the lock
  MutexLock lock(mLock);
  for (int32_t i = static_cast<int32_t>(mEntries.GetCount()) - 1; i >= 0; --i) {
    ClientInfo& entry = *mEntries.GetAt(i);
    if (!entry.IsLatestOnly()) continue;
    replaced.push_back(std::move(entry.mLatest));
    entry.mLatest = notification;
  }
}

}  // namespace SV
