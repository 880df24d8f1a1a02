// The editor-sized frame (900 x 600: a tiled background, 40 stretched and centred skin
// parts, 60 short texts, 10 clipped children) drawn through our raster renderer into
// its surface and presented to a window target, against the same scene drawn with bare
// QPainter on a QImage; a dirty-rectangle repaint of one small control; a named-bitmap
// cache hit; colorizing a 256 x 256 part. Prints the ratios at the end (goals: full
// repaint at most 1.5 x bare QPainter, dirty repaint at least 20 x faster than full).
#include <benchmark/benchmark.h>

#include <QBuffer>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "BenchmarkGoal.h"
#include "EditorFrame.h"
#include "RateReporter.h"
#include "SVFramework/Renderer/AutoClip.h"
#include "SVFramework/Renderer/Gdi/QImagePixels.h"
#include "SVFramework/Renderer/Renderer.h"
#include "SVFramework/Utilities/Graphics/Bitmap.h"
#include "SVFramework/Utilities/Graphics/Font.h"

namespace {

using namespace SV;
using EditorFrame::kHeight;
using EditorFrame::kWidth;
using EditorFrame::BackingStoreTarget;
using EditorFrame::DrawScene;

void Repaint(benchmark::State& state, const EdgeRect& dirtyRect) {
  BackingStoreTarget window;
  const RCPtr<LRenderer> renderer = LRenderer::Create(RendererType::GdiPlus, {0, 0, kWidth, kHeight}, &window);
  RCPtr<LRenderContextInfo> context;
  renderer->InitRenderContextInfo({0, 0, kWidth, kHeight}, &window, 0, context);
  const RectT<double> dirtyArea{double(dirtyRect.left), double(dirtyRect.top), double(dirtyRect.right - dirtyRect.left),
                                double(dirtyRect.bottom - dirtyRect.top)};
  const auto paintFrame = [&] {
    context->GetDirtyRegion().Clear();
    context->GetDirtyRegion().AddRect(dirtyRect);
    renderer->RenderStart(context);
    {
      CAutoClip root(renderer, RectT<double>{0, 0, kWidth, kHeight}, dirtyArea, nullptr, false);
      DrawScene(renderer, context->GetDirtyRegion());
    }
    renderer->RenderFinish(context);
  };
  paintFrame();  // prepares the cached bitmaps once, as the editor's first frame does
  for (auto _ : state) paintFrame();
  state.SetItemsProcessed(state.iterations());
}

void FullRepaint_SV(benchmark::State& state) { Repaint(state, {0, 0, kWidth, kHeight}); }

void DirtyRepaint_SV(benchmark::State& state) { Repaint(state, {125, 30, 221, 70}); }

void FullRepaint_Qt(benchmark::State& state) { EditorFrame::FullRepaintWithQPainter(state); }

void NamedBitmapCacheHit(benchmark::State& state) {
  const RCPtr<LBitmap> held = LBitmap::GetNamedBitmap(u"::bench_part.png");
  for (auto _ : state) benchmark::DoNotOptimize(LBitmap::GetNamedBitmap(u"::bench_part.png"));
}

void Colorize256(benchmark::State& state) {
  const RCPtr<LBitmap> part = LBitmap::CreateFilledBitmap({256, 256}, Color{0.5f, 0.5f, 0.5f, 1});
  const ColorizeParams colorizer{0, Color{0.9f, 0.2f, 0.1f, 1}, Color{0.9f, 0.2f, 0.1f, 1}, {}, {}};
  for (auto _ : state) LBitmap::ApplyColorizer(part, &colorizer, 0.6f);
}

BENCHMARK(FullRepaint_SV)->UseRealTime()->Unit(benchmark::kMicrosecond);
BENCHMARK(FullRepaint_Qt)->UseRealTime()->Unit(benchmark::kMicrosecond);
BENCHMARK(DirtyRepaint_SV)->UseRealTime()->Unit(benchmark::kMicrosecond);
BENCHMARK(NamedBitmapCacheHit);
BENCHMARK(Colorize256)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  setenv("QT_FONT_DPI", "96", 0);
  QGuiApplication application(argc, argv);
  LBitmap::SetResourceReader([](const std::string&, std::string& bytes) {
    QImage image(32, 32, QImage::Format_ARGB32);
    image.fill(Qt::red);
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    bytes.assign(png.constData(), size_t(png.size()));
    return true;
  });
  {
    // Loads the font database once, before either side is timed.
    QImage warmUp(8, 8, QImage::Format_ARGB32_Premultiplied);
    QPainter painter(&warmUp);
    painter.setFont(QFont(QStringLiteral("DejaVu Sans"), 9));
    painter.drawText(QPointF(0, 8), QStringLiteral("Channel 10"));
  }
  const auto summarise = [](::Bench::BenchmarkGoal& goal, const SV::Bench::RateReporter& reporter) {
    goal.AtMost("full repaint, ours / bare QPainter",
                reporter.TimeRatio("FullRepaint_SV/real_time", "FullRepaint_Qt/real_time"), 1.5, "");
    goal.AtLeast("full repaint / dirty repaint of one control",
                 reporter.TimeRatio("FullRepaint_SV/real_time", "DirtyRepaint_SV/real_time"), 20.0, "");
  };
  return SV::Bench::RunBenchmarks(argc, argv, "RendererBench", summarise);
}
