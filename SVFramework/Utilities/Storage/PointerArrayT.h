#pragma once
#include <algorithm>
#include <cstdint>
#include <cstring>
#include <new>
#include <stdexcept>
#include <string>
#include <utility>

#include "SVFramework/ObjectBase/Exception.h"
#include "SVFramework/ObjectBase/RefCountedObject.h"
#include "SVFramework/ObjectBase/SVResult.h"
#include "SVFramework/Utilities/Storage/BufferT.h"
#include "SVFramework/Utilities/Storage/Iterable.h"
#include "SVFramework/Utilities/Storage/TemplateFunctionName.h"

namespace SV {

// The storage and operations of the arrays of smart pointers (ConstRCPtrArray,
// RCPtrArray): one Pointer<T> slot per element in a buffer whose capacity grows in
// steps of Growth slots and shrinks when more than Slack slots would be spare (with no
// slack: exactly the count). The array owns one reference on every non-null element;
// removal, swap and RemoveLast move references without changing counts. Not locked:
// the owner locks around it.
template <class T, uint32_t Growth, uint32_t Slack, template <class> class Pointer>
class PointerArrayT : public IArray<Pointer<T>> {
public:
  using Slot = Pointer<T>;

private:
  // Slots are moved bytewise inside the buffer: a smart pointer is exactly one pointer
  // and does not refer to itself.
  static_assert(sizeof(Slot) == sizeof(void*));
  static constexpr uint32_t kSlotBytes = sizeof(Slot);
  using Storage = BufferT<kSlotBytes * Growth, kSlotBytes * Slack, alignof(Slot)>;

public:
  // `count` null slots; when `capacity` exceeds the count, room for exactly that many
  // slots is taken at once.
  explicit PointerArrayT(uint32_t count = 0, uint32_t capacity = 0)
      : mStorage(Bytes(count), capacity > count ? Bytes(capacity) : 0, true) {
    ConstructNull(0, count);
  }
  PointerArrayT(const PointerArrayT&) = delete;
  PointerArrayT& operator=(const PointerArrayT&) = delete;
  // Releases every element, first to last.
  ~PointerArrayT() override { PointerArrayT::SetCount(0); }

  uint32_t GetCount() const override { return mStorage.GetSize() / kSlotBytes; }
  Slot* GetData() override { return GetCount() ? Slots() : nullptr; }
  const Slot* GetData() const override { return GetCount() ? Slots() : nullptr; }
  // Slots the storage has room for.
  uint32_t GetCapacity() const { return mStorage.GetCapacity() / kSlotBytes; }

  // Below the count: removes the surplus elements one by one from index `count` on;
  // above: new null slots.
  int32_t SetCount(uint32_t count) override {
    const uint32_t current = GetCount();
    if (count < current) return RemoveItems(count, current - count);
    if (count > current) {
      mStorage.SetSize(Bytes(count));
      ConstructNull(current, count);
    }
    return static_cast<int32_t>(count);
  }

  // Opens `count` null slots at the index; E_INVALIDARG when the index is past the count.
  int32_t InsertItems(uint32_t index, uint32_t count) override {
    const uint32_t current = GetCount();
    if (count == 0) return static_cast<int32_t>(current);
    if (index > current) return E_INVALIDARG;
    const uint64_t wanted = uint64_t{current} + count;
    const uint32_t bytes = Bytes(wanted);
    if (index == current) return SetCount(static_cast<uint32_t>(wanted));
    mStorage.SetSize(bytes);
    MoveSlots(index + count, index, current - index);
    ConstructNull(index, index + count);
    return static_cast<int32_t>(current + count);
  }

  // The slot takes its own reference (a copy at once when the object is marked
  // unshareable). Returns the index, or the negative result of InsertItems.
  int32_t InsertAt(uint32_t index, const Slot& element) override {
    Slot kept(element);  // the element may live in this storage, which may move
    const int32_t result = InsertItems(index, 1);
    if (result < 0) return result;
    Slots()[index] = std::move(kept);
    return static_cast<int32_t>(index);
  }

  // `removed` drops what it held and takes over the slot's reference; later slots move
  // down. Raises SV::Exception<std::out_of_range> (array unchanged) when the index is
  // not below the count. Returns the new count.
  int32_t RemoveItem(uint32_t index, Slot& removed) override {
    const uint32_t current = GetCount();
    if (index >= current) RaiseRemoveItemOutOfRange();
    removed.Reset();
    removed = std::move(Slots()[index]);
    MoveSlots(index, index + 1, current - index - 1);
    mStorage.SetSize(Bytes(current - 1));
    return static_cast<int32_t>(current - 1);
  }

  // `count` removals at the index, each element released at once; a bad index raises
  // from RemoveItem.
  int32_t RemoveItems(uint32_t index, uint32_t count) override {
    for (uint32_t i = 0; i < count; ++i) {
      Slot removed;
      RemoveItem(index, removed);
    }
    return static_cast<int32_t>(GetCount());
  }

  // Clears `removed`, then moves the last element into it; E_FAIL when empty.
  int32_t RemoveLast(Slot& removed) override {
    removed.Reset();
    const uint32_t current = GetCount();
    if (current == 0) return E_FAIL;
    removed = std::move(Slots()[current - 1]);
    return SetCount(current - 1);
  }

  SVRESULT Swap(uint32_t first, uint32_t second) override {
    if (std::max(first, second) >= GetCount()) return E_INVALIDARG;
    std::swap(Slots()[first], Slots()[second]);
    return S_OK;
  }

  // Index of the first element that is exactly this object, or -1.
  using IIterable<Slot>::Find;
  int32_t Find(const T* object) const {
    const uint32_t count = GetCount();
    for (uint32_t i = 0; i < count; ++i)
      if (Slots()[i].Get() == object) return static_cast<int32_t>(i);
    return -1;
  }

protected:
  // Raises the out-of-range error of RemoveItem. Each array class raises it from its
  // own source so that the text names it.
  [[noreturn]] virtual void RaiseRemoveItemOutOfRange() const {
    SV_RAISE(std::out_of_range, "", RemoveItemName("SV::PointerArrayT").c_str());
  }
  static std::string RemoveItemName(const char* classTemplate) {
    return TemplateFunctionName(classTemplate, typeid(T), {Growth, Slack}, "RemoveItem");
  }

private:
  // The byte size of `count` slots; more than the maximum count raises out of memory.
  static uint32_t Bytes(uint64_t count) {
    if (count > IIterable<Slot>::kMaxCount || count * kSlotBytes > UINT32_MAX) RaiseBadAllocation();
    return static_cast<uint32_t>(count * kSlotBytes);
  }

  Slot* Slots() const { return reinterpret_cast<Slot*>(mStorage.GetData()); }
  void ConstructNull(uint32_t from, uint32_t to) {
    for (uint32_t i = from; i < to; ++i) new (Slots() + i) Slot();
  }
  void MoveSlots(uint32_t to, uint32_t from, uint32_t count) {
    std::memmove(static_cast<void*>(Slots() + to), static_cast<const void*>(Slots() + from), size_t{count} * kSlotBytes);
  }

  Storage mStorage;
};

}  // namespace SV
