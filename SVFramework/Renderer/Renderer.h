#pragma once
#include <cstdint>

#include "SVFramework/ControlBase/ResizeType.h"
#include "SVFramework/ObjectBase/RefCountedObject.h"
#include "SVFramework/Renderer/ColorRectListT.h"
#include "SVFramework/Renderer/MeasurementRenderer.h"
#include "SVFramework/Renderer/PolylineT.h"
#include "SVFramework/Renderer/RenderContextInfo.h"
#include "SVFramework/Renderer/RendererType.h"
#include "SVFramework/Utilities/Storage/RCPtrArray.h"
#include "SVFramework/Utilities/Graphics/Color.h"

namespace SV {

class LBitmap;

// The renderer every control draws through. A paint starts a render context
// (RenderStart), draws, and finishes it (RenderFinish); contexts nest, the last
// started is the current one. While a context is started, its stack of drawing
// states (offset, clip, alpha, stencil) is pushed and popped, usually through
// CAutoClip. This class keeps the context stack and the state stack; back ends draw.
// State operations with no started context do nothing. UI thread only.
class LRenderer : public LMeasurementRenderer {
public:
  // A renderer of the back end: GdiPlus (drawn with QPainter), Direct3D9 (draws
  // nothing) or OpenGL once a program has registered that back end (it lives in a
  // library of its own). Raises the domain error for any other code.
  static RCPtr<LRenderer> Create(RendererType type, const RectT<int32_t>& viewport, IWindowTarget* window);
  using Factory = RCPtr<LRenderer> (*)(const RectT<int32_t>& viewport, IWindowTarget* window);
  // Makes Create of the OpenGL code use the factory (null: the code is refused again).
  static void RegisterOpenGLFactory(Factory factory);

  virtual RendererType GetRendererType() const = 0;
  virtual SVRESULT InitRenderContextInfo(const RectT<int32_t>& viewport, IWindowTarget* window, int32_t flags,
                                         RCPtr<LRenderContextInfo>& context) = 0;

  // Store into the current context: 0, or 1 (nothing done) with none started.
  virtual SVRESULT SetViewport(const RectT<int32_t>& viewport);
  virtual SVRESULT SetStencil(const RCPtr<LStencil>& stencil);

  // Raise the runtime error for a null or already started context, and for a finish of
  // a context that is not the current one; the stack is then unchanged.
  virtual SVRESULT RenderStart(const RCPtr<LRenderContextInfo>& context);
  virtual SVRESULT RenderFinish(const RCPtr<LRenderContextInfo>& context);

  virtual void DrawText(const String& text, const RCPtr<LFont>& font, const PointT<int32_t>& position,
                        const Color& color) = 0;
  virtual void DrawRect(const RectT<int32_t>& rect, const Color& color, float lineWidth) = 0;
  virtual void FillRect(const RectT<int32_t>& rect, const Color& color, bool blend) = 0;
  // Fills when the fill is not fully transparent, then outlines when the stroke is not.
  virtual void DrawFilledRect(const RectT<int32_t>& rect, const Color& fill, const Color& stroke, float lineWidth);
  virtual void FillColorRectList(const ColorRectListT<float>& list, const PointT<double>& offset, bool cache) = 0;
  virtual void DrawLine(const PointT<float>& from, const PointT<float>& to, const Color& color, float lineWidth) = 0;
  virtual void DrawLineSegments(const PolylineT<float>& polyline, const Color& color, const PointT<float>& offset,
                                const PointT<float>& scale, bool keep) = 0;
  virtual void DrawPolyline(const PolylineT<float>& polyline, const Color& color, const PointT<float>& offset,
                            const PointT<float>& scale, bool keep) = 0;
  virtual void DrawPolygon(const PolylineT<float>& polyline, const Color& color, const PointT<float>& offset,
                           const PointT<float>& scale, bool keep) = 0;
  virtual void FillPolygon(const PolylineT<float>& polyline, const Color& color, const PointT<float>& offset,
                           const PointT<float>& scale, bool keep) = 0;
  virtual void DrawBitmap(const RCPtr<LBitmap>& bitmap, const RectT<int32_t>& target, ResizeType resize) = 0;
  virtual SVRESULT DrawRenderContext(const RCPtr<LRenderContextInfo>& source, const PointT<int32_t>& position,
                                     const RectT<int32_t>& area) = 0;
  virtual SVRESULT ScrollRenderContext(const RCPtr<LRenderContextInfo>& context, const PointT<int32_t>& offset) = 0;

  // Saves the state and moves the origin by the offset rounded to whole pixels; does
  // nothing unless a state has been saved already (it is used inside a pushed clip).
  virtual void PushOffset(const PointT<double>& offset);
  // Saves the state, moves the origin to the rectangle's (relative: from the current
  // origin; absolute: in context coordinates) and sets the clip: relative, the clip
  // intersected with the rectangle and the current clip; absolute, the clip as given.
  virtual void PushClip(const RectT<double>& rect, const RectT<double>& clip, const RCPtr<LStencil>& stencil,
                        bool relative);
  virtual void PushState();
  // Restores the most recently saved state; nothing when none is saved.
  virtual void PopState();
  virtual void SetClipRect(const RectT<double>& clip);
  virtual void Translate(const PointT<double>& delta);

  // The current (most recently started) context, null when none is started.
  LRenderContextInfo* GetCurrentContext() const;
  uint32_t GetStartedContextCount() const { return mContexts.GetCount(); }

private:
  RCPtrArray<LRenderContextInfo> mContexts;
};

}  // namespace SV
