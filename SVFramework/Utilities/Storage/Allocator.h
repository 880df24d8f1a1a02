#pragma once
#include <cstddef>

namespace SV {

// The memory interface behind every buffer.
class IAllocator {
public:
  virtual ~IAllocator() = default;
  virtual void* Alloc(size_t size) = 0;
  virtual void* AllocZeroed(size_t count, size_t elementSize) = 0;
  // A new size of 0 releases the block and returns null.
  virtual void* Realloc(void* block, size_t newSize) = 0;
  virtual void Free(void* block) = 0;
};

// The C run-time heap.
class SystemAllocator final : public IAllocator {
public:
  void* Alloc(size_t size) override;
  void* AllocZeroed(size_t count, size_t elementSize) override;
  void* Realloc(void* block, size_t newSize) override;
  void Free(void* block) override;
};

// The one SystemAllocator, built on first call and never destroyed, so buffers held
// by static objects can still free their blocks at process end.
IAllocator& GetSystemAllocator();

}  // namespace SV
