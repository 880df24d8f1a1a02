#pragma once
// The editor-sized frame of the renderer benchmarks (900 x 600: a tiled background, 40
// stretched and centred skin parts, 60 short texts, 10 clipped children), drawn
// through a renderer or with bare QPainter. Needs the Qt GUI application.
#include <benchmark/benchmark.h>

#include <QImage>
#include <QPainter>

#include <cstring>
#include <vector>

#include "SVFramework/Renderer/AutoClip.h"
#include "SVFramework/Renderer/Renderer.h"
#include "SVFramework/Utilities/Graphics/Bitmap.h"
#include "SVFramework/Utilities/Graphics/Font.h"

namespace EditorFrame {

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

inline Scene& TheScene() {
  static Scene* const scene = new Scene;
  return *scene;
}

inline bool Touches(const Region& dirty, const RectT<int32_t>& rect) {
  return dirty.IntersectsOffsetRect(rect.x, rect.y, rect.width, rect.height, 0, 0);
}

// Draws what the dirty region touches, as controls do.
inline void DrawScene(const RCPtr<LRenderer>& renderer, const Region& dirty) {
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

// The same frame with bare QPainter on the surface.
inline void PaintSceneWithQPainter(QImage& surface, const QFont& font) {
  Scene& scene = TheScene();
  const QString text = QStringLiteral("Channel 10");
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

// The benchmark of the frame painted with bare QPainter.
inline void FullRepaintWithQPainter(benchmark::State& state) {
  QImage surface(kWidth, kHeight, QImage::Format_ARGB32_Premultiplied);
  QFont font(QStringLiteral("DejaVu Sans"));
  font.setPointSizeF(9);
  for (auto _ : state) PaintSceneWithQPainter(surface, font);
  state.SetItemsProcessed(state.iterations());
}

}  // namespace EditorFrame
