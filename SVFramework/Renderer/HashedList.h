#pragma once
#include <array>
#include <cstdint>
#include <typeinfo>

#include "SVFramework/ObjectBase/RefCountedObject.h"
#include "SVFramework/Utilities/Pair.h"
#include "SVFramework/Utilities/Storage/RCPtrArray.h"
#include "SVFramework/Utilities/Storage/StringT.h"

namespace SV {

// Bits S to S + N - 1 of a key: the usual bucket of a hashed list.
template <uint32_t N, uint32_t S, class T>
struct GetBits {
  uint32_t operator()(const T& key) const { return static_cast<uint32_t>((static_cast<uint64_t>(key) >> S) & ((1u << N) - 1)); }
};

// A value as its own key.
template <class T>
struct GetSelf {
  const T& operator()(const T& value) const { return value; }
};

// An index of values by key in 2^Bits buckets. KeyFn gives the key of a value, HashFn
// the bucket of a key (below 2^Bits); keys compare with ==. Each bucket is searched
// from its last pair to its first. Not locked: one thread at a time.
template <class Value, class Key, class KeyFn, uint32_t Bits, class HashFn>
class HashedList {
public:
  static constexpr uint32_t kBucketCount = 1u << Bits;

  HashedList() = default;
  HashedList(const HashedList&) = delete;
  HashedList& operator=(const HashedList&) = delete;
  virtual ~HashedList() = default;

  virtual uint32_t GetCount() const { return mCount; }

  virtual void RemoveAll() {
    for (auto& bucket : mBuckets) bucket.RemoveAll();
    mCount = 0;
  }

  // A value whose key is already present replaces that pair's value (false);
  // otherwise a new pair is appended (true).
  virtual bool Add(const Value& value) {
    const Key key = KeyFn()(value);
    Bucket& bucket = BucketOf(key);
    const int32_t index = IndexIn(bucket, key);
    if (index >= 0) {
      bucket[static_cast<uint32_t>(index)]->GetSecond() = value;
      return false;
    }
    bucket.Append(Entry::Create(key, value));
    ++mCount;
    return true;
  }

  // The value of the key, or `fallback` when it is absent.
  virtual const Value& Find(const Key& key, const Value& fallback) const {
    const Bucket& bucket = BucketOf(key);
    const int32_t index = IndexIn(bucket, key);
    return index < 0 ? fallback : bucket[static_cast<uint32_t>(index)]->GetSecond();
  }

  virtual bool Remove(const Key& key) {
    Bucket& bucket = BucketOf(key);
    const int32_t index = IndexIn(bucket, key);
    if (index < 0) return false;
    bucket.RemoveItems(static_cast<uint32_t>(index), 1);
    --mCount;
    return true;
  }

private:
  // A pair renders itself as the name of its key type.
  static String KeyToString(const Key&) { return String(TypeName(typeid(Key)).c_str()); }
  using Entry = LPair<Key, Value, &HashedList::KeyToString>;
  using Bucket = RCPtrArray<Entry>;

  Bucket& BucketOf(const Key& key) { return mBuckets[HashFn()(key) & (kBucketCount - 1)]; }
  const Bucket& BucketOf(const Key& key) const { return mBuckets[HashFn()(key) & (kBucketCount - 1)]; }

  static int32_t IndexIn(const Bucket& bucket, const Key& key) {
    for (uint32_t i = bucket.GetCount(); i-- > 0;) {
      if (bucket[i]->GetFirst() == key) return static_cast<int32_t>(i);
    }
    return -1;
  }

  std::array<Bucket, kBucketCount> mBuckets;
  uint32_t mCount = 0;
};

}  // namespace SV
