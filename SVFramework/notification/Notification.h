#pragma once
#include <atomic>
#include <cstdint>

#include "SVFramework/ObjectBase/RefCountedObject.h"
#include "SVFramework/notification/NotificationID.h"

namespace SV {

// One notification: what happened (its ID) and an optional shared payload. Made only
// by Obtain, which reuses a recycled notification while pooling is on. Any thread may
// obtain, hand on and release notifications; the fields are written by the thread
// that obtained the notification before it hands it on.
class LNotification : public virtual LRefCountedObject {
public:
  // A notification for `idText` with `payload` (may be null); null for a null or empty
  // ID text. While pooling is on it is the notification returned to the pool last,
  // given the new ID and payload; otherwise a new one. Any thread.
  static RCPtr<LNotification> Obtain(const char16_t* idText, const RCPtr<LRefCountedObject>& payload);
  // The step of Obtain that makes a new notification; null for a null or empty ID text.
  static RCPtr<LNotification> Create(const char16_t* idText, const RCPtr<LRefCountedObject>& payload);
  // Turns recycling on or off. Switching it off empties the pool, destroying every
  // pooled notification. Called at start-up and shut-down, while no other thread
  // obtains or releases notifications.
  static void SetPoolingEnabled(bool on);
  static bool IsPoolingEnabled();
  // The number of notifications waiting in the pool (for diagnostics and tests).
  static int32_t GetPoolCount();

  // Releasing the last reference drops the payload and, while pooling is on, hands the
  // notification to the pool instead of destroying it.
  int32_t Release() override;
  // The step of Release that drops the payload and pools the notification.
  static void ReturnToPool(LNotification* notification);

  NotificationID GetID() const { return mID; }
  const RCPtr<LRefCountedObject>& GetPayload() const { return mPayload; }

  // True from the moment a queue accepts the notification until its delivery from
  // that queue is over.
  bool IsPosted() const { return mPosted.load(std::memory_order_acquire); }
  // For queues: sets the posted mark; false when it was set already.
  bool MarkPosted() { return !mPosted.exchange(true, std::memory_order_acq_rel); }
  // For queues: clears the posted mark once the delivery is over.
  void ClearPosted() { mPosted.store(false, std::memory_order_release); }

  ~LNotification() override = default;

private:
  LNotification(NotificationID id, const RCPtr<LRefCountedObject>& payload) : mID(id), mPayload(payload) {}
  static RCPtr<LNotification> TakeFromPool();

  NotificationID mID;
  RCPtr<LRefCountedObject> mPayload;
  std::atomic<bool> mPosted{false};
  std::atomic<bool> mReturning{false};
};

}  // namespace SV
