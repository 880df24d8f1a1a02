#pragma once
#include "SVFramework/Renderer/PolylineT.h"

namespace SV {

// Fills any outline through the process's one GLU tessellator, which splits it into
// triangles, fans and strips issued straight to OpenGL (or into the display list being
// recorded). The outline is one contour closed back to its first point, filled by the
// odd winding rule; a self-crossing outline fills nothing (no combine step). The
// tessellator and its vertex buffer are shared and unlocked: UI thread only, not
// re-entrant, with the renderer's context current.
class CGLPolygon {
public:
  CGLPolygon();
  virtual ~CGLPolygon() = default;

  void Tessellate(const PolylineT<float>& polyline);

  // The doubles the shared vertex buffer holds: it grows to 3 per point and never shrinks.
  static size_t GetVertexBufferSize();
};

}  // namespace SV
