#pragma once
#include <algorithm>

#include "SVFramework/ControlBase/LookDescriptor.h"
#include "SVFramework/Utilities/Graphics/RectT.h"

namespace SV {

// Where a look puts its label text in a control of `width` x `height`: each edge the
// Rel of the size plus the Abs, in single precision, with the size and the text
// rectangle's width and height held within plus or minus 2^23. Any thread.
inline RectT<float> LookTextRect(const LookTextProperties& text, double width, double height) {
  constexpr float kLimit = 8388608.0f;
  const float w = static_cast<float>(std::clamp(width, -8388608.0, 8388608.0));
  const float h = static_cast<float>(std::clamp(height, -8388608.0, 8388608.0));
  const float left = text.TextLeftRel * w + static_cast<float>(text.TextLeftAbs);
  const float top = text.TextTopRel * h + static_cast<float>(text.TextTopAbs);
  const float right = text.TextRightRel * w + static_cast<float>(text.TextRightAbs);
  const float bottom = text.TextBottomRel * h + static_cast<float>(text.TextBottomAbs);
  return {left, top, std::clamp(right - left, -kLimit, kLimit), std::clamp(bottom - top, -kLimit, kLimit)};
}

}  // namespace SV
