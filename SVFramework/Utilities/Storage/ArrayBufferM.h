#pragma once
#include <cstdint>
#include <cstring>

#include "SVFramework/Utilities/Storage/ArrayBuffer.h"

namespace SV {

// An ArrayBuffer that keeps up to InlineCount elements inside the object and uses its
// buffer only above that: growing past InlineCount moves the elements into the
// buffer, shrinking back to InlineCount or fewer moves them inside again and releases
// the buffer. Not locked: one thread at a time.
template <class E, uint32_t InlineCount, uint32_t Growth, uint32_t Slack, uint32_t ClearNewElements = 1,
          uint32_t Alignment = 8, IAllocator& (*AllocatorSource)() = GetSystemAllocator>
class ArrayBufferM : public ArrayBuffer<E, Growth, Slack, ClearNewElements, Alignment, AllocatorSource> {
  using Base = ArrayBuffer<E, Growth, Slack, ClearNewElements, Alignment, AllocatorSource>;
  static_assert(InlineCount > 0);

public:
  ArrayBufferM() = default;

  uint32_t GetCount() const override { return mInlineCount ? mInlineCount : Base::GetCount(); }
  E* GetData() override { return mInlineCount ? mInline : Base::GetData(); }
  const E* GetData() const override { return mInlineCount ? mInline : Base::GetData(); }
  // Whether the elements live inside the object (false when there are none).
  bool IsInline() const { return mInlineCount != 0; }

  uint32_t Resize(uint32_t count) override {
    const uint32_t before = GetCount();
    if (count <= InlineCount && before <= InlineCount) {
      mInlineCount = count;
    } else if (before <= InlineCount) {
      MoveIntoBuffer(before, count);
    } else if (count <= InlineCount) {
      MoveInside(count);
    } else {
      this->GetStorage().SetSize(Base::Bytes(count));
    }
    return count;
  }

private:
  void MoveIntoBuffer(uint32_t kept, uint32_t count) {
    this->GetStorage().Allocate(Base::Bytes(count));
    std::memcpy(this->GetStorage().Data(), mInline, size_t{kept} * sizeof(E));
    mInlineCount = 0;
  }

  void MoveInside(uint32_t count) {
    std::memcpy(mInline, this->GetStorage().Data(), size_t{count} * sizeof(E));
    mInlineCount = count;
    this->GetStorage().Allocate(0);
  }

  E mInline[InlineCount] = {};
  // Nonzero exactly when the elements live in mInline.
  uint32_t mInlineCount = 0;
};

}  // namespace SV
