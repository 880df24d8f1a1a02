// The editor-sized frame drawn through the OpenGL back end (on an EGL pbuffer, Mesa's
// software rasteriser), through the raster back end and with bare QPainter in the same
// run, with the ratios; and the glyph atlas: 10,000 characters measured and drawn by a
// glyph renderer that holds none of them yet, and again from its atlas. The OpenGL
// frame is timed until the rasteriser has finished it (glFinish).
#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <QImage>
#include <QPainter>

#include <cstdlib>
#include <memory>

#include "BenchmarkGoal.h"
#include "EditorFrame.h"
#include "RateReporter.h"
#include "SVFramework/Renderer/FontRenderer/FreetypeFontRenderer.h"
#include "SVFramework/Renderer/OpenGL/EGLPbufferContext.h"
#include "SVFramework/Renderer/OpenGL/GLApi.h"
#include "SVFramework/Renderer/OpenGL/GLGlyphRenderer.h"
#include "SVFramework/Renderer/OpenGL/GLRenderer.h"
#include "tests/Support/Renderer/StandInApplication.h"

namespace {

using namespace SV;
using EditorFrame::kHeight;
using EditorFrame::kWidth;

// The application's services: a clock that stands still and the system font.
Testing::StandInApplication& Application() {
  static Testing::StandInApplication* const application = new Testing::StandInApplication;
  return *application;
}

struct GLWindow {
  GLWindow() {
    platform = std::shared_ptr<EGLPbufferContext>(EGLPbufferContext::Create(kWidth, kHeight).release());
    if (!platform) return;
    renderer = LGLRenderer::Create(platform);
    renderer->InitRenderContextInfo({0, 0, kWidth, kHeight}, nullptr, 0, context);
  }
  // Waits until the rasteriser has finished what was drawn.
  void Finish() {
    platform->MakeCurrent(nullptr);
    glFinish();
    platform->DoneCurrent();
  }
  std::shared_ptr<EGLPbufferContext> platform;
  RCPtr<LRenderer> renderer;
  RCPtr<LRenderContextInfo> context;
};

void PaintFrame(const RCPtr<LRenderer>& renderer, const RCPtr<LRenderContextInfo>& context) {
  context->GetDirtyRegion().Clear();
  context->GetDirtyRegion().AddRect({0, 0, kWidth, kHeight});
  renderer->RenderStart(context);
  {
    CAutoClip root(renderer, RectT<double>{0, 0, kWidth, kHeight}, RectT<double>{0, 0, kWidth, kHeight}, nullptr,
                   false);
    EditorFrame::DrawScene(renderer, context->GetDirtyRegion());
  }
  renderer->RenderFinish(context);
}

void FullRepaint_GL(benchmark::State& state) {
  GLWindow window;
  if (!window.renderer) return state.SkipWithError("no EGL surfaceless OpenGL context");
  Application().renderer = window.renderer;
  PaintFrame(window.renderer, window.context);
  for (auto _ : state) {
    PaintFrame(window.renderer, window.context);
    window.Finish();
  }
  Application().renderer.Reset();
  state.SetItemsProcessed(state.iterations());
}

void FullRepaint_Raster(benchmark::State& state) {
  EditorFrame::BackingStoreTarget target;
  const RCPtr<LRenderer> renderer = LRenderer::Create(RendererType::GdiPlus, {0, 0, kWidth, kHeight}, &target);
  RCPtr<LRenderContextInfo> context;
  renderer->InitRenderContextInfo({0, 0, kWidth, kHeight}, &target, 0, context);
  Application().renderer = renderer;
  PaintFrame(renderer, context);
  for (auto _ : state) PaintFrame(renderer, context);
  Application().renderer.Reset();
  state.SetItemsProcessed(state.iterations());
}

void FullRepaint_Qt(benchmark::State& state) { EditorFrame::FullRepaintWithQPainter(state); }

// 100 lines of 100 printable characters.
const String& TenThousandCharacters() {
  static const String text = [] {
    std::u16string characters;
    for (int i = 0; i < 100; ++i) characters += static_cast<char16_t>(u'!' + (i * 7) % 94);
    return String(characters.c_str());
  }();
  return text;
}

// Measures and draws the 10,000 characters through the font renderer in one frame.
void MeasureAndDraw(GLWindow& window, const RCPtr<LFontRenderer>& fonts, const RCPtr<LFont>& font) {
  window.renderer->RenderStart(window.context);
  for (int line = 0; line < 100; ++line) {
    benchmark::DoNotOptimize(fonts->MeasureText(TenThousandCharacters(), font));
    glPushMatrix();
    glTranslatef(0, static_cast<float>(line * 6), 0);
    fonts->RenderText(TenThousandCharacters(), font, fonts->GetProcessor(), 0, 0, LGlyphProcessor::kDrawPass);
    glPopMatrix();
  }
  window.renderer->RenderFinish(window.context);
  window.Finish();
}

void GlyphAtlas(benchmark::State& state, bool cached) {
  GLWindow window;
  if (!window.renderer) return state.SkipWithError("no EGL surfaceless OpenGL context");
  Application().renderer = window.renderer;
  const RCPtr<LFont> font = LFont::GetFont(u"DejaVu Sans", 9, 0);
  RCPtr<LGlyphProcessor> glyphs = LGLGlyphRenderer::Create();
  RCPtr<LFontRenderer> fonts(new LFreetypeFontRenderer(glyphs, glyphs));
  MeasureAndDraw(window, fonts, font);
  for (auto _ : state) {
    if (!cached) {
      state.PauseTiming();
      window.platform->MakeCurrent(nullptr);
      glyphs = LGLGlyphRenderer::Create();
      fonts = new LFreetypeFontRenderer(glyphs, glyphs);
      window.platform->DoneCurrent();
      state.ResumeTiming();
    }
    MeasureAndDraw(window, fonts, font);
  }
  window.platform->MakeCurrent(nullptr);
  fonts.Reset();
  glyphs.Reset();
  Application().renderer.Reset();
  state.SetItemsProcessed(state.iterations() * 10000);
}

void GlyphAtlas_First(benchmark::State& state) { GlyphAtlas(state, false); }
void GlyphAtlas_Cached(benchmark::State& state) { GlyphAtlas(state, true); }

BENCHMARK(FullRepaint_GL)->UseRealTime()->Unit(benchmark::kMicrosecond);
BENCHMARK(FullRepaint_Raster)->UseRealTime()->Unit(benchmark::kMicrosecond);
BENCHMARK(FullRepaint_Qt)->UseRealTime()->Unit(benchmark::kMicrosecond);
BENCHMARK(GlyphAtlas_First)->UseRealTime()->Unit(benchmark::kMicrosecond);
BENCHMARK(GlyphAtlas_Cached)->UseRealTime()->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  setenv("QT_FONT_DPI", "96", 0);
  QGuiApplication application(argc, argv);
  Application();
  const auto summarise = [](::Bench::BenchmarkGoal& goal, const SV::Bench::RateReporter& reporter) {
    goal.Figure("full repaint, OpenGL", reporter.Time("FullRepaint_GL/real_time"), " us");
    goal.Figure("full repaint, raster", reporter.Time("FullRepaint_Raster/real_time"), " us");
    goal.Figure("full repaint, bare QPainter", reporter.Time("FullRepaint_Qt/real_time"), " us");
    goal.Figure("full repaint, OpenGL / raster",
                reporter.TimeRatio("FullRepaint_GL/real_time", "FullRepaint_Raster/real_time"), "");
    goal.Figure("full repaint, OpenGL / bare QPainter",
                reporter.TimeRatio("FullRepaint_GL/real_time", "FullRepaint_Qt/real_time"), "");
    goal.Figure("full repaint, raster / bare QPainter",
                reporter.TimeRatio("FullRepaint_Raster/real_time", "FullRepaint_Qt/real_time"), "");
    goal.Figure("10,000 characters, first time", reporter.Time("GlyphAtlas_First/real_time"), " us");
    goal.Figure("10,000 characters, from the atlas", reporter.Time("GlyphAtlas_Cached/real_time"), " us");
    goal.AtLeast("10,000 characters, first time / from the atlas",
                 reporter.TimeRatio("GlyphAtlas_First/real_time", "GlyphAtlas_Cached/real_time"), 1.0, "");
  };
  return SV::Bench::RunBenchmarks(argc, argv, "OpenGLRendererBench", summarise);
}
