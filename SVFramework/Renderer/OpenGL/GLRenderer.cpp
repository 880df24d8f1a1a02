#include "SVFramework/Renderer/OpenGL/GLRenderer.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <stdexcept>

#include "SVFramework/Application/FrameworkApp.h"
#include "SVFramework/ObjectBase/Exception.h"
#include "SVFramework/Renderer/FontRenderer/FreetypeFontRenderer.h"
#include "SVFramework/Renderer/OpenGL/GLApi.h"
#include "SVFramework/Renderer/OpenGL/GLErrorText.h"
#include "SVFramework/Renderer/OpenGL/GLGlyphRenderer.h"
#include "SVFramework/Renderer/OpenGL/QtGLContext.h"

namespace SV {
namespace {

uint32_t Now() {
  LFrameworkApp* application = GetFrameworkApp();
  return application != nullptr ? application->GetTickCount() : 0;
}

// Rounded half away from zero, within +-2^62 (the default clip reaches about 1e16).
int64_t RoundHalfAwayToInt64(double value) {
  constexpr double kLimit = 4611686018427387904.0;
  const double rounded = value < 0 ? value - 0.5 : value + 0.5;
  return static_cast<int64_t>(std::clamp(rounded, -kLimit, kLimit));
}

GLint ToGLint(int64_t value) { return static_cast<GLint>(std::clamp<int64_t>(value, INT32_MIN, INT32_MAX)); }

LGLRenderer::PlatformContextMaker& Maker() {
  static LGLRenderer::PlatformContextMaker maker;
  return maker;
}

RCPtr<LRenderer> CreateRegistered(const RectT<int32_t>& viewport, IWindowTarget* window) {
  std::shared_ptr<IGLPlatformContext> platform =
      Maker() ? Maker()(viewport, window) : std::shared_ptr<IGLPlatformContext>(QtGLContext::Create());
  return LGLRenderer::Create(std::move(platform));
}

}  // namespace

LGLRenderer::LGLRenderer(const RCPtr<LFontRenderer>& fonts, std::shared_ptr<IGLPlatformContext> platform)
    : mFonts(fonts), mPlatform(std::move(platform)), mLastPurgeTime(Now()) {
  if (!mPlatform) SV_RAISE(std::runtime_error, GetGLErrorText("GL_ERROR_MESSAGE_CREATE_CONTEXT"), "SV::LGLRenderer::LGLRenderer");
  MakeCurrent(nullptr, "SV::LGLRenderer::LGLRenderer");
  mPlatform->DoneCurrent();
}

LGLRenderer::~LGLRenderer() {
  // Textures, lists and atlases are deleted while their context is current.
  const bool current = mPlatform && mPlatform->MakeCurrent(nullptr);
  mCaches.reset();
  mFonts.Reset();
  if (current) mPlatform->DoneCurrent();
}

RCPtr<LRenderer> LGLRenderer::Create(std::shared_ptr<IGLPlatformContext> platform) {
  const RCPtr<LGlyphProcessor> glyphs = LGLGlyphRenderer::Create();
  const RCPtr<LFontRenderer> fonts(new LFreetypeFontRenderer(glyphs, glyphs));
  return RCPtr<LRenderer>(new LGLRenderer(fonts, std::move(platform)));
}

void LGLRenderer::RegisterBackEnd(PlatformContextMaker maker) {
  Maker() = std::move(maker);
  LRenderer::RegisterOpenGLFactory(&CreateRegistered);
}

void LGLRenderer::MakeCurrent(IWindowTarget* window, const char* function) {
  if (!mPlatform->MakeCurrent(window)) SV_RAISE(std::runtime_error, FormatMakeCurrentError(*mPlatform).c_str(), function);
}

SVRESULT LGLRenderer::GetFontMetrics(const RCPtr<LFont>& font, int32_t& lineHeight, int32_t& ascent,
                                     int32_t& descent) {
  return mFonts ? mFonts->GetFontMetrics(font, lineHeight, ascent, descent) : E_FAIL;
}

RectT<float> LGLRenderer::MeasureText(const String& text, const RCPtr<LFont>& font) {
  if (!mFonts || text.IsEmpty()) return {};
  return mFonts->MeasureText(text, font);
}

SVRESULT LGLRenderer::InitRenderContextInfo(const RectT<int32_t>& viewport, IWindowTarget* window, int32_t flags,
                                            RCPtr<LRenderContextInfo>& context) {
  const RCPtr<LGLRenderContextInfo> made(new LGLRenderContextInfo(viewport, window, flags, mPlatform));
  context = made;
  MakeCurrent(window, "SV::LGLRenderer::InitRenderContextInfo");
  made->ReadMaxSurfaceSize();
  InitGLState();
  // Back to the frame in progress, if any: it goes on where it was.
  if (LRenderContextInfo* outer = GetCurrentContext()) {
    MakeCurrent(outer->GetWindow(), "SV::LGLRenderer::InitRenderContextInfo");
    static_cast<LGLRenderContextInfo*>(outer)->BindPicture();
  } else {
    mPlatform->DoneCurrent();
  }
  return S_OK;
}

void LGLRenderer::InitGLState() {
  glClearColor(0, 0, 0, 0);
  glColor4f(1, 1, 1, 1);
  glDisable(GL_LIGHTING);
  glDisable(GL_DITHER);
  glDisable(GL_DEPTH_TEST);
  glShadeModel(GL_SMOOTH);
  glDisable(GL_CULL_FACE);
  glEnable(GL_TEXTURE_2D);
  glEnable(GL_BLEND);
  glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
  glHint(GL_LINE_SMOOTH_HINT, GL_NICEST);
  glHint(GL_PERSPECTIVE_CORRECTION_HINT, GL_NICEST);
  glHint(GL_POLYGON_SMOOTH_HINT, GL_NICEST);
  glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
  glEnable(GL_ALPHA_TEST);
  glAlphaFunc(GL_GREATER, 1.0f / 255.0f);
  glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
  glEnable(GL_POINT_SMOOTH);
  glEnable(GL_LINE_SMOOTH);
  glDisable(GL_POLYGON_SMOOTH);
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  glEnable(GL_SCISSOR_TEST);
}

SVRESULT LGLRenderer::SetViewport(const RectT<int32_t>& viewport) {
  if (LRenderer::SetViewport(viewport) != S_OK) return S_FALSE;
  glViewport(viewport.x, viewport.y, viewport.width, viewport.height);
  GLint applied[4] = {};
  glGetIntegerv(GL_VIEWPORT, applied);
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  glOrtho(0, applied[2], applied[3], 0, -1, 1);
  glMatrixMode(GL_MODELVIEW);
  return S_OK;
}

SVRESULT LGLRenderer::RenderStart(const RCPtr<LRenderContextInfo>& context) {
  if (context && dynamic_cast<LGLRenderContextInfo*>(context.Get()) == nullptr) {
    SV_RAISE(std::runtime_error, "Render context of another back end", "SV::LGLRenderer::RenderStart");
  }
  LRenderer::RenderStart(context);
  if (!mPlatform->MakeCurrent(context->GetWindow())) {
    LRenderer::RenderFinish(context);
    SV_RAISE(std::runtime_error, FormatMakeCurrentError(*mPlatform).c_str(), "SV::LGLRenderer::RenderStart");
  }
  static_cast<LGLRenderContextInfo*>(context.Get())->BindPicture();
  SetViewport(context->GetViewport());
  glPushMatrix();
  SetScissor(context->GetState().clip);
  return S_OK;
}

SVRESULT LGLRenderer::RenderFinish(const RCPtr<LRenderContextInfo>& context) {
  if (context.Get() == nullptr || context.Get() != GetCurrentContext()) return LRenderer::RenderFinish(context);
  DrainGLErrors();
  SettleTexturing();
  glPopMatrix();
  if (context->IsOffscreen()) {
    glFlush();
  } else {
    static_cast<LGLRenderContextInfo*>(context.Get())->Present();
    DrainGLErrors();
  }
  LRenderer::RenderFinish(context);
  LRenderContextInfo* const outer = GetCurrentContext();
  if (outer == nullptr) {
    PurgeWhenDue();
    mPlatform->DoneCurrent();
    return S_OK;
  }
  MakeCurrent(outer->GetWindow(), "SV::LGLRenderer::RenderFinish");
  static_cast<LGLRenderContextInfo*>(outer)->BindPicture();
  SetViewport(outer->GetViewport());
  SetScissor({outer->GetState().clip.x + outer->GetState().offset.x, outer->GetState().clip.y + outer->GetState().offset.y,
              outer->GetState().clip.width, outer->GetState().clip.height});
  return S_OK;
}

void LGLRenderer::PurgeWhenDue() {
  const uint32_t now = Now();
  if (now - mLastPurgeTime <= kPurgeIntervalMs) return;
  mLastPurgeTime = now;
  PurgeCaches();
}

void LGLRenderer::SetScissor(const RectT<double>& rect) {
  LRenderContextInfo* const context = GetCurrentContext();
  if (context == nullptr) return;
  const int32_t viewWidth = context->GetViewport().width, viewHeight = context->GetViewport().height;
  int64_t x = RoundHalfAwayToInt64(rect.x), y = RoundHalfAwayToInt64(viewHeight - (rect.y + rect.height));
  int64_t width = RoundHalfAwayToInt64(rect.width), height = RoundHalfAwayToInt64(rect.height);
  if (x < 0) width += x, x = 0;
  if (y < 0) height += y, y = 0;
  if (width <= 0 || height <= 0) {
    glScissor(viewWidth, 0, 1, 1);
  } else {
    glScissor(ToGLint(x), ToGLint(y), ToGLint(width), ToGLint(height));
  }
}

void LGLRenderer::SetClipRect(const RectT<double>& clip) {
  LRenderer::SetClipRect(clip);
  LRenderContextInfo* const context = GetCurrentContext();
  if (context == nullptr) return;
  const PointT<double>& offset = context->GetState().offset;
  SetScissor({clip.x + offset.x, clip.y + offset.y, clip.width, clip.height});
}

void LGLRenderer::Translate(const PointT<double>& delta) {
  LRenderer::Translate(delta);
  if (GetCurrentContext() == nullptr || (delta.x == 0 && delta.y == 0)) return;
  glTranslatef(static_cast<float>(delta.x), static_cast<float>(delta.y), 0);
}

}  // namespace SV
