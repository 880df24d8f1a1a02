#pragma once
#include <cstdint>
#include <cstring>
#include <type_traits>

#include "SVFramework/ObjectBase/SVResult.h"
#include "SVFramework/Utilities/Storage/Allocator.h"
#include "SVFramework/Utilities/Storage/BufferT.h"
#include "SVFramework/Utilities/Storage/Iterable.h"

namespace SV {

// An array of plain values kept in a byte buffer whose capacity grows in steps of
// Growth elements and shrinks when more than Slack elements would be spare. Elements
// are copied bytewise and never constructed or destroyed. With ClearNewElements set
// (every array of the system) new elements are zero bytes; with it clear they hold
// whatever the storage held. Alignment is the buffer's. The storage does not move
// while the count stays the same. Not locked: one thread at a time.
template <class E, uint32_t Growth, uint32_t Slack, uint32_t ClearNewElements = 1, uint32_t Alignment = 8,
          IAllocator& (*AllocatorSource)() = GetSystemAllocator>
class ArrayBuffer : public IArray<E> {
  static_assert(std::is_trivially_copyable_v<E>, "an ArrayBuffer holds plain values");

protected:
  using Storage = BufferT<Growth * sizeof(E), Slack * sizeof(E), Alignment, E*, AllocatorSource>;

public:
  ArrayBuffer() = default;
  ArrayBuffer(const ArrayBuffer&) = delete;
  ArrayBuffer& operator=(const ArrayBuffer&) = delete;
  ~ArrayBuffer() override = default;

  uint32_t GetCount() const override { return mStorage.GetSize() / sizeof(E); }
  E* GetData() override { return mStorage.GetSize() ? mStorage.Data() : nullptr; }
  const E* GetData() const override { return mStorage.GetSize() ? mStorage.Data() : nullptr; }
  // Elements the buffer has room for.
  uint32_t GetCapacity() const { return mStorage.GetCapacity() / sizeof(E); }

  // Sets the count, keeping the first elements; new ones are not cleared. Returns the
  // new count. Running out of memory raises SV::Exception<std::bad_alloc>.
  virtual uint32_t Resize(uint32_t count) {
    mStorage.SetSize(Bytes(count));
    return GetCount();
  }

  int32_t SetCount(uint32_t count) override {
    const uint32_t before = GetCount();
    Resize(count);
    if (count > before) Clear(before, count - before);
    return static_cast<int32_t>(GetCount());
  }

  // Opens `count` new elements at the index; E_INVALIDARG when the index is past the
  // count. Returns the new count.
  int32_t InsertItems(uint32_t index, uint32_t count) override {
    const uint32_t before = GetCount();
    if (count == 0) return static_cast<int32_t>(before);
    if (index > before) return E_INVALIDARG;
    const uint64_t wanted = uint64_t{before} + count;
    Bytes(wanted);
    if (index == before) return SetCount(static_cast<uint32_t>(wanted));
    Resize(static_cast<uint32_t>(wanted));
    E* data = GetData();
    std::memmove(data + index + count, data + index, size_t{before - index} * sizeof(E));
    Clear(index, count);
    return static_cast<int32_t>(GetCount());
  }

  // E_INVALIDARG (and no change) when the range runs past the count. Returns the new count.
  int32_t RemoveItems(uint32_t index, uint32_t count) override {
    const uint32_t before = GetCount();
    if (count == 0) return static_cast<int32_t>(before);
    if (uint64_t{index} + count > before) return E_INVALIDARG;
    E* data = GetData();
    std::memmove(data + index, data + index + count, size_t{before - index - count} * sizeof(E));
    return static_cast<int32_t>(Resize(before - count));
  }

  // Returns the new count (not the index), or E_INVALIDARG when the index is past the count.
  int32_t InsertAt(uint32_t index, const E& element) override {
    const E kept = element;  // the element may live in this storage, which may move
    const int32_t result = InsertItems(index, 1);
    if (result >= 0) GetData()[index] = kept;
    return result;
  }

  // E_INVALIDARG, `removed` untouched, when the index is not below the count;
  // otherwise returns the new count.
  int32_t RemoveItem(uint32_t index, E& removed) override {
    if (index >= GetCount()) return E_INVALIDARG;
    removed = GetData()[index];
    return RemoveItems(index, 1);
  }

  // Writes the byte into `count` bytes of the elements' storage from the byte offset
  // (a negative count: to the end); E_INVALIDARG, and no change, when the range passes
  // the end.
  SVRESULT FillBytes(uint8_t value, uint32_t offset, int32_t count) {
    const uint64_t size = uint64_t{GetCount()} * sizeof(E);
    if (offset > size) return E_INVALIDARG;
    const uint64_t bytes = count < 0 ? size - offset : static_cast<uint64_t>(count);
    if (offset + bytes > size) return E_INVALIDARG;
    if (bytes) std::memset(reinterpret_cast<unsigned char*>(GetData()) + offset, value, bytes);
    return S_OK;
  }

protected:
  Storage& GetStorage() { return mStorage; }

  // The byte size of `count` elements; more than the maximum count raises out of memory.
  static uint32_t Bytes(uint64_t count) {
    if (count > IIterable<E>::kMaxCount || count * sizeof(E) > UINT32_MAX) RaiseBadAllocation();
    return static_cast<uint32_t>(count * sizeof(E));
  }

private:
  void Clear(uint32_t from, uint32_t count) {
    if (ClearNewElements && count) std::memset(static_cast<void*>(GetData() + from), 0, size_t{count} * sizeof(E));
  }

  Storage mStorage;
};

}  // namespace SV
