#pragma once
#include <cstdint>
#include <algorithm>
#include <cstring>
#include <utility>

#include "SVFramework/ObjectBase/Exception.h"
#include "SVFramework/ObjectBase/RefCountedObject.h"
#include "SVFramework/ObjectBase/SVResult.h"
#include "SVFramework/Utilities/Storage/Allocator.h"

namespace SV {

// The byte-buffer interface. Sizes and offsets are in bytes. Not locked: one thread
// at a time.
class IBuffer {
public:
  virtual ~IBuffer() = default;
  virtual uint32_t GetSize() const = 0;
  // Sets the size to n and discards the contents; returns n.
  virtual uint32_t Allocate(uint32_t n) = 0;
  // Sets the size to n, keeping the first min(old size, n) bytes; returns n.
  virtual uint32_t SetSize(uint32_t n) = 0;
  // Writes the byte into count bytes from offset; a negative count means to the end.
  // E_INVALIDARG (and no change) when the range passes the end.
  virtual SVRESULT Fill(uint8_t value, uint32_t offset, int32_t count) = 0;
  // Writes the 16-bit value into count units from the byte offset; negative: to the end.
  virtual SVRESULT Fill16(uint16_t value, uint32_t offset, int32_t count) = 0;
  virtual uint32_t GetCapacity() const = 0;
  // The first byte in use; null while no block is held.
  virtual void* GetData() const = 0;

  SVRESULT FillBytes(uint8_t value, uint32_t offset, int32_t count) { return Fill(value, offset, count); }
  // The address of the byte at offset, or null when offset is not inside the size.
  void* GetDataAt(uint32_t offset) const {
    return uint64_t{offset} + 1 > GetSize() ? nullptr : static_cast<uint8_t*>(GetData()) + offset;
  }
};

[[noreturn]] void RaiseBadAllocation();

// Byte storage whose capacity is a multiple of Granularity and which is reallocated
// when too small or when more than its slack would be spare (with no slack: more than
// Granularity - 1 bytes). A failed allocation raises SV::Exception<std::bad_alloc>
// and leaves the buffer as it was; a buffer never holds a capacity it has no block for.
// Alignment is the alignment the data promises (the heap's, at least 8).
template <uint32_t Granularity, uint32_t Slack, uint32_t Alignment = 8, class DataPtr = char*,
          IAllocator& (*AllocatorSource)() = GetSystemAllocator>
class BufferT : public virtual IBuffer {
  static_assert(Granularity > 0);

public:
  static constexpr uint32_t kThreshold = Slack > 0 ? Slack : Granularity - 1;

  BufferT() = default;
  BufferT(uint32_t size, uint32_t reserve, bool zeroFill) {
    if (reserve > size) {
      mData = static_cast<uint8_t*>(TakeBlock(reserve));
      mCapacity = reserve;
    }
    SetSize(size);
    if (zeroFill && mSize != 0) std::memset(mData, 0, mSize);
  }
  BufferT(const BufferT&) = delete;
  BufferT& operator=(const BufferT&) = delete;
  ~BufferT() override { ReleaseBlock(); }

  uint32_t GetSize() const override { return mSize; }
  uint32_t GetCapacity() const override { return mCapacity; }
  void* GetData() const override { return mData; }
  DataPtr Data() const { return reinterpret_cast<DataPtr>(mData); }

  uint32_t Allocate(uint32_t n) override {
    if (n == 0) {
      if (mCapacity == 0) return mSize;
      ReleaseBlock();
      return 0;
    }
    const uint32_t rounded = RoundUp(n);
    if (rounded != mCapacity) {
      void* block = TakeBlock(rounded);
      AllocatorSource().Free(mData);
      mData = static_cast<uint8_t*>(block);
      mCapacity = rounded;
    }
    mSize = n;
    return n;
  }

  uint32_t SetSize(uint32_t n) override {
    if (mCapacity == 0) return Allocate(n);
    if (mCapacity < n || mCapacity - n > kThreshold) Reallocate(RoundUp(n));
    mSize = n;
    return n;
  }

