#include "SVFramework/notification/Notification.h"

#include <utility>
#include <vector>

#include "SVFramework/Utilities/Storage/RCPtrArray.h"

namespace SV {

namespace {

// The pool grows and shrinks by one at every obtain and release; a wide growth step
// keeps that from reallocating its storage each time.
using NotificationPool = RCPtrArray<LNotification, 256, 256>;

// Guarded by the notification lock. Built on first use and never destroyed, so threads
// still running at process end can release notifications safely.
NotificationPool& GetPool() {
  static NotificationPool* pool = new NotificationPool;
  return *pool;
}

std::atomic<bool>& PoolingSwitch() {
  static std::atomic<bool> on{false};
  return on;
}

}  // namespace

RCPtr<LNotification> LNotification::Create(const char16_t* idText, const RCPtr<LRefCountedObject>& payload) {
  const NotificationID id = InternNotificationID(idText);
  if (id == nullptr) return nullptr;
  return RCPtr<LNotification>(new LNotification(id, payload));
}

RCPtr<LNotification> LNotification::Obtain(const char16_t* idText, const RCPtr<LRefCountedObject>& payload) {
  const NotificationID id = InternNotificationID(idText);
  if (id == nullptr) return nullptr;
  if (IsPoolingEnabled()) {
    if (RCPtr<LNotification> recycled = TakeFromPool()) {
      recycled->mID = id;
      recycled->mPayload = payload;
      return recycled;
    }
  }
  return RCPtr<LNotification>(new LNotification(id, payload));
}

RCPtr<LNotification> LNotification::TakeFromPool() {
  RCPtr<LNotification> notification;
  MutexLock lock(GetNotificationLock());
  if (GetPool().GetCount() > 0) GetPool().RemoveLast(notification);
  return notification;
}

void LNotification::SetPoolingEnabled(bool on) {
  PoolingSwitch().store(on, std::memory_order_release);
  if (on) return;
  // Released outside the lock: each one is destroyed, since the switch is already off.
  std::vector<RCPtr<LNotification>> pooled;
  MutexLock lock(GetNotificationLock());
  while (GetPool().GetCount() > 0) {
    pooled.emplace_back();
    GetPool().RemoveLast(pooled.back());
  }
}

bool LNotification::IsPoolingEnabled() { return PoolingSwitch().load(std::memory_order_acquire); }

int32_t LNotification::GetPoolCount() {
  MutexLock lock(GetNotificationLock());
  return static_cast<int32_t>(GetPool().GetCount());
}

int32_t LNotification::Release() {
  if (!mReturning.load(std::memory_order_acquire) && GetRefCount() == 1) {
    mReturning.store(true, std::memory_order_release);
    ReturnToPool(this);
    mReturning.store(false, std::memory_order_release);
  }
  return LRefCountedObject::Release();
}

void LNotification::ReturnToPool(LNotification* notification) {
  RCPtr<LRefCountedObject> payload = std::move(notification->mPayload);
  payload.Reset();
  // A recycled notification starts unposted, even when a delivery that failed left
  // the mark set.
  notification->ClearPosted();
  if (!IsPoolingEnabled()) return;
  MutexLock lock(GetNotificationLock());
  GetPool().Append(RCPtr<LNotification>(notification));
}

}  // namespace SV
