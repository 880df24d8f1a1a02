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
// and stencil the base class hands down through its virtual slots, and drawing: rects,
// bitmaps and text with the origin and alpha of the drawing state they were drawn in.
class RecordingRenderer : public LD3D9Renderer {
public:
  struct Call {
    std::string what;
    RectT<double> clip{};
    PointT<double> delta{};
    const LStencil* stencil = nullptr;
    RectT<int32_t> rect{};
    PointT<double> origin{};
    float alpha = 1.0f;
    String text{};
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
    calls.push_back(Call{.what = "SetStencil", .stencil = stencil.Get()});
    return LRenderer::SetStencil(stencil);
  }
  void SetClipRect(const RectT<double>& clip) override {
    calls.push_back(Call{.what = "SetClipRect", .clip = clip});
    LRenderer::SetClipRect(clip);
  }
  void Translate(const PointT<double>& delta) override {
    calls.push_back(Call{.what = "Translate", .delta = delta});
    LRenderer::Translate(delta);
  }
  void DrawRect(const RectT<int32_t>& rect, const Color&, float) override { RecordDrawing("DrawRect", rect); }
  void FillRect(const RectT<int32_t>& rect, const Color&, bool) override { RecordDrawing("FillRect", rect); }
  void DrawBitmap(const RCPtr<LBitmap>&, const RectT<int32_t>& target, ResizeType) override {
    RecordDrawing("DrawBitmap", target);
  }
  void DrawText(const String& text, const RCPtr<LFont>&, const PointT<int32_t>& position, const Color&) override {
    RecordDrawing("DrawText", {position.x, position.y, 0, 0}, text);
  }
  // Records a mark of the caller's (a control's content hook, say) in the same way.
  void Mark(const std::string& what) { RecordDrawing(what, {}); }

  // The drawing calls only, in order.
  std::vector<Call> Drawings() const {
    std::vector<Call> drawings;
    for (const Call& call : calls)
      if (call.what != "SetClipRect" && call.what != "Translate" && call.what != "SetStencil") drawings.push_back(call);
    return drawings;
  }

private:
  void RecordDrawing(const std::string& what, const RectT<int32_t>& rect, const String& text = {}) {
    Call call{.what = what, .rect = rect, .text = text};
    if (const LRenderContextInfo* context = GetCurrentContext()) {
      call.origin = context->GetState().offset;
      call.alpha = context->GetState().alpha;
      call.clip = context->GetState().clip;
    }
    calls.push_back(call);
  }
};

}  // namespace SV::Testing
