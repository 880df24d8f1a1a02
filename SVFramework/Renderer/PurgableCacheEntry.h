#pragma once
#include <cstdint>

#include "SVFramework/ObjectBase/RefCountedObject.h"

namespace SV {

// One slot of a PurgableObjectCache: the key it holds an object for, the object (null:
// the caller is to make it), the cache's use counter at the last use and the number of
// uses since the slot took its key (stopping at 0xFFFFFFFF).
template <class T, class Key>
class PurgableCacheEntry {
public:
  virtual ~PurgableCacheEntry() = default;
  virtual bool IsFree() const { return !object; }

  const Key& GetEntryID() const { return key; }

  Key key{};
  RCPtr<T> object;
  uint32_t stamp = 0;
  uint32_t hits = 0;
};

}  // namespace SV
