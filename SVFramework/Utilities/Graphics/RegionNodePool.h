#pragma once
#include <cstdint>
#include <memory>

#include "SVFramework/Threads/Mutex.h"

namespace SV {

// One rectangle of a region: columns left..right-1 and rows top..bottom-1.
struct RegionNode {
  int32_t left = 0;
  int32_t top = 0;
  int32_t right = 0;
  int32_t bottom = 0;
  RegionNode* next = nullptr;
};

// Hands out region nodes from one block of 512 slots without touching the heap, in
// constant time through a ring of free slot indexes, and from the heap beyond that.
// Every operation takes the pool's lock, so nodes may be allocated and freed on any
// thread. Regions use the process-wide instance (Instance()); tests may make their own.
class RegionNodePool {
public:
  static constexpr uint32_t kBlockCapacity = 512;

  RegionNodePool() = default;
  RegionNodePool(const RegionNodePool&) = delete;
  RegionNodePool& operator=(const RegionNodePool&) = delete;

  // The pool of every region. It lives until the process ends, so that regions with
  // static lifetime may still give their nodes back while the process exits.
  static RegionNodePool& Instance();

  // A zeroed node, or null when neither the block nor the heap can give one. The
  // block is made on the first allocation.
  RegionNode* Allocate();

  // Gives a node back: a block node to the ring, a heap node to the heap. Null is ignored.
  void Free(RegionNode* node);

  uint32_t GetCapacity() const;
  uint32_t GetFreeCount() const;
  uint32_t GetInUseCount() const;
  uint32_t GetPeakCount() const;

private:
  // A node followed by its ring entry; the slot is padded so that every node in the
  // block is properly aligned.
  struct Slot {
    RegionNode node;
    uint32_t ringEntry = 0;
  };

  void MakeBlock();
  bool TryReturnToRing(RegionNode* node);

  mutable Mutex mLock;
  std::unique_ptr<Slot[]> mBlock;
  uint32_t mFreeCount = 0;
  uint32_t mRingHead = 0;
  uint32_t mCapacity = 0;
  uint32_t mInUseCount = 0;
  uint32_t mPeakCount = 0;
};

}  // namespace SV
