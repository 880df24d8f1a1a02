#pragma once
#include <string>
#include <vector>

#include "SVFramework/Renderer/D3D9Renderer.h"

namespace SV::Testing {

// A context of the recording back end.
class RecordingContext : public LRenderContextInfo {
public:
  using LRenderContextInfo::LRenderContextInfo;
  PointT<int32_t> GetMaxSurfaceSize() const override { return {4096, 4096}; }
};

// A back end that draws nothing (the empty back end's operations) but keeps the base
// class's context stack, and records what reaches the device: every clip, translation
// and stencil the base class hands down through its virtual slots, and rect drawing.
class RecordingRenderer : public LD3D9Renderer {
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

  SVRESULT InitRenderContextInfo(const RectT<int32_t>& viewport, IWindowTarget* window, int32_t flags,
                                 RCPtr<LRenderContextInfo>& context) override {
    context = new RecordingContext(viewport, window, flags);
    return S_OK;
  }
  SVRESULT RenderStart(const RCPtr<LRenderContextInfo>& context) override { return LRenderer::RenderStart(context); }
  SVRESULT RenderFinish(const RCPtr<LRenderContextInfo>& context) override { return LRenderer::RenderFinish(context); }

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
};

}  // namespace SV::Testing
