#pragma once
#include <atomic>
#include <cstdint>

#include "SVFramework/ObjectBase/RefCountedObject.h"
#include "SVFramework/ObjectBase/SVResult.h"
#include "SVFramework/Threads/Mutex.h"
#include "SVFramework/Utilities/Storage/RCPtrQueue.h"
#include "SVFramework/notification/Notification.h"
#include "SVFramework/notification/NotificationReceiver.h"

namespace SV {

class LNotificationDistributor;

// The one lock of every notification queue's ring, target and posting receiver.
// Innermost, held only for single steps.
Mutex& GetNotificationQueueLock();

// Turns a notification into a later delivery, through the target distributor, on the
// thread that pumps the queue (the UI thread, in its idle pass). Any thread may post;
// one thread pumps. Its posting receiver queues a copy of whatever it is handed.
// A queue aimed at its own object (a center, a root window) counts that reference as
// internal, as it does the posting receiver's reference back to the queue; when the
// last outside reference goes the queue detaches itself, so that both cycles break.
class LNotificationQueue : public virtual LRefCountedObject {
public:
  class LPostingReceiver;

  // Nominal number of slots of the ring; it grows beyond, one slot at a time.
  static constexpr uint32_t RingSlots = 256;

  LNotificationQueue();
  ~LNotificationQueue() override;

  // Sets the distributor that delivers the queued notifications. 0; E_FAIL when a
  // target is set already or the queue is detached. A null argument sets nothing.
  SVRESULT SetTarget(const RCPtr<LNotificationDistributor>& distributor);
  // Queues the notification. 0; E_INVALIDARG for a null or already posted one; E_FAIL
  // without a target (as after Detach, also one that happens during the post), and
  // the notification is then left unposted. Any thread.
  SVRESULT Post(const RCPtr<LNotification>& notification);
  // Posts a notification obtained with that ID and payload.
  SVRESULT PostNotification(const char16_t* idText, const RCPtr<LRefCountedObject>& payload);
  // One pass: delivers, oldest first, exactly the notifications queued when it began,
  // unless a pass of this queue is running already (a nested pass delivers none); then,
  // when `idle` is set, distributes NID_IDLE. A detached queue does nothing. When a
  // handler throws, the exception passes on, the queue is ready for the next pass and
  // the entries not yet taken stay queued. Returns whether entries remain queued.
  // The pumping thread only.
  bool Process(bool idle);
  // Drops every queued notification undelivered; returns whether entries remain.
  bool Drain();
  // Drains, then lets go of the target and the posting receiver. Afterwards Post and
  // SetTarget fail and the former posting receiver ignores what it is handed.
  void Detach();
  // The posting receiver, or null after Detach.
  RCPtr<LPostingReceiver> GetPostingReceiver() const;
  RCPtr<LNotificationDistributor> GetTarget() const;
  int32_t GetQueuedCount() const;
  bool IsProcessing() const { return mProcessing.load(std::memory_order_acquire); }

  // Detaches, so that the cycles through the posting receiver and a self target break.
  SVRESULT ReleaseInternalReferences() override;

private:
  bool IsOwnObject(const LNotificationDistributor* distributor) const;
  void DeliverQueued(const RCPtr<LNotificationDistributor>& target);
  SVRESULT EnqueueMarked(const RCPtr<LNotification>& notification);
  // Under the queue lock: whether `target` is still this queue's target.
  bool IsAimedAt(const LNotificationDistributor* target) const;
  RCPtr<LNotification> TakeOldest();

  std::atomic<bool> mProcessing{false};
  RCPtrQueue<LNotification, RingSlots> mRing;
  RCPtr<LNotificationDistributor> mTarget;       // guarded by the queue lock
  RCPtr<LPostingReceiver> mPostingReceiver;     // guarded by the queue lock
  const RCPtr<LNotification> mIdleNotification;
};

// Posts a copy (same ID and payload) of every notification it is handed into its
// queue, so that a sender that can only hand a notification to a receiver (a menu, a
// hot-key manager) can post it. Never subscribes. Any thread.
class LNotificationQueue::LPostingReceiver : public LNotificationReceiver {
public:
  explicit LPostingReceiver(LNotificationQueue* queue);

  // Posts the copy; the received notification itself is left untouched. Returns 0.
  int32_t Receive(const RCPtr<LNotificationDistributor>& source, const RCPtr<LNotification>& notification) override;
  // Does nothing; E_FAIL.
  SVRESULT UnsubscribeVirtual(const RCPtr<LNotificationDistributor>& source, const char16_t* idText) override;

  // Lets go of the queue; from then on what it is handed is ignored.
  void ForgetQueue();

private:
  mutable Mutex mQueueLock;  // guards mQueue
  RCPtr<LNotificationQueue> mQueue;
};

}  // namespace SV
