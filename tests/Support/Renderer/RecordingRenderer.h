#pragma once
#include <string>
#include <vector>

#include "SVFramework/Renderer/Renderer.h"

namespace SV::Testing {

// A context of the recording back end.
class RecordingContext : public LRenderContextInfo {
public:
  using LRenderContextInfo::LRenderContextInfo;
  PointT<int32_t> GetMaxSurfaceSize() const override { return {4096, 4096}; }
};

// A back end that draws nothing and records what reaches the device: every clip,
// translation and stencil the base class hands down through its virtual slots.
class RecordingRenderer : public LRenderer {
public:
  struct Call {
    std::string what;
    RectT<double> clip;
    PointT<double> delta;
    const LStencil* stencil = nullptr;
  };

  std::vector<Call> calls;

  static RCPtr<LRenderContextInfo> MakeContext(int32_t flags = 0) {
    return RCPtr<LRenderContextInfo>(new RecordingContext({0, 0, 100, 100}, nullptr, flags));
  }

  SVRESULT GetFontMetrics(const RCPtr<LFont>&, int32_t&, int32_t&, int32_t&) override { return S_OK; }
  RectT<float> MeasureText(const String&, const RCPtr<LFont>&) override { return {}; }
  RendererType GetRendererType() const override { return RendererType::GdiPlus; }
  SVRESULT InitRenderContextInfo(const RectT<int32_t>& viewport, IWindowTarget* window, int32_t flags,
                                 RCPtr<LRenderContextInfo>& context) override {
    context = new RecordingContext(viewport, window, flags);
    return S_OK;
  }

  SVRESULT SetStencil(const RCPtr<LStencil>& stencil) override {
    calls.push_back({"SetStencil", {}, {}, stencil.Get()});
    return LRenderer::SetStencil(stencil);
  }
  void SetClipRect(const RectT<double>& clip) override {
    calls.push_back({"SetClipRect", clip, {}, nullptr});
    LRenderer::SetClipRect(clip);
  }
  void Translate(const PointT<double>& delta) override {
    calls.push_back({"Translate", {}, delta, nullptr});
    LRenderer::Translate(delta);
  }
  void DrawRect(const RectT<int32_t>&, const Color&, float) override { calls.push_back({"DrawRect", {}, {}, nullptr}); }
  void FillRect(const RectT<int32_t>&, const Color&, bool) override { calls.push_back({"FillRect", {}, {}, nullptr}); }

  void DrawText(const String&, const RCPtr<LFont>&, const PointT<int32_t>&, const Color&) override {}
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

}  // namespace SV::Testing
