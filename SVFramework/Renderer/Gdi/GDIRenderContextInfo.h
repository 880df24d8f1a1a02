#pragma once
#include <QPainter>

#include "SVFramework/Renderer/Gdi/GDIRendererOffscreenSurface.h"
#include "SVFramework/Renderer/RenderContextInfo.h"

namespace SV {

// A render context of the raster back end: a front surface that every drawing
// operation goes to, and a back surface that scrolling swaps in. Surfaces are kept
// across frames, so only the dirty area is redrawn and only the dirty rectangles are
// presented; a new viewport size or a dirty region that is exactly the viewport remakes
// them. UI thread only.
class LGDIRenderContextInfo : public LRenderContextInfo {
public:
  static constexpr int32_t kMaxSurfaceSide = 4096;

  // Surfaces take the window's pixels per inch (96 for an offscreen context of tests).
  LGDIRenderContextInfo(const RectT<int32_t>& viewport, IWindowTarget* window, int32_t flags,
                        double dotsPerInch = 96);

  PointT<int32_t> GetMaxSurfaceSize() const override { return {kMaxSurfaceSide, kMaxSurfaceSide}; }

  // Run at each frame start: remakes the surfaces when the viewport's size changed or
  // the whole viewport is dirty.
  void Prepare();
  // Run at each frame end: a window context copies its dirty rectangles, last to
  // first and limited to the surface, to its window target; offscreen contexts are
  // never presented.
  void Present();
  void SwapSurfaces() { std::swap(mFront, mBack); }

  // The front surface's painter; null when its image could not be made.
  QPainter* GetGraphics() { return mFront->GetGraphics(); }
  LGDIRendererOffscreenSurface& GetFrontSurface() { return *mFront; }
  LGDIRendererOffscreenSurface& GetBackSurface() { return *mBack; }

private:
  bool IsWholeViewportDirty() const;
  void RemakeSurfaces();

  RCPtr<LGDIRendererOffscreenSurface> mFront;
  RCPtr<LGDIRendererOffscreenSurface> mBack;
};

}  // namespace SV
