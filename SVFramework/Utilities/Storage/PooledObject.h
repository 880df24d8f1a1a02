#pragma once
#include <cstddef>
#include <cstdint>

#include "SVFramework/Utilities/Storage/ReuseAllocator.h"

namespace SV {

// Base of a class T whose objects come from a pool of their own: `new T(...)` takes a
// block from the pool (should the constructor throw, the block goes straight back) and
// deleting the object returns its block. Objects of classes derived from T come from
// the heap through the same pool. The pool is built on first use and never destroyed,
// so objects may be released on any thread until the process ends; ThreadSafe pools
// serve any thread, the others one thread only.
template <class T, uint32_t Growth, bool ThreadSafe>
class PooledObject {
public:
  static void* operator new(size_t size) { return GetPool().Allocate(size); }
  static void operator delete(void* block) { GetPool().Free(block); }
  static void* operator new(size_t, void* place) noexcept { return place; }
  static void operator delete(void*, void*) noexcept {}

  static ReuseAllocator<T, Growth>& GetPool() {
    static auto* pool = new ReuseAllocator<T, Growth>(ThreadSafe);
    return *pool;
  }

protected:
  PooledObject() = default;
  ~PooledObject() = default;
};

}  // namespace SV
