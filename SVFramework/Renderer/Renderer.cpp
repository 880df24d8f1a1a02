#include "SVFramework/Renderer/Renderer.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <stdexcept>

#include "SVFramework/Renderer/AutoClip.h"
#include "SVFramework/Renderer/D3D9Renderer.h"
#include "SVFramework/Renderer/Gdi/GDIRendererFactory.h"

namespace SV {
namespace {

// Rounds half away from zero, keeping the whole number as a double.
double RoundToWhole(double value) { return value < 0 ? std::ceil(value - 0.5) : std::floor(value + 0.5); }

// Floors with a tolerance of one relative epsilon: a value just below a whole number
// counts as that number (2.9999999999999996 floors to 3).
double FloorWithTolerance(double value) {
  constexpr double kEpsilon = std::numeric_limits<double>::epsilon();
  return value >= 0 ? std::trunc(value + value * kEpsilon) : std::trunc(value - (value * kEpsilon + 1.0));
}

// A negative width or height is flipped by moving the origin; then every edge is
// floored to a whole pixel.
RectT<double> NormalizeAndFloor(RectT<double> rect) {
  if (rect.width < 0) {
    rect.x += rect.width;
    rect.width = -rect.width;
  }
  if (rect.height < 0) {
    rect.y += rect.height;
    rect.height = -rect.height;
  }
  const double right = FloorWithTolerance(rect.x + rect.width);
  const double bottom = FloorWithTolerance(rect.y + rect.height);
  rect.x = FloorWithTolerance(rect.x);
  rect.y = FloorWithTolerance(rect.y);
  return {rect.x, rect.y, right - rect.x, bottom - rect.y};
}

// The larger left and top, the smaller right and bottom; the size may come out zero
// or negative.
RectT<double> Intersection(const RectT<double>& a, const RectT<double>& b) {
  const double left = std::max(a.x, b.x);
  const double top = std::max(a.y, b.y);
  const double right = std::min(a.x + a.width, b.x + b.width);
  const double bottom = std::min(a.y + a.height, b.y + b.height);
  return {left, top, right - left, bottom - top};
}

LRenderer::Factory& OpenGLFactory() {
  static LRenderer::Factory factory = nullptr;
  return factory;
}

}  // namespace

void LRenderer::RegisterOpenGLFactory(Factory factory) { OpenGLFactory() = factory; }

RCPtr<LRenderer> LRenderer::Create(RendererType type, const RectT<int32_t>& viewport, IWindowTarget* window) {
  if (type == RendererType::OpenGL && OpenGLFactory() != nullptr) return OpenGLFactory()(viewport, window);
  switch (type) {
    case RendererType::GdiPlus:
      return CreateGdiRenderer(window);
    case RendererType::Direct3D9:
      return RCPtr<LRenderer>(new LD3D9Renderer);
    default:
      SV_RAISE(std::domain_error, "", "SV::LRenderer::Create");
  }
}

LRenderContextInfo* LRenderer::GetCurrentContext() const {
  const uint32_t count = mContexts.GetCount();
  return count == 0 ? nullptr : mContexts[count - 1].Get();
}

SVRESULT LRenderer::SetViewport(const RectT<int32_t>& viewport) {
  LRenderContextInfo* const context = GetCurrentContext();
  if (context == nullptr) return S_FALSE;
  context->SetViewport(viewport);
  return S_OK;
}

SVRESULT LRenderer::SetStencil(const RCPtr<LStencil>& stencil) {
  LRenderContextInfo* const context = GetCurrentContext();
  if (context == nullptr) return S_FALSE;
  context->GetState().stencil = stencil;
  return S_OK;
}

SVRESULT LRenderer::RenderStart(const RCPtr<LRenderContextInfo>& context) {
  if (!context) SV_RAISE(std::runtime_error, "Render context is NULL", "SV::LRenderer::RenderStart");
  if (mContexts.Find(context.Get()) >= 0) {
    SV_RAISE(std::runtime_error, "Render context reentered.", "SV::LRenderer::RenderStart");
  }
  mContexts.Append(context);
  return S_OK;
}

SVRESULT LRenderer::RenderFinish(const RCPtr<LRenderContextInfo>& context) {
  if (context.Get() == nullptr || context.Get() != GetCurrentContext()) {
    SV_RAISE(std::runtime_error, "RenderFinish context does not match RenderStart context",
             "SV::LRenderer::RenderFinish");
  }
  RCPtr<LRenderContextInfo> removed;
  mContexts.RemoveLast(removed);
  return S_OK;
}

void LRenderer::DrawFilledRect(const RectT<int32_t>& rect, const Color& fill, const Color& stroke, float lineWidth) {
  if (fill.alpha > 0) FillRect(rect, fill, true);
  if (stroke.alpha > 0) DrawRect(rect, stroke, lineWidth);
}

void LRenderer::PushOffset(const PointT<double>& offset) {
  LRenderContextInfo* const context = GetCurrentContext();
  if (context == nullptr || context->GetSavedStates().empty()) return;
  context->GetSavedStates().push_back(context->GetState());
  const PointT<double> delta{RoundToWhole(offset.x), RoundToWhole(offset.y)};
  Translate(delta);
  context->GetState().clip.x -= delta.x;
  context->GetState().clip.y -= delta.y;
}

void LRenderer::PushClip(const RectT<double>& rect, const RectT<double>& clip, const RCPtr<LStencil>& stencil,
                         bool relative) {
  LRenderContextInfo* const context = GetCurrentContext();
  if (context == nullptr) return;
  RenderState& state = context->GetState();
  PointT<double> origin{rect.x, rect.y};
  if (!relative) {
    origin.x -= state.offset.x;
    origin.y -= state.offset.y;
  }
  const PointT<double> delta{RoundToWhole(origin.x), RoundToWhole(origin.y)};
  context->GetSavedStates().push_back(state);
  RectT<double> newClip = relative ? Intersection(Intersection(clip, rect), state.clip) : clip;
  SetClipRect(NormalizeAndFloor(newClip));
  Translate(delta);
  // The back end took the clip in the coordinates before the move, the absolute form's
  // too; the state keeps it in the new ones, so that clips nested inside an absolute
  // one away from the current origin still cover its area.
  state.clip.x -= delta.x;
  state.clip.y -= delta.y;
  if (!stencil) return;
  if (state.stencilSet) {
    SetStencil(LStencil::Create(*stencil));
  } else {
    SetStencil(stencil);
    state.stencilSet = true;
  }
}

void LRenderer::PushState() {
  LRenderContextInfo* const context = GetCurrentContext();
  if (context == nullptr) return;
  context->GetSavedStates().push_back(context->GetState());
}

void LRenderer::PopState() {
  LRenderContextInfo* const context = GetCurrentContext();
  if (context == nullptr || context->GetSavedStates().empty()) return;
  const RenderState saved = context->GetSavedStates().back();
  context->GetSavedStates().pop_back();
  const PointT<double> current = context->GetState().offset;
  Translate({saved.offset.x - current.x, saved.offset.y - current.y});
  context->GetState().alpha = saved.alpha;
  SetClipRect(saved.clip);
  SetStencil(saved.stencil);
  context->GetState().stencilSet = saved.stencilSet;
}

void LRenderer::SetClipRect(const RectT<double>& clip) {
  LRenderContextInfo* const context = GetCurrentContext();
  if (context != nullptr) context->GetState().clip = clip;
}

void LRenderer::Translate(const PointT<double>& delta) {
  LRenderContextInfo* const context = GetCurrentContext();
  if (context == nullptr) return;
  context->GetState().offset.x += delta.x;
  context->GetState().offset.y += delta.y;
}

void RaiseUnknownClipFlavor() {
  SV_RAISE(std::runtime_error, "Unknown PushClip flavor", "SV::CAutoClip::CAutoClip");
}

}  // namespace SV
