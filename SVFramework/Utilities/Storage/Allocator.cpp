#include "SVFramework/Utilities/Storage/Allocator.h"

#include <cstdlib>
#include <new>

namespace SV {

void* SystemAllocator::Alloc(size_t size) { return std::malloc(size); }

void* SystemAllocator::AllocZeroed(size_t count, size_t elementSize) { return std::calloc(count, elementSize); }

void* SystemAllocator::Realloc(void* block, size_t newSize) {
  if (newSize == 0) {
    std::free(block);
    return nullptr;
  }
  return std::realloc(block, newSize);
}

void SystemAllocator::Free(void* block) { std::free(block); }

IAllocator& GetSystemAllocator() {
  static SystemAllocator* instance = new SystemAllocator;
  return *instance;
}

}  // namespace SV
