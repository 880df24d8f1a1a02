#include "SVFramework/ControlBase/DockedPart.h"

namespace SV {

RCPtr<LDockedPart> LDockedPart::Create(const RCPtr<LVisualPartDescriptor>& part, int32_t givenOffsets,
                                       const Offsets& offsets, bool widthGiven, int32_t width, bool heightGiven,
                                       int32_t height) {
  RCPtr<LDockedPart> docked(new LDockedPart());
  docked->Part = part;
  docked->GivenOffsets = givenOffsets;
  docked->OffsetLeft = offsets.left;
  docked->OffsetTop = offsets.top;
  docked->OffsetRight = offsets.right;
  docked->OffsetBottom = offsets.bottom;
  docked->WidthGiven = widthGiven ? 1 : 0;
  docked->Width = width;
  docked->HeightGiven = heightGiven ? 1 : 0;
  docked->Height = height;
  return docked;
}

}  // namespace SV
