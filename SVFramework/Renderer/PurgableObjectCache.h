#pragma once
#include <cstdint>
#include <memory>

#include "SVFramework/ObjectBase/SVResult.h"
#include "SVFramework/Renderer/HashedList.h"
#include "SVFramework/Renderer/PurgableCacheEntry.h"

namespace SV {

// A fixed number of slots of prepared objects by key, found through a 2^Bits-bucket
// index, replaced least recently used first when full, and purged of what was not used
// since a mark. Get hands out the slot's object field: the cached object, or null for
// the caller to fill. KeyFn turns the source looked up with into the key. Not locked:
// one thread at a time (the renderers' UI thread).
template <class T, class Source, class Key, class KeyFn, uint32_t Bits, class HashFn>
class PurgableObjectCache {
public:
  using Entry = PurgableCacheEntry<T, Key>;

  explicit PurgableObjectCache(uint32_t capacity) : mCapacity(capacity), mSlots(new Entry[capacity]) {}

  // The object field of the source's slot. A hit keeps the object unless `reset`
  // empties it; a miss takes the next unused slot, else the first free one, else the
  // least recently used (then fewer hits, then the lowest position).
  RCPtr<T>& Get(const Source& source, bool reset) {
    const Key key = KeyFn()(source);
    Entry* slot = mIndex.Find(key, nullptr);
    if (slot != nullptr) {
      if (reset) Empty(*slot);
    } else {
      slot = TakeSlotFor(key);
    }
    if (slot->hits < 0xFFFFFFFFu) ++slot->hits;
    slot->stamp = ++mUseCounter;
    return slot->object;
  }

  // Empties every slot last used before the mark (its key stays, so a later lookup is a
  // hit with a null object); returns how many.
  uint32_t Purge(uint32_t mark) {
    uint32_t purged = 0;
    for (uint32_t i = 0; i < mCapacity; ++i) {
      if (static_cast<int32_t>(mSlots[i].stamp - mark) < 0) {
        Empty(mSlots[i]);
        ++purged;
      }
    }
    return purged;
  }

  // Drops the source's object and its use record; the key stays indexed, so the next
  // Get is a hit with an empty slot. 1 (nothing changed) when the key is not indexed.
  SVRESULT Invalidate(const Source& source) {
    Entry* slot = mIndex.Find(KeyFn()(source), nullptr);
    if (slot == nullptr) return S_FALSE;
    Empty(*slot);
    return S_OK;
  }

  uint32_t GetCapacity() const { return mCapacity; }
  uint32_t GetCount() const { return mIndex.GetCount(); }
  uint32_t GetUseCounter() const { return mUseCounter; }
  uint32_t GetPurgeMark() const { return mPurgeMark; }
  void SetPurgeMark(uint32_t mark) { mPurgeMark = mark; }
  const Entry& GetSlot(uint32_t position) const { return mSlots[position]; }

private:
  struct EntryKey {
    Key operator()(Entry* const& entry) const { return entry->GetEntryID(); }
  };

  static void Empty(Entry& slot) {
    slot.object.Reset();
    slot.stamp = 0;
    slot.hits = 0;
  }

  Entry* TakeSlotFor(const Key& key) {
    Entry* slot = nullptr;
    if (mIndex.GetCount() < mCapacity) {
      slot = &mSlots[mIndex.GetCount()];
    } else {
      slot = ChooseVictim();
      mIndex.Remove(slot->key);
    }
    Empty(*slot);
    slot->key = key;
    mIndex.Add(slot);
    return slot;
  }

  Entry* ChooseVictim() {
    for (uint32_t i = 0; i < mCapacity; ++i) {
      if (mSlots[i].IsFree()) return &mSlots[i];
    }
    Entry* victim = &mSlots[0];
    for (uint32_t i = 1; i < mCapacity; ++i) {
      const uint32_t age = mUseCounter - mSlots[i].stamp, victimAge = mUseCounter - victim->stamp;
      if (age > victimAge || (age == victimAge && mSlots[i].hits < victim->hits)) victim = &mSlots[i];
    }
    return victim;
  }

  const uint32_t mCapacity;
  uint32_t mUseCounter = 0;
  uint32_t mPurgeMark = 0;
  std::unique_ptr<Entry[]> mSlots;
  HashedList<Entry*, Key, EntryKey, Bits, HashFn> mIndex;
};

}  // namespace SV
