#pragma once
#include <cstdint>

#include "SVFramework/ControlBase/VisualPartDescriptor.h"
#include "SVFramework/ObjectBase/RefCountedObject.h"

namespace SV {

// A part placed inside a look: which of its four offsets are given (bits below), the
// offsets, and an optional fixed width and height. A client part gives all four
// offsets and no size. Immutable after loading; shared freely.
class LDockedPart : public virtual LRefCountedObject {
public:
  static constexpr int32_t kLeftGiven = 0x1;
  static constexpr int32_t kTopGiven = 0x2;
  static constexpr int32_t kRightGiven = 0x4;
  static constexpr int32_t kBottomGiven = 0x8;
  static constexpr int32_t kAllOffsetsGiven = 0xF;

  struct Offsets {
    int32_t left = 0;
    int32_t top = 0;
    int32_t right = 0;
    int32_t bottom = 0;
  };

  static RCPtr<LDockedPart> Create(const RCPtr<LVisualPartDescriptor>& part, int32_t givenOffsets,
                                   const Offsets& offsets, bool widthGiven, int32_t width, bool heightGiven,
                                   int32_t height);
  // The part descriptor's drawable part; null without one.
  RCPtr<LVisualPart> GetVisualPart() const { return Part ? Part->GetVisualPart() : nullptr; }

  RCPtr<LVisualPartDescriptor> Part;
  int32_t GivenOffsets = 0;
  int32_t OffsetLeft = 0;
  int32_t OffsetTop = 0;
  int32_t OffsetRight = 0;
  int32_t OffsetBottom = 0;
  int32_t WidthGiven = 0;
  int32_t Width = 0;
  int32_t HeightGiven = 0;
  int32_t Height = 0;

protected:
  LDockedPart() = default;
};

}  // namespace SV
