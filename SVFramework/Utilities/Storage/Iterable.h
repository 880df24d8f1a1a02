#pragma once
#include <concepts>
#include <cstddef>
#include <cstdint>
#include <iterator>
#include <type_traits>

#include "SVFramework/ObjectBase/SVResult.h"

namespace SV {

// A place in an iterable of n elements: an element index from -1 (before the first
// element) to n (just past the last), or null, which stands for every place in an
// empty iterable. An index rather than an address, so that the place before the first
// element never needs an address outside the storage.
class ElementPosition {
public:
  constexpr ElementPosition() = default;
  constexpr explicit ElementPosition(int64_t index) : mIndex(index) {}

  constexpr bool IsNull() const { return mIndex == kNull; }
  // The element index; meaningless for the null position.
  constexpr int64_t GetIndex() const { return mIndex; }
  constexpr bool operator==(const ElementPosition&) const = default;

private:
  static constexpr int64_t kNull = INT64_MIN;
  int64_t mIndex = kNull;
};

template <class T> class IIterable;

// Walks an iterable by a step of +1 (forward) or -1 (reverse), asking the iterable to
// move and to read. Iterator<const T> only reads. Valid while the iterable lives and
// its count does not change.
template <class T>
class Iterator {
  using Element = std::remove_const_t<T>;
  using Iterable = std::conditional_t<std::is_const_v<T>, const IIterable<Element>, IIterable<Element>>;

public:
  using iterator_category = std::bidirectional_iterator_tag;
  using value_type = Element;
  using difference_type = std::ptrdiff_t;
  using pointer = T*;
  using reference = T&;

  Iterator() = default;
  Iterator(Iterable& iterable, ElementPosition position, int32_t step)
      : mIterable(&iterable), mPosition(position), mStep(step) {}
  // A reading walk from a modifying one.
  template <class U>
    requires(std::is_const_v<T> && std::is_same_v<U, Element>)
  Iterator(const Iterator<U>& other) : Iterator(other.GetIterable(), other.GetPosition(), other.GetStep()) {}

  T& operator*() const { return mIterable->GetAtPosition(mPosition); }
  T* operator->() const { return &**this; }
  Iterator& operator++() { mPosition = mIterable->Advance(mPosition, mStep); return *this; }
  Iterator& operator--() { mPosition = mIterable->Advance(mPosition, -mStep); return *this; }
  Iterator operator++(int) { Iterator before = *this; ++*this; return before; }
  Iterator operator--(int) { Iterator before = *this; --*this; return before; }
  // Equal when walking the same iterable at the same place.
  bool operator==(const Iterator& other) const {
    return mIterable == other.mIterable && mPosition == other.mPosition;
  }

  Iterable& GetIterable() const { return *mIterable; }
  ElementPosition GetPosition() const { return mPosition; }
  int32_t GetStep() const { return mStep; }

private:
  Iterable* mIterable = nullptr;
  ElementPosition mPosition;
  int32_t mStep = 1;
};

// A sequence of elements: counting, positions and element access. Positions and
// iterators are defined in terms of GetCount, so an implementation supplies the count
// and GetAtPosition. None of the implementations locks: one thread at a time.
template <class T>
class IIterable {
public:
  static constexpr uint32_t kMaxCount = 0x7FFFFFFF;

  virtual ~IIterable() = default;

  virtual uint32_t GetCount() const = 0;
  virtual uint32_t GetMaxCount() const { return kMaxCount; }

  // Forward walk from the first element to the end; reverse walk from the last element
  // to the place before the first.
  Iterator<T> Begin() { return {*this, GetFirstPosition(), +1}; }
  Iterator<const T> Begin() const { return {*this, GetFirstPosition(), +1}; }
  Iterator<T> End() { return {*this, GetEndPosition(), +1}; }
  Iterator<const T> End() const { return {*this, GetEndPosition(), +1}; }
  Iterator<T> ReverseBegin() { return {*this, GetLastPosition(), -1}; }
  Iterator<const T> ReverseBegin() const { return {*this, GetLastPosition(), -1}; }
  Iterator<T> ReverseEnd() { return {*this, GetBeforeFirstPosition(), -1}; }
  Iterator<const T> ReverseEnd() const { return {*this, GetBeforeFirstPosition(), -1}; }
  Iterator<T> begin() { return Begin(); }
  Iterator<const T> begin() const { return Begin(); }
  Iterator<T> end() { return End(); }
  Iterator<const T> end() const { return End(); }

  // The element at a position of an element; not checked.
  virtual T& GetAtPosition(ElementPosition position) = 0;
  const T& GetAtPosition(ElementPosition position) const {
    return const_cast<IIterable*>(this)->GetAtPosition(position);
  }

  // The element at an index, found by walking `index` steps from Begin. The index must
  // be below the count.
  virtual T& GetAt(uint32_t index) { return *Advanced(Begin(), index); }
  virtual const T& GetAt(uint32_t index) const { return *Advanced(Begin(), index); }

  // Exchanges two elements by copying; E_INVALIDARG when either index is not below
  // the count.
  virtual SVRESULT Swap(uint32_t first, uint32_t second) {
    if (first >= GetCount() || second >= GetCount()) return E_INVALIDARG;
    T kept = GetAt(first);
    GetAt(first) = GetAt(second);
    GetAt(second) = kept;
    return S_OK;
  }

  // The position n elements (negative: back) from `position`, clamped into
  // [before-first, end]. The null position stays null.
  virtual ElementPosition Advance(ElementPosition position, int32_t n) const {
    if (position.IsNull()) return position;
    const int64_t moved = position.GetIndex() + n;
    if (moved <= -1) return ElementPosition(-1);
    if (moved >= GetCount()) return ElementPosition(GetCount());
    return ElementPosition(moved);
  }

