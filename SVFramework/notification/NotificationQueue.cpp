#include "SVFramework/notification/NotificationQueue.h"

#include <utility>

#include "SVFramework/notification/NotificationClient.h"
#include "SVFramework/notification/NotificationDistributor.h"

namespace SV {

namespace {

// Clears the processing mark when a pass ends, also when a handler throws.
class ProcessingScope {
public:
  explicit ProcessingScope(std::atomic<bool>& processing) : mProcessing(processing) {}
  ~ProcessingScope() { mProcessing.store(false, std::memory_order_release); }
  ProcessingScope(const ProcessingScope&) = delete;
  ProcessingScope& operator=(const ProcessingScope&) = delete;

private:
  std::atomic<bool>& mProcessing;
};

// Clears the posted mark of the notification in flight when its delivery ends, also
// when a handler throws, so that it can be posted again.
class InFlightScope {
public:
  explicit InFlightScope(LNotification& notification) : mNotification(notification) {}
  ~InFlightScope() { mNotification.ClearPosted(); }
  InFlightScope(const InFlightScope&) = delete;
  InFlightScope& operator=(const InFlightScope&) = delete;

private:
  LNotification& mNotification;
};

void RememberLatest(LNotificationDistributor::LNotificationClientPool& record,
                    const RCPtr<LNotification>& notification) {
  if ((record.GetCombinedFlags() & LNotificationClient::LatestOnly) != 0) record.RememberLatest(notification);
}

}  // namespace

Mutex& GetNotificationQueueLock() {
  static Mutex* lock = new Mutex;
  return *lock;
}

LNotificationQueue::LNotificationQueue()
    : mRing(&GetNotificationQueueLock(), RingSlots),
      mIdleNotification(LNotification::Obtain(u"NID_IDLE", NullObjectPtr())) {
  mPostingReceiver = new LPostingReceiver(this);
  AddInternalReferences(1);
}

LNotificationQueue::~LNotificationQueue() { Drain(); }

SVRESULT LNotificationQueue::SetTarget(const RCPtr<LNotificationDistributor>& distributor) {
  MutexLock lock(GetNotificationQueueLock());
  if (mTarget || !mPostingReceiver) return E_FAIL;
  if (!distributor) return S_OK;
  mTarget = distributor;
  if (IsOwnObject(distributor.Get())) AddInternalReferences(1);
  return S_OK;
}

// The mark is set first, so that only one post accepts a notification; a refused
// post clears it again.
SVRESULT LNotificationQueue::Post(const RCPtr<LNotification>& notification) {
  if (!notification || !notification->MarkPosted()) return E_INVALIDARG;
  const SVRESULT result = EnqueueMarked(notification);
  if (result < 0) notification->ClearPosted();
  return result;
}

// The check of the target, the latest-only update and the enqueueing happen under the
// queue lock, so a detach comes either before (the post is refused) or after (it
// drains the notification). The latest-only record is looked up outside the queue
// lock, which nests inside the distributor lock.
SVRESULT LNotificationQueue::EnqueueMarked(const RCPtr<LNotification>& notification) {
  RCPtr<LNotificationDistributor> target;
  {
    MutexLock lock(GetNotificationQueueLock());
    if (!mTarget) return E_FAIL;
    if (!mTarget->HasLatestOnlySubscriptions()) {
      mRing.Enqueue(notification);
      return S_OK;
    }
    target = mTarget;
  }
  const auto record = target->FindRegistration(notification->GetID());
  MutexLock lock(GetNotificationQueueLock());
  if (IsAimedAt(target.Get()) && record) RememberLatest(*record, notification);
  // Releasing the notification that was latest may have detached this queue.
  if (!IsAimedAt(target.Get())) return E_FAIL;
  mRing.Enqueue(notification);
  return S_OK;
}

SVRESULT LNotificationQueue::PostNotification(const char16_t* idText, const RCPtr<LRefCountedObject>& payload) {
  return Post(LNotification::Obtain(idText, payload));
}

bool LNotificationQueue::Process(bool idle) {
  // A handler may let go of this queue's last outside reference during the pass.
  const RCPtr<LNotificationQueue> self(this);
  const RCPtr<LNotificationDistributor> target = GetTarget();
  if (!target) return GetQueuedCount() > 0;
  if (!mProcessing.exchange(true, std::memory_order_acq_rel)) {
    ProcessingScope scope(mProcessing);
    DeliverQueued(target);
  }
  if (idle) target->Distribute(mIdleNotification);
  return GetQueuedCount() > 0;
}

void LNotificationQueue::DeliverQueued(const RCPtr<LNotificationDistributor>& target) {
  for (int32_t remaining = GetQueuedCount(); remaining > 0; --remaining) {
    const RCPtr<LNotification> notification = TakeOldest();
    if (!notification) return;
    InFlightScope inFlight(*notification);
    target->Distribute(notification);
  }
}

// A handler may drain or detach the queue during a pass, so a take checks the ring.
RCPtr<LNotification> LNotificationQueue::TakeOldest() {
  MutexLock lock(GetNotificationQueueLock());
  if (mRing.GetCount() == 0) return nullptr;
  return mRing.Dequeue();
}

bool LNotificationQueue::Drain() {
  for (int32_t remaining = GetQueuedCount(); remaining > 0; --remaining) {
    const RCPtr<LNotification> notification = TakeOldest();
    if (!notification) break;
    notification->ClearPosted();
  }
  return GetQueuedCount() > 0;
}

// The target goes before the drain: a post that comes later is refused, and one that
// came earlier is drained.
void LNotificationQueue::Detach() {
  RCPtr<LNotificationDistributor> target;
  RCPtr<LPostingReceiver> receiver;
  {
    MutexLock lock(GetNotificationQueueLock());
    target = std::move(mTarget);
    receiver = std::move(mPostingReceiver);
  }
  Drain();
  // Internal counts go down before the references they count are released.
  if (target && IsOwnObject(target.Get())) AddInternalReferences(-1);
  target.Reset();
  if (!receiver) return;
  AddInternalReferences(-1);
  receiver->ForgetQueue();
}

RCPtr<LNotificationQueue::LPostingReceiver> LNotificationQueue::GetPostingReceiver() const {
  MutexLock lock(GetNotificationQueueLock());
  return mPostingReceiver;
}

RCPtr<LNotificationDistributor> LNotificationQueue::GetTarget() const {
  MutexLock lock(GetNotificationQueueLock());
  return mTarget;
}

int32_t LNotificationQueue::GetQueuedCount() const { return static_cast<int32_t>(mRing.GetCount()); }

SVRESULT LNotificationQueue::ReleaseInternalReferences() {
  Detach();
  return LRefCountedObject::ReleaseInternalReferences();
}

bool LNotificationQueue::IsAimedAt(const LNotificationDistributor* target) const {
  return target != nullptr && mTarget.Get() == target;
}

bool LNotificationQueue::IsOwnObject(const LNotificationDistributor* distributor) const {
  return static_cast<const LRefCountedObject*>(distributor) == static_cast<const LRefCountedObject*>(this);
}

LNotificationQueue::LPostingReceiver::LPostingReceiver(LNotificationQueue* queue) { mQueue = queue; }

int32_t LNotificationQueue::LPostingReceiver::Receive(const RCPtr<LNotificationDistributor>&,
                                                      const RCPtr<LNotification>& notification) {
  if (!notification) return 0;
  RCPtr<LNotificationQueue> queue;
  {
    MutexLock lock(mQueueLock);
    queue = mQueue;
  }
  if (queue) queue->Post(LNotification::Obtain(notification->GetID(), notification->GetPayload()));
  return 0;
}

SVRESULT LNotificationQueue::LPostingReceiver::UnsubscribeVirtual(const RCPtr<LNotificationDistributor>&,
                                                                  const char16_t*) {
  return E_FAIL;
}

void LNotificationQueue::LPostingReceiver::ForgetQueue() {
  RCPtr<LNotificationQueue> queue;
  MutexLock lock(mQueueLock);
  queue = std::move(mQueue);
}

}  // namespace SV
