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
#include "RateReporter.h"
#include "SVFramework/Renderer/AutoClip.h"
#include "SVFramework/Renderer/Gdi/QImagePixels.h"
#include "SVFramework/Renderer/Renderer.h"
#include "SVFramework/Utilities/Graphics/Bitmap.h"
#include "SVFramework/Utilities/Graphics/Font.h"

namespace {

using namespace SV;

constexpr int kWidth = 900, kHeight = 600;

// A window that copies each presented rectangle into a backing image, as the OS window does.
class BackingStoreTarget : public IWindowTarget {
public:
  void BeginPresent() override {}
  void CopyArea(const IPixelBuffer<uint32_t>& surface, const RectT<int32_t>& area) override {
    for (int y = area.y; y < area.y + area.height; ++y) {
      std::memcpy(mBacking.scanLine(y) + area.x * 4, surface.GetPixelAddress(area.x, y), size_t(area.width) * 4);
    }
  }
  void EndPresent() override {}

private:
  QImage mBacking{kWidth, kHeight, QImage::Format_ARGB32_Premultiplied};
};

struct Part {
  RectT<int32_t> rect;
  ResizeType resize;
};

// The scene: where each item goes, the same for both sides.
struct Scene {
  Scene() {
    tile = LBitmap::CreateFilledBitmap({64, 64}, Color{0.2f, 0.3f, 0.4f, 1});
    skin = LBitmap::CreateFilledBitmap({48, 24}, Color{0.8f, 0.5f, 0.2f, 0.9f});
    for (int i = 0; i < 40; ++i) {
      parts.push_back({{20 + (i % 8) * 105, 30 + (i / 8) * 110, 96, 40}, i % 2 ? ResizeType::Center : ResizeType::Stretch});
    }
    for (int i = 0; i < 60; ++i) texts.push_back({20 + (i % 10) * 88, 80 + (i / 10) * 90});
    for (int i = 0; i < 10; ++i) children.push_back({30 + i * 85, 540, 70, 40});
    font = LFont::GetFont(u"DejaVu Sans", 9, 0);
    tileImage = QImage(reinterpret_cast<const uchar*>(tile->GetNativeBitmap()->GetPixelAddress(0, 0)), 64, 64,
                       QImage::Format_ARGB32);
    skinImage = QImage(reinterpret_cast<const uchar*>(skin->GetNativeBitmap()->GetPixelAddress(0, 0)), 48, 24,
                       QImage::Format_ARGB32);
  }

  RCPtr<LBitmap> tile, skin;
  QImage tileImage, skinImage;
  std::vector<Part> parts;
  std::vector<PointT<int32_t>> texts;
  std::vector<RectT<int32_t>> children;
  RCPtr<LFont> font;
};

Scene& TheScene() {
  static Scene* const scene = new Scene;
  return *scene;
}

bool Touches(const Region& dirty, const RectT<int32_t>& rect) {
  return dirty.IntersectsOffsetRect(rect.x, rect.y, rect.width, rect.height, 0, 0);
}

// Draws what the dirty region touches, as controls do.
void DrawScene(const RCPtr<LRenderer>& renderer, const Region& dirty) {
  Scene& scene = TheScene();
  if (Touches(dirty, {0, 0, kWidth, kHeight})) renderer->DrawBitmap(scene.tile, {0, 0, kWidth, kHeight}, ResizeType::Tile);
  for (const Part& part : scene.parts) {
    if (Touches(dirty, part.rect)) renderer->DrawBitmap(scene.skin, part.rect, part.resize);
  }
  for (const PointT<int32_t>& at : scene.texts) {
    if (Touches(dirty, {at.x, at.y, 80, 14})) renderer->DrawText(u"Channel 10", scene.font, at, Color{1, 1, 1, 1});
  }
  for (const RectT<int32_t>& child : scene.children) {
    if (!Touches(dirty, child)) continue;
    CAutoClip clip(renderer, RectT<double>{double(child.x), double(child.y), double(child.width), double(child.height)},
                   nullptr);
    renderer->FillRect({-10, -10, 200, 200}, Color{0.1f, 0.6f, 0.3f, 1}, true);
  }
}

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

void FullRepaint_Qt(benchmark::State& state) {
  Scene& scene = TheScene();
  QImage surface(kWidth, kHeight, QImage::Format_ARGB32_Premultiplied);
  QFont font(QStringLiteral("DejaVu Sans"));
  font.setPointSizeF(9);
  const QString text = QStringLiteral("Channel 10");
  for (auto _ : state) {
    QPainter painter(&surface);
    painter.fillRect(QRect(0, 0, kWidth, kHeight), QBrush(scene.tileImage));
    for (const Part& part : scene.parts) {
      const QRect target(part.rect.x, part.rect.y, part.rect.width, part.rect.height);
      if (part.resize == ResizeType::Stretch) {
        painter.drawImage(target, scene.skinImage);
      } else {
        painter.drawImage(target.center() - QPoint(24, 12), scene.skinImage);
      }
    }
    painter.setFont(font);
    painter.setPen(Qt::white);
    for (const PointT<int32_t>& at : scene.texts) painter.drawText(QPointF(at.x, at.y + 11), text);
    for (const RectT<int32_t>& child : scene.children) {
      painter.save();
      painter.setClipRect(child.x, child.y, child.width, child.height);
      painter.translate(child.x, child.y);
      painter.fillRect(-10, -10, 200, 200, QColor(26, 153, 77));
      painter.restore();
    }
  }
  state.SetItemsProcessed(state.iterations());
}

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
