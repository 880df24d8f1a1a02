#pragma once
#include <cstdint>

#include "SVFramework/Utilities/Graphics/PixelBuffer.h"
#include "SVFramework/Utilities/Graphics/RectT.h"

namespace SV {

// The OS window a window render context presents into. The back end draws a frame
// into a surface of its own and, at the end of the frame, hands over only the dirty
// rectangles: BeginPresent, one CopyArea per rectangle, EndPresent. Surface pixels are
// premultiplied 0xAARRGGBB words. Called on the UI thread only.
class IWindowTarget {
public:
  virtual ~IWindowTarget() = default;

  virtual void BeginPresent() = 0;
  // Copies `area` of the surface to the same position in the window.
  virtual void CopyArea(const IPixelBuffer<uint32_t>& surface, const RectT<int32_t>& area) = 0;
  // Makes what was copied since BeginPresent visible.
  virtual void EndPresent() = 0;
};

}  // namespace SV
