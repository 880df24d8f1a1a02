#pragma once
#include <algorithm>
#include <cstdint>

#include "SVFramework/ObjectBase/SVResult.h"
#include "SVFramework/Utilities/Storage/Iterable.h"

namespace SV {

// An array of at most N plain values that live inside the object: no allocation, and
// GetData is the inline storage also when the array is empty. Growing never clears:
// new places keep whatever bytes they held (all zero at construction). Not locked:
// one thread at a time.
template <class T, uint32_t N>
class SimpleFixedArray : public IArray<T> {
  static_assert(N > 0 && N < IIterable<T>::kMaxCount, "a fixed array holds 1 to kMaxCount - 1 elements");

public:
  uint32_t GetCount() const override { return mCount; }
  uint32_t GetMaxCount() const override { return N; }
  T* GetData() override { return mElements; }
  const T* GetData() const override { return mElements; }

  // A count above N sets N; returns the new count.
  int32_t SetCount(uint32_t count) override {
    mCount = std::min(count, N);
    return static_cast<int32_t>(mCount);
  }

  // E_INVALIDARG, and no change, when the index is past the count or the count would
  // pass N; otherwise moves the elements from the index up and returns the new count.
  int32_t InsertItems(uint32_t index, uint32_t count) override {
    if (index > mCount || uint64_t{mCount} + count > N) return E_INVALIDARG;
    std::copy_backward(mElements + index, mElements + mCount, mElements + mCount + count);
    mCount += count;
    return static_cast<int32_t>(mCount);
  }

  // E_INVALIDARG, and no change, when the range runs past the count; otherwise moves
  // the rest down and returns the new count.
  int32_t RemoveItems(uint32_t index, uint32_t count) override {
    if (uint64_t{index} + count > mCount) return E_INVALIDARG;
    std::copy(mElements + index + count, mElements + mCount, mElements + index);
    mCount -= count;
    return static_cast<int32_t>(mCount);
  }

  // Stores the element after making room for it; returns the new count, or
  // E_INVALIDARG as InsertItems does.
  int32_t InsertAt(uint32_t index, const T& element) override {
    const T kept = element;  // the element may live in this storage, which moves
    const int32_t result = InsertItems(index, 1);
    if (result >= 0) mElements[index] = kept;
    return result;
  }

  // E_INVALIDARG, `removed` untouched, when the index is not below the count;
  // otherwise returns the new count.
  int32_t RemoveItem(uint32_t index, T& removed) override {
    if (index >= mCount) return E_INVALIDARG;
    removed = mElements[index];
    return RemoveItems(index, 1);
  }

private:
  uint32_t mCount = 0;
  T mElements[N]{};
};

}  // namespace SV