  SVRESULT Fill(uint8_t value, uint32_t offset, int32_t count) override {
    uint64_t bytes = 0;
    if (!RangeInside(offset, count, 1, bytes)) return E_INVALIDARG;
    if (bytes) std::memset(mData + offset, value, bytes);
    return S_OK;
  }

  SVRESULT Fill16(uint16_t value, uint32_t offset, int32_t count) override {
    uint64_t units = 0;
    if (!RangeInside(offset, count, 2, units)) return E_INVALIDARG;
    for (uint64_t i = 0; i < units; ++i) std::memcpy(mData + offset + 2 * i, &value, 2);
    return S_OK;
  }

private:
  static uint32_t RoundUp(uint32_t n) {
    const uint64_t rounded = (uint64_t{n} + Granularity - 1) / Granularity * Granularity;
    if (rounded > UINT32_MAX) RaiseBadAllocation();
    return static_cast<uint32_t>(rounded);
  }

  static void* TakeBlock(uint32_t bytes) {
    void* block = AllocatorSource().Alloc(bytes);
    if (!block) RaiseBadAllocation();
    return block;
  }

  void Reallocate(uint32_t capacity) {
    if (capacity == 0) {
      ReleaseBlock();
      return;
    }
    void* block = AllocatorSource().Realloc(mData, capacity);
    if (!block) RaiseBadAllocation();
    mData = static_cast<uint8_t*>(block);
    mCapacity = capacity;
  }

  void ReleaseBlock() {
    if (mData) AllocatorSource().Free(mData);
    mData = nullptr;
    mSize = 0;
    mCapacity = 0;
  }

  // Whether [offset, offset + count * unit) lies inside the size; a negative count
  // takes whole units up to the end. Sets `units` to the count to write.
  bool RangeInside(uint32_t offset, int32_t count, uint32_t unit, uint64_t& units) const {
    if (offset > mSize) return false;
    if (count < 0) {
      units = (mSize - offset) / unit;
      return true;
    }
    units = static_cast<uint64_t>(count);
    return uint64_t{offset} + units * unit <= mSize;
  }

  uint8_t* mData = nullptr;
  uint32_t mSize = 0;
  uint32_t mCapacity = 0;
};

// A reference-counted byte buffer: the character storage of both string types.
class LIBuffer : public virtual IBuffer, public virtual LRefCountedObject {
public:
  // A new zero-filled buffer of the same type and newSize bytes, holding
  // min(newSize, size - offset) bytes copied from offset (none when offset is at or
  // past the end). This buffer is not changed.
  virtual RCPtr<LIBuffer> CopyResized(uint32_t newSize, uint32_t offset) const = 0;
};

template <uint32_t Granularity, uint32_t Slack, uint32_t Alignment = 8, class DataPtr = char*>
class LBufferT final : public BufferT<Granularity, Slack, Alignment, DataPtr>, public LIBuffer {
  using Storage = BufferT<Granularity, Slack, Alignment, DataPtr>;

public:
  // A new buffer (see BufferT's constructor), with its first reference taken.
  static RCPtr<LIBuffer> Create(uint32_t size, uint32_t reserve, bool zeroFill) {
    return RCPtr<LIBuffer>(new LBufferT(size, reserve, zeroFill));
  }

  RCPtr<LIBuffer> CopyResized(uint32_t newSize, uint32_t offset) const override {
    RCPtr<LIBuffer> copy = Create(newSize, 0, true);
    if (offset < this->GetSize() && newSize > 0) {
      const uint32_t count = std::min(newSize, this->GetSize() - offset);
      std::memcpy(copy->GetData(), static_cast<const uint8_t*>(this->GetData()) + offset, count);
    }
    return copy;
  }

  RCPtr<LRefCountedObject> CreateCopy() override {
    return RCPtr<LRefCountedObject>(CopyResized(this->GetSize(), 0).Get());
  }

private:
  LBufferT(uint32_t size, uint32_t reserve, bool zeroFill) : Storage(size, reserve, zeroFill) {}
};

// The buffer types in use.
using LStringBuffer = LBufferT<1, 128>;
using LByteBuffer = LBufferT<1, 0>;

}  // namespace SV
