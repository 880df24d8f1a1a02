#include "SVFramework/notification/NotificationClient.h"

#include "SVFramework/notification/NotificationDistributor.h"

namespace SV {

NotificationID LNotificationClient::Subscribe(const RCPtr<LNotificationDistributor>& source, const char16_t* idText,
                                              int32_t flags) {
  if (!source) return nullptr;
  const NotificationID id = InternNotificationID(idText);
  if (id == nullptr) return nullptr;
  const RCPtr<LNotificationClient> self(this);
  const SVRESULT result = source->Register(self, id, flags);
  if (result == S_OK) {
    AddInternalReferences(1);
    mRegistrationCount.fetch_add(1, std::memory_order_acq_rel);
  }
  if (result == S_OK || result == S_FALSE) RememberDistributor(source.Get());
  return id;
}

SVRESULT LNotificationClient::Unsubscribe(const RCPtr<LNotificationDistributor>& source, const char16_t* idText) {
  if (GetRegistrationCount() == 0) return S_FALSE;
  if (!source || idText == nullptr) return E_INVALIDARG;
  // Held across the release of the registration's reference and the lowering of the
  // internal count, so that neither step finds this client's last outside reference.
  const RCPtr<LNotificationClient> self(this);
  const SVRESULT result = source->Unregister(this, idText);
  if (result != S_OK) return result;
  AddInternalReferences(-1);
  mRegistrationCount.fetch_sub(1, std::memory_order_acq_rel);
  if (!source->IsClientRegistered(this)) ForgetDistributor(source.Get());
  return result;
}

int32_t LNotificationClient::UnsubscribeAll() {
  const int32_t registrations = GetRegistrationCount();
  if (registrations < 1) return 0;
  AddInternalReferences(-registrations);
  const RCPtr<LNotificationClient> self(this);
  int32_t removed = 0;
  while (LNotificationDistributor* distributor = TakeLastDistributor()) {
    // The registrations hold the distributor; this reference outlives their release.
    const RCPtr<LNotificationDistributor> held(distributor);
    const SVRESULT count = held->UnregisterAll(this);
    if (count > 0) removed += count;
  }
  mRegistrationCount.fetch_sub(registrations, std::memory_order_acq_rel);
  return removed;
}

int32_t LNotificationClient::Receive(const RCPtr<LNotificationDistributor>&, const RCPtr<LNotification>&) {
  return 0;
}

SVRESULT LNotificationClient::UnsubscribeVirtual(const RCPtr<LNotificationDistributor>& source,
                                                 const char16_t* idText) {
  return Unsubscribe(source, idText);
}

SVRESULT LNotificationClient::ReleaseInternalReferences() {
  UnsubscribeAll();
  return LRefCountedObject::ReleaseInternalReferences();
}

int32_t LNotificationClient::GetDistributorCount() const {
  MutexLock lock(mDistributorsLock);
  return static_cast<int32_t>(mDistributors.GetCount());
}

void LNotificationClient::RememberDistributor(LNotificationDistributor* distributor) {
  MutexLock lock(mDistributorsLock);
  if (mDistributors.Find(distributor) < 0) mDistributors.Append(distributor);
}

void LNotificationClient::ForgetDistributor(LNotificationDistributor* distributor) {
  MutexLock lock(mDistributorsLock);
  const int32_t index = mDistributors.Find(distributor);
  LNotificationDistributor* removed = nullptr;
  if (index >= 0) mDistributors.RemoveItem(index, removed);
}

LNotificationDistributor* LNotificationClient::TakeLastDistributor() {
  MutexLock lock(mDistributorsLock);
  LNotificationDistributor* last = nullptr;
  if (mDistributors.GetCount() > 0) mDistributors.RemoveLast(last);
  return last;
}

}  // namespace SV
