#pragma once
#include <cstdint>
#include <functional>
#include <memory>

#include "SVFramework/Renderer/FontRenderer/FontRenderer.h"
#include "SVFramework/Renderer/OpenGL/GLCaches.h"
#include "SVFramework/Renderer/OpenGL/GLPlatformContext.h"
#include "SVFramework/Renderer/OpenGL/GLRenderContextInfo.h"
#include "SVFramework/Renderer/Renderer.h"

namespace SV {

// The OpenGL back end (code 0): one OpenGL context per renderer, shared by its render
// contexts, drawing with OpenGL 1.x under a top-left projection of one unit per pixel;
// the state's offset is the modelview translation, its clip the scissor box; its alpha
// is not applied. Text comes from the font renderer. The context is made current at
// the set-up of each render context and at every frame start (and again on the outer
// context when a nested frame finishes); a refusal raises the runtime error with the
// "make context current" text. Caches are purged at the end of the outermost frame
// once five minutes have passed on the application clock. UI thread only.
class LGLRenderer : public LRenderer {
public:
  using PlatformContextMaker =
      std::function<std::shared_ptr<IGLPlatformContext>(const RectT<int32_t>& viewport, IWindowTarget* window)>;

  static constexpr uint32_t kPurgeIntervalMs = 300000;

  // Raises the runtime error when the context cannot be made current on its set-up surface.
  LGLRenderer(const RCPtr<LFontRenderer>& fonts, std::shared_ptr<IGLPlatformContext> platform);
  ~LGLRenderer() override;

  // A renderer with a glyph renderer and a FreeType font renderer of its own, on the
  // platform context (null raises the runtime error).
  static RCPtr<LRenderer> Create(std::shared_ptr<IGLPlatformContext> platform);
  // Lets LRenderer::Create make OpenGL renderers, on contexts the maker gives (Qt's
  // for windows, when no maker is given).
  static void RegisterBackEnd(PlatformContextMaker maker = nullptr);

  SVRESULT GetFontMetrics(const RCPtr<LFont>& font, int32_t& lineHeight, int32_t& ascent, int32_t& descent) override;
  RectT<float> MeasureText(const String& text, const RCPtr<LFont>& font) override;
  RendererType GetRendererType() const override { return RendererType::OpenGL; }
  SVRESULT InitRenderContextInfo(const RectT<int32_t>& viewport, IWindowTarget* window, int32_t flags,
                                 RCPtr<LRenderContextInfo>& context) override;
  SVRESULT SetViewport(const RectT<int32_t>& viewport) override;
  SVRESULT RenderStart(const RCPtr<LRenderContextInfo>& context) override;
  SVRESULT RenderFinish(const RCPtr<LRenderContextInfo>& context) override;

  void DrawText(const String& text, const RCPtr<LFont>& font, const PointT<int32_t>& position,
                const Color& color) override;
  void DrawRect(const RectT<int32_t>& rect, const Color& color, float lineWidth) override;
  void FillRect(const RectT<int32_t>& rect, const Color& color, bool blend) override;
  void FillColorRectList(const ColorRectListT<float>& list, const PointT<double>& offset, bool cache) override;
  void DrawLine(const PointT<float>& from, const PointT<float>& to, const Color& color, float lineWidth) override;
  void DrawLineSegments(const PolylineT<float>& polyline, const Color& color, const PointT<float>& offset,
                        const PointT<float>& scale, bool keep) override;
  void DrawPolyline(const PolylineT<float>& polyline, const Color& color, const PointT<float>& offset,
                    const PointT<float>& scale, bool keep) override;
  void DrawPolygon(const PolylineT<float>& polyline, const Color& color, const PointT<float>& offset,
                   const PointT<float>& scale, bool keep) override;
  void FillPolygon(const PolylineT<float>& polyline, const Color& color, const PointT<float>& offset,
                   const PointT<float>& scale, bool keep) override;
  // Raises for a null bitmap and an unknown resize type; a tile of an empty area draws nothing.
  void DrawBitmap(const RCPtr<LBitmap>& bitmap, const RectT<int32_t>& target, ResizeType resize) override;
  // E_INVALIDARG for a missing, window or foreign context; E_NOTIMPL for an offscreen
  // OpenGL context, which holds no picture to draw or scroll.
  SVRESULT DrawRenderContext(const RCPtr<LRenderContextInfo>& source, const PointT<int32_t>& position,
                             const RectT<int32_t>& area) override;
  SVRESULT ScrollRenderContext(const RCPtr<LRenderContextInfo>& context, const PointT<int32_t>& offset) override;

  void SetClipRect(const RectT<double>& clip) override;
  void Translate(const PointT<double>& delta) override;

  // The scissor box of a rectangle in context coordinates (y flipped to OpenGL's).
  void SetScissor(const RectT<double>& rect);
  void InitGLState();
  void PurgeCaches() { mCaches->Purge(); }

  const GLCaches& GetCaches() const { return *mCaches; }
  const RCPtr<LFontRenderer>& GetFontRenderer() const { return mFonts; }
  IGLPlatformContext& GetPlatformContext() const { return *mPlatform; }
  uint32_t GetLastPurgeTime() const { return mLastPurgeTime; }

private:
  enum class PolylineKind { Segments, OpenLine, Outline, Fill };

  void MakeCurrent(IWindowTarget* window, const char* function);
  void PurgeWhenDue();
  void DrawPolylineKind(const PolylineT<float>& polyline, const Color& color, const PointT<float>& offset,
                        const PointT<float>& scale, bool keep, PolylineKind kind);
  void IssuePolyline(const PolylineT<float>& polyline, PolylineKind kind);
  GLCaches::PolylineListCache& OwnCache(PolylineKind kind);
  GLCaches::PolylineListCache* PartnerCache(PolylineKind kind);
  void IssueColorRects(const ColorRectListT<float>& list);
  LGLTexture& TextureOf(const RCPtr<LBitmap>& bitmap);

  RCPtr<LFontRenderer> mFonts;
  std::shared_ptr<IGLPlatformContext> mPlatform;
  uint32_t mLastPurgeTime = 0;
  std::unique_ptr<GLCaches> mCaches = std::make_unique<GLCaches>();
};

}  // namespace SV
