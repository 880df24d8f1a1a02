#pragma once
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <mutex>
#include <new>
#include <stdexcept>

#include "SVFramework/ObjectBase/Exception.h"
#include "SVFramework/Threads/Mutex.h"
#include "SVFramework/Utilities/Storage/ArrayBuffer.h"
#include "SVFramework/Utilities/Storage/BufferT.h"
#include "SVFramework/Utilities/Storage/TemplateFunctionName.h"

namespace SV {

// A pool of blocks for objects of class T, for classes whose objects are made and
// dropped at a high rate. Each pooled object lives in a block of its own; freed blocks
// are reused, the last freed first, and go back to the heap only when the pool is
// destroyed (whether or not their objects are still in use). Requests of another size
// (objects of a derived class) are served from the C run-time heap. Every address
// handed out has a header in front whose last four bytes say where the block belongs,
// so Free reads nothing outside the block. The block list and free list grow in steps
// of Growth entries.
// Thread rules: a pool built thread-safe serialises Allocate and Free on its own
// Mutex; otherwise one thread at a time.
template <class T, uint32_t Growth>
class ReuseAllocator {
  static_assert(alignof(T) <= alignof(std::max_align_t), "over-aligned classes cannot be pooled");

public:
  static constexpr size_t kHeaderSize = alignof(std::max_align_t);

  // One pooled block: the header, then room for one T.
  struct Buf {
    alignas(std::max_align_t) unsigned char header[kHeaderSize];
    unsigned char storage[sizeof(T)];
  };

  explicit ReuseAllocator(bool threadSafe) : mLock(threadSafe ? std::make_unique<Mutex>() : nullptr) {
    // Take the lists' first growth step at once.
    mBlocks.SetCount(1);
    mBlocks.SetCount(0);
    mFreeBlocks.SetCount(1);
    mFreeBlocks.SetCount(0);
  }
  ReuseAllocator(const ReuseAllocator&) = delete;
  ReuseAllocator& operator=(const ReuseAllocator&) = delete;

  ~ReuseAllocator() {
    for (uint32_t i = mBlocks.GetCount(); i-- > 0;) delete mBlocks[i];
    mBlocks.SetCount(0);
    mFreeBlocks.SetCount(0);
  }

  // Room for one object of `size` bytes: a pooled block for the size of T, else a
  // block from the C run-time heap. Running out of memory raises
  // SV::Exception<std::bad_alloc>.
  void* Allocate(size_t size) {
    if (size != sizeof(T)) return AllocateFromHeap(size);
    const auto lock = Lock();
    if (mFreeBlocks.GetCount() > 0) {
      uint32_t index = 0;
      mFreeBlocks.RemoveLast(index);
      return mBlocks[index]->storage;
    }
    return AppendBlock();
  }

  // Takes back an address that Allocate gave: a pooled block joins the free list, a
  // heap block goes back to the heap. An address this pool did not give raises
  // SV::Exception<std::invalid_argument>. Null does nothing.
  void Free(void* address) {
    if (!address) return;
    const uint32_t index = ReadIndexWord(address);
    if (index == kHeapBlock) {
      std::free(static_cast<unsigned char*>(address) - kHeaderSize);
      return;
    }
    if (TakeBack(index, address)) return;
    SV_RAISE(std::invalid_argument, "not a block of this pool",
             TemplateFunctionName("SV::ReuseAllocator", typeid(T), {Growth}, "Free").c_str());
  }

  // Blocks made so far, and how many of them are free.
  uint32_t GetBlockCount() const { const auto lock = Lock(); return mBlocks.GetCount(); }
  uint32_t GetFreeBlockCount() const { const auto lock = Lock(); return mFreeBlocks.GetCount(); }

private:
  // The index word of a block from the heap.
  static constexpr uint32_t kHeapBlock = UINT32_MAX;

  std::unique_lock<Mutex> Lock() const { return mLock ? std::unique_lock<Mutex>(*mLock) : std::unique_lock<Mutex>(); }

  static uint32_t ReadIndexWord(const void* address) {
    uint32_t index = 0;
    std::memcpy(&index, static_cast<const unsigned char*>(address) - sizeof index, sizeof index);
    return index;
  }
  static void WriteIndexWord(void* address, uint32_t index) {
    std::memcpy(static_cast<unsigned char*>(address) - sizeof index, &index, sizeof index);
  }

  void* AppendBlock() {
    const uint32_t index = mBlocks.GetCount();
    std::unique_ptr<Buf> block(new (std::nothrow) Buf);
    if (!block) RaiseBadAllocation();
    mBlocks.Append(block.get());
    WriteIndexWord(block->storage, index);
    return block.release()->storage;
  }

  static void* AllocateFromHeap(size_t size) {
    if (size > SIZE_MAX - kHeaderSize) RaiseBadAllocation();
    auto* block = static_cast<unsigned char*>(std::malloc(kHeaderSize + size));
    if (!block) RaiseBadAllocation();
    WriteIndexWord(block + kHeaderSize, kHeapBlock);
    return block + kHeaderSize;
  }

  bool TakeBack(uint32_t index, void* address) {
    const auto lock = Lock();
    if (index >= mBlocks.GetCount() || mBlocks[index]->storage != address) return false;
    mFreeBlocks.Append(index);
    return true;
  }

  ArrayBuffer<Buf*, Growth, 1600> mBlocks;
  ArrayBuffer<uint32_t, Growth, 1600> mFreeBlocks;
  std::unique_ptr<Mutex> mLock;
};

}  // namespace SV
