#pragma once
#include "SVFramework/Renderer/Renderer.h"

namespace SV {

// The context of the Direct3D 9 back end; it can make no surface (0 x 0).
class LD3D9RenderContextInfo : public LRenderContextInfo {
public:
  using LRenderContextInfo::LRenderContextInfo;
  PointT<int32_t> GetMaxSurfaceSize() const override { return {0, 0}; }
};

// The back end of code 2: it makes contexts and answers every operation but draws and
// measures nothing. RenderStart and RenderFinish leave the context stack alone, so the
// state operations find no started context and do nothing. UI thread only.
class LD3D9Renderer : public LRenderer {
public:
  SVRESULT GetFontMetrics(const RCPtr<LFont>&, int32_t&, int32_t&, int32_t&) override { return S_OK; }
  RectT<float> MeasureText(const String&, const RCPtr<LFont>&) override { return {}; }
  RendererType GetRendererType() const override { return RendererType::Direct3D9; }
  SVRESULT InitRenderContextInfo(const RectT<int32_t>& viewport, IWindowTarget* window, int32_t flags,
                                 RCPtr<LRenderContextInfo>& context) override;

  SVRESULT RenderStart(const RCPtr<LRenderContextInfo>&) override { return S_OK; }
  SVRESULT RenderFinish(const RCPtr<LRenderContextInfo>&) override { return S_OK; }

  void DrawText(const String&, const RCPtr<LFont>&, const PointT<int32_t>&, const Color&) override {}
  void DrawRect(const RectT<int32_t>&, const Color&, float) override {}
  void FillRect(const RectT<int32_t>&, const Color&, bool) override {}
  void FillColorRectList(const ColorRectListT<float>&, const PointT<double>&, bool) override {}
  void DrawLine(const PointT<float>&, const PointT<float>&, const Color&, float) override {}
  void DrawLineSegments(const PolylineT<float>&, const Color&, const PointT<float>&, const PointT<float>&,
                        bool) override {}
  void DrawPolyline(const PolylineT<float>&, const Color&, const PointT<float>&, const PointT<float>&, bool) override {}
  void DrawPolygon(const PolylineT<float>&, const Color&, const PointT<float>&, const PointT<float>&, bool) override {}
  void FillPolygon(const PolylineT<float>&, const Color&, const PointT<float>&, const PointT<float>&, bool) override {}
  void DrawBitmap(const RCPtr<LBitmap>&, const RectT<int32_t>&, ResizeType) override {}
  SVRESULT DrawRenderContext(const RCPtr<LRenderContextInfo>&, const PointT<int32_t>&,
                             const RectT<int32_t>&) override {
    return E_NOTIMPL;
  }
  SVRESULT ScrollRenderContext(const RCPtr<LRenderContextInfo>&, const PointT<int32_t>&) override {
    return E_NOTIMPL;
  }
};

}  // namespace SV
