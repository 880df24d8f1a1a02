#include "SVFramework/Renderer/PurgableObjectCache.h"

#include <gtest/gtest.h>

namespace SV {
namespace {

struct Prepared : LRefCountedObject {
  explicit Prepared(int v) : value(v) {}
  int value;
};

using Cache = PurgableObjectCache<Prepared, int, int, GetSelf<int>, 8, GetBits<8, 4, int>>;

// Looks the key up and, on a miss, stores a new object made from the key as a caller does.
Prepared* Use(Cache& cache, int key, bool reset = false) {
  RCPtr<Prepared>& slot = cache.Get(key, reset);
  if (!slot) slot = new Prepared(key);
  return slot.Get();
}

int PositionOf(const Cache& cache, int key) {
  for (uint32_t i = 0; i < cache.GetCapacity(); ++i) {
    if (cache.GetSlot(i).key == key && cache.GetCount() > i) return static_cast<int>(i);
  }
  return -1;
}

TEST(PurgableObjectCache, AHitReturnsTheStoredObject) {
  Cache cache(4);
  Prepared* const first = Use(cache, 7);
  EXPECT_EQ(cache.Get(7, false).Get(), first);
  EXPECT_EQ(cache.GetSlot(0).hits, 2u);
  EXPECT_EQ(cache.GetSlot(0).stamp, 2u);
}

TEST(PurgableObjectCache, WhenFullTheLeastRecentlyUsedSlotIsReplaced) {
  Cache cache(2);
  Use(cache, 'A');
  Use(cache, 'B');
  Use(cache, 'A');
  Use(cache, 'C');
  EXPECT_EQ(PositionOf(cache, 'C'), 1) << "B (age 1) went, A (age 0) stayed";
  EXPECT_EQ(PositionOf(cache, 'A'), 0);
  EXPECT_FALSE(cache.Get('B', false)) << "B is a miss again";
}

TEST(PurgableObjectCache, AmongEqualAgesFewerHitsGoFirst) {
  Cache cache(3);
  Use(cache, 1);
  Use(cache, 2);
  Use(cache, 3);
  cache.Purge(cache.GetUseCounter() + 1);  // all three empty: stamps and hits 0, keys kept
  Use(cache, 2);
  Use(cache, 1);
  Use(cache, 3);
  Use(cache, 3);
  Use(cache, 4);
  EXPECT_EQ(PositionOf(cache, 4), 1) << "2 is the oldest";
}

TEST(PurgableObjectCache, ResetEmptiesTheHitSlotAndCountsItAsFresh) {
  Cache cache(2);
  Use(cache, 5);
  Use(cache, 5);
  EXPECT_FALSE(cache.Get(5, true));
  EXPECT_EQ(cache.GetSlot(0).hits, 1u);
  EXPECT_EQ(cache.GetSlot(0).stamp, cache.GetUseCounter());
}

TEST(PurgableObjectCache, PurgeEmptiesSlotsUsedBeforeTheMarkAndKeepsTheirKeys) {
  Cache cache(2);
  Use(cache, 1);
  Use(cache, 2);
  const uint32_t mark = cache.GetUseCounter();
  EXPECT_EQ(cache.Purge(mark), 1u);
  EXPECT_TRUE(cache.GetSlot(1).object) << "used at the mark: kept";
  EXPECT_FALSE(cache.GetSlot(0).object) << "used before the mark: emptied";
  const uint32_t counted = cache.GetCount();
  EXPECT_FALSE(cache.Get(1, false)) << "a hit with a null object";
  EXPECT_EQ(cache.GetCount(), counted);
}

TEST(PurgableObjectCache, AFullCacheReusesAnEmptiedSlotBeforeAnyOlderOne) {
  Cache cache(3);
  Use(cache, 1);
  Use(cache, 2);
  Use(cache, 3);
  cache.Get(3, true);
  Use(cache, 4);
  EXPECT_EQ(PositionOf(cache, 4), 2);
  EXPECT_EQ(PositionOf(cache, 1), 0);
}

TEST(PurgableObjectCache, InvalidateEmptiesAKnownSlotAndLeavesAnUnknownKeyAlone) {
  Cache cache(4);
  Use(cache, 7);
  Use(cache, 7);
  EXPECT_EQ(cache.Invalidate(9), S_FALSE);
  EXPECT_EQ(cache.GetCount(), 1u);
  EXPECT_EQ(cache.Invalidate(7), S_OK);
  EXPECT_EQ(cache.GetSlot(0).hits, 0u);
  EXPECT_EQ(cache.GetSlot(0).stamp, 0u);
  EXPECT_FALSE(cache.GetSlot(0).object);
  EXPECT_FALSE(cache.Get(7, false)) << "a hit with an empty slot";
  EXPECT_EQ(cache.GetCount(), 1u);
}

TEST(PurgableObjectCache, ReleasesItsObjectsWithItself) {
  RCPtr<Prepared> kept(new Prepared(1));
  {
    Cache cache(2);
    cache.Get(1, false) = kept;
    EXPECT_EQ(kept->GetRefCount(), 2);
  }
  EXPECT_EQ(kept->GetRefCount(), 1);
}

struct SameBucket {
  uint32_t operator()(const int&) const { return 3; }
};

TEST(HashedList, AddReplacesTheValueOfAnExistingKey) {
  HashedList<int, int, GetSelf<int>, 8, SameBucket> list;
  struct Pairs {
    int key;
    int value;
  };
  HashedList<Pairs, int, decltype([](const Pairs& p) { return p.key; }), 8, GetBits<8, 0, int>> byKey;
  EXPECT_TRUE(byKey.Add({1, 10}));
  EXPECT_FALSE(byKey.Add({1, 11}));
  EXPECT_EQ(byKey.GetCount(), 1u);
  EXPECT_EQ(byKey.Find(1, {0, 0}).value, 11);
  EXPECT_EQ(byKey.Find(2, {0, -1}).value, -1);
  for (int key : {5, 6, 7}) EXPECT_TRUE(list.Add(key));
  EXPECT_TRUE(list.Remove(6));
  EXPECT_FALSE(list.Remove(6));
  EXPECT_EQ(list.Find(7, 0), 7) << "keys sharing a bucket stay apart";
  EXPECT_EQ(list.GetCount(), 2u);
  list.RemoveAll();
  EXPECT_EQ(list.GetCount(), 0u);
  EXPECT_EQ(list.Find(5, -1), -1);
}

}  // namespace
}  // namespace SV