  // First, end, last and before-first positions; all null when the iterable is empty.
  virtual ElementPosition GetFirstPosition() const { return PositionIfAny(0); }
  virtual ElementPosition GetEndPosition() const { return PositionIfAny(GetCount()); }
  virtual ElementPosition GetLastPosition() const { return PositionIfAny(int64_t{GetCount()} - 1); }
  virtual ElementPosition GetBeforeFirstPosition() const { return PositionIfAny(-1); }

  // Index of the first element equal to `element`, or -1.
  int32_t Find(const T& element) const
    requires std::equality_comparable<T>
  {
    int32_t index = 0;
    for (auto it = Begin(); it != End(); ++it, ++index)
      if (*it == element) return index;
    return -1;
  }

private:
  template <class Walk>
  static Walk Advanced(Walk walk, uint32_t steps) {
    for (uint32_t i = 0; i < steps; ++i) ++walk;
    return walk;
  }
  ElementPosition PositionIfAny(int64_t index) const {
    return GetCount() == 0 ? ElementPosition() : ElementPosition(index);
  }
};

// A sequence that can grow and shrink. Results are element counts or indices as each
// operation says, or a negative SVRESULT.
template <class T>
class IIterableModifiable : public IIterable<T> {
public:
  // Sets the count to 0: S_OK, or E_FAIL when the count could not be set.
  virtual SVRESULT RemoveAll() { return SetCount(0) == 0 ? S_OK : E_FAIL; }
  // Inserts a copy of the element at the index (at the count: appends).
  virtual int32_t InsertAt(uint32_t index, const T& element) = 0;
  // Removes the element at the index, handing it to the caller in `removed`; returns
  // the new count.
  virtual int32_t RemoveItem(uint32_t index, T& removed) = 0;

  // Appends copies of every element of the source in its order and returns the new
  // count; E_FAIL, with nothing copied, when the count cannot be set. Appending an
  // iterable to itself doubles it.
  virtual int32_t AppendAll(const IIterable<T>& source) {
    const uint32_t here = this->GetCount();
    const uint32_t added = source.GetCount();
    if (added == 0) return static_cast<int32_t>(here);
    if (!GrowBy(added)) return E_FAIL;
    Iterator<const T> from = source.Begin();
    Iterator<T> to(*this, this->Advance(this->GetFirstPosition(), static_cast<int32_t>(here)), +1);
    for (uint32_t i = 0; i < added; ++i, ++from, ++to) *to = *from;
    return static_cast<int32_t>(here + added);
  }

  virtual int32_t Append(const T& element) { return InsertAt(this->GetCount(), element); }
  int32_t Append(const IIterable<T>& source) { return AppendAll(source); }
  virtual int32_t RemoveLast(T& removed) { return RemoveItem(this->GetCount() - 1, removed); }
  // Replaces the contents by copies of the source's elements.
  virtual int32_t Assign(const IIterable<T>& source) {
    if (&source == this) return static_cast<int32_t>(this->GetCount());
    SetCount(0);
    return AppendAll(source);
  }

  // Grows (new elements empty) or shrinks to the count; returns the new count.
  virtual int32_t SetCount(uint32_t count) = 0;
  // Inserts `count` empty elements at the index; returns the new count.
  virtual int32_t InsertItems(uint32_t index, uint32_t count) = 0;
  // Removes `count` elements from the index on; returns the new count.
  virtual int32_t RemoveItems(uint32_t index, uint32_t count) = 0;

protected:
  // Sets the count to count + added; false when it cannot.
  bool GrowBy(uint32_t added) {
    const uint64_t wanted = uint64_t{this->GetCount()} + added;
    if (wanted > this->GetMaxCount()) return false;
    return SetCount(static_cast<uint32_t>(wanted)) == static_cast<int32_t>(wanted);
  }
};

// A sequence kept in one contiguous block: the element at index i lives at
// GetData() + i.
template <class T>
class IArray : public IIterableModifiable<T> {
public:
  // Address of element 0, or null when empty.
  virtual T* GetData() = 0;
  virtual const T* GetData() const { return const_cast<IArray*>(this)->GetData(); }

  using IIterable<T>::GetAtPosition;
  T& GetAtPosition(ElementPosition position) override { return GetData()[position.GetIndex()]; }
  // Not checked: the index must be below the count.
  T& GetAt(uint32_t index) override { return GetData()[index]; }
  const T& GetAt(uint32_t index) const override { return GetData()[index]; }

  // AppendAll that writes straight into the storage.
  virtual int32_t AppendFrom(const IIterable<T>& source) {
    const uint32_t here = this->GetCount();
    const uint32_t added = source.GetCount();
    if (added == 0) return static_cast<int32_t>(here);
    if (!this->GrowBy(added)) return E_FAIL;
    T* to = GetData() + here;
    Iterator<const T> from = source.Begin();
    for (uint32_t i = 0; i < added; ++i, ++from) to[i] = *from;
    return static_cast<int32_t>(here + added);
  }

  // Unchecked access and raw pointers for range-for over the storage.
  T& operator[](uint32_t index) { return GetData()[index]; }
  const T& operator[](uint32_t index) const { return GetData()[index]; }
  T* begin() { return GetData(); }
  const T* begin() const { return GetData(); }
  T* end() { return GetData() + this->GetCount(); }
  const T* end() const { return GetData() + this->GetCount(); }
};

}  // namespace SV
