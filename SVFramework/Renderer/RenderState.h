#pragma once
#include "SVFramework/ObjectBase/RefCountedObject.h"
#include "SVFramework/Renderer/Stencil.h"
#include "SVFramework/Utilities/Graphics/RectT.h"
#include "SVFramework/Utilities/PointT.h"

namespace SV {

// One drawing state of a render context: the origin of the drawing coordinates in
// context coordinates, the clip in drawing coordinates (relative to the offset), the
// alpha and the stencil. Copying takes another reference to the stencil.
struct RenderState {
  // The single-precision values of -5e15 and 1e16: in practice no clip.
  static constexpr double kNoClipOrigin = -5000000136282112.0;
  static constexpr double kNoClipExtent = 10000000272564224.0;

  PointT<double> offset{0, 0};
  RectT<double> clip{kNoClipOrigin, kNoClipOrigin, kNoClipExtent, kNoClipExtent};
  float alpha = 1.0f;
  bool stencilSet = false;
  RCPtr<LStencil> stencil;
};

}  // namespace SV
