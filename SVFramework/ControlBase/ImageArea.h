#pragma once
#include <cstdint>

#include "SVFramework/Utilities/Storage/StringT.h"

namespace SV {

// An area of an image file; an empty path means no image. Copied by value.
struct ImageArea {
  String path;
  int32_t X = 0;
  int32_t Y = 0;
  int32_t Width = 0;
  int32_t Height = 0;

  bool HasImage() const { return !path.IsEmpty(); }
};

}  // namespace SV
