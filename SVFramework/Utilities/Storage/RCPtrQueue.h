#pragma once
#include <cstdint>
#include <mutex>
#include <stdexcept>
#include <utility>

#include "SVFramework/ObjectBase/Exception.h"
#include "SVFramework/ObjectBase/RefCountedObject.h"
#include "SVFramework/ObjectBase/SVResult.h"
#include "SVFramework/Threads/Mutex.h"
#include "SVFramework/Utilities/Storage/RCPtrArray.h"
#include "SVFramework/Utilities/Storage/TemplateFunctionName.h"

namespace SV {

// A first-in first-out queue of shared objects kept in a ring of smart pointers. It
// never drops or overwrites an element: when only one slot is left free, the ring
// grows by one empty slot at the read position (its storage in steps of Step slots).
// The queued elements are the slots from the read index up to, not including, the
// write index; every other slot is null.
// Thread rules: a queue built with a lock takes it around Enqueue, the removal part
// of Dequeue and GetCount; any number of producers and one consumer may then share
// it (Dequeue tests for emptiness before it takes the lock for the removal). Without
// a lock, one thread at a time.
template <class T, uint32_t Step = 256>
class RCPtrQueue {
public:
  // A ring of `slotCount` null slots. The lock is not owned and may be null.
  explicit RCPtrQueue(Mutex* lock = nullptr, uint32_t slotCount = Step) : mSlots(slotCount, slotCount), mLock(lock) {}
  RCPtrQueue(const RCPtrQueue&) = delete;
  RCPtrQueue& operator=(const RCPtrQueue&) = delete;

  // Queues the element (a new reference) behind the others; returns S_OK.
  SVRESULT Enqueue(const RCPtr<T>& element) {
    const auto lock = Lock();
    if (mSlots.GetCount() == 0) {
      mSlots.SetCount(2);
      mWrite = mRead = 0;
    }
    if (mSlots.GetCount() == GetCount() + 1) GrowAtReadIndex();
    mSlots[mWrite] = element;
    mWrite = (mWrite + 1) % mSlots.GetCount();
    return S_OK;
  }

  // The oldest element, its slot cleared. Raises SV::Exception<std::runtime_error>,
  // changing nothing, when the queue is empty.
  RCPtr<T> Dequeue() {
    if (GetCount() == 0)
      SV_RAISE(std::runtime_error, "", TemplateFunctionName("SV::RCPtrQueue", typeid(T), {Step}, "Dequeue").c_str());
    const auto lock = Lock();
    RCPtr<T> oldest = std::move(mSlots[mRead]);
    mRead = (mRead + 1) % mSlots.GetCount();
    return oldest;
  }

  // The number of queued elements.
  uint32_t GetCount() const {
    const auto lock = Lock();
    const uint32_t slots = mSlots.GetCount();
    if (slots == 0) return 0;
    return mWrite >= mRead ? mWrite - mRead : mWrite + slots - mRead;
  }

  // The ring's state, for diagnostics and tests.
  uint32_t GetSlotCount() const { const auto lock = Lock(); return mSlots.GetCount(); }
  uint32_t GetReadIndex() const { const auto lock = Lock(); return mRead; }
  uint32_t GetWriteIndex() const { const auto lock = Lock(); return mWrite; }

private:
  std::unique_lock<Mutex> Lock() const { return mLock ? std::unique_lock<Mutex>(*mLock) : std::unique_lock<Mutex>(); }

  // Inserts an empty slot at the read index; the queued elements from there on move up
  // by one, and the write index with them when it lies above the read index.
  void GrowAtReadIndex() {
    if (mRead < mWrite) ++mWrite;
    mSlots.InsertAt(mRead, RCPtr<T>());
    mRead = (mRead + 1) % mSlots.GetCount();
  }

  RCPtrArray<T, Step, Step> mSlots;
  uint32_t mWrite = 0;
  uint32_t mRead = 0;
  Mutex* mLock;
};

}  // namespace SV
