#pragma once
#include <algorithm>
#include <cstdint>
#include <initializer_list>
#include <stdexcept>
#include <type_traits>
#include <utility>
#include <vector>

#include "SVFramework/ObjectBase/SVResult.h"
#include "SVFramework/Utilities/Storage/BufferT.h"
#include "SVFramework/Utilities/Storage/Iterable.h"

namespace SV {

// The plain array of values: a growable contiguous sequence of T that copies, moves
// and destroys its elements as values. GetAt checks its index and raises the standard
// out-of-range error; operator[] does not check. Not locked: one thread at a time.
template <class T>
class Array : public IArray<T> {
  static_assert(!std::is_same_v<T, bool>, "an array of bools is an ArrayBuffer<bool>");

public:
  Array() = default;
  Array(std::initializer_list<T> elements) : mElements(elements) {}
  Array(const Array&) = default;
  Array(Array&&) noexcept = default;
  Array& operator=(const Array&) = default;
  Array& operator=(Array&&) noexcept = default;
  ~Array() override = default;

  uint32_t GetCount() const override { return static_cast<uint32_t>(mElements.size()); }
  T* GetData() override { return mElements.empty() ? nullptr : mElements.data(); }
  const T* GetData() const override { return mElements.empty() ? nullptr : mElements.data(); }

  // Raises std::out_of_range ("invalid vector<T> subscript") when the index is not
  // below the count.
  T& GetAt(uint32_t index) override { return mElements[CheckedIndex(index)]; }
  const T& GetAt(uint32_t index) const override { return mElements[CheckedIndex(index)]; }

  // Returns the index; E_INVALIDARG (and no change) when the index is past the count.
  int32_t InsertAt(uint32_t index, const T& element) override {
    if (index > mElements.size()) return E_INVALIDARG;
    Growing([&] { mElements.insert(mElements.begin() + index, element); });
    return static_cast<int32_t>(index);
  }

  // Copies the element out, then removes it; returns the new count. A bad index raises
  // as GetAt does.
  int32_t RemoveItem(uint32_t index, T& removed) override {
    removed = GetAt(index);
    return RemoveItems(index, 1);
  }

  // New elements are default-constructed, surplus ones destroyed.
  int32_t SetCount(uint32_t count) override {
    Growing([&] { mElements.resize(count); });
    return static_cast<int32_t>(GetCount());
  }

  // E_INVALIDARG (and no change) when the index is past the count.
  int32_t InsertItems(uint32_t index, uint32_t count) override {
    if (index > mElements.size()) return E_INVALIDARG;
    Growing([&] { mElements.insert(mElements.begin() + index, count, T()); });
    return static_cast<int32_t>(GetCount());
  }

  // E_INVALIDARG (and no change) unless the index is below the count and the range
  // ends inside the array.
  int32_t RemoveItems(uint32_t index, uint32_t count) override {
    if (index >= mElements.size() || uint64_t{index} + count > mElements.size()) return E_INVALIDARG;
    mElements.erase(mElements.begin() + index, mElements.begin() + index + count);
    return static_cast<int32_t>(GetCount());
  }

  SVRESULT Swap(uint32_t first, uint32_t second) override {
    if (std::max(first, second) >= mElements.size()) return E_INVALIDARG;
    std::swap(mElements[first], mElements[second]);
    return S_OK;
  }

private:
  // Runs a change that may allocate; running out of memory raises the framework's
  // SV::Exception<std::bad_alloc>, as every framework storage does.
  template <class Change>
  static void Growing(Change change) {
    try {
      change();
    } catch (const std::bad_alloc&) {
      RaiseBadAllocation();
    }
  }

  size_t CheckedIndex(uint32_t index) const {
    if (index >= mElements.size()) throw std::out_of_range("invalid vector<T> subscript");
    return index;
  }

  std::vector<T> mElements;
};

}  // namespace SV
