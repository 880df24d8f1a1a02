#include "SVFramework/Renderer/Gdi/GDIRenderer.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QImage>

#include <filesystem>
#include <functional>
#include <new>

#include "SVFramework/Renderer/AutoClip.h"
#include "SVFramework/Utilities/Graphics/Font.h"
#include "SVFramework/Utilities/Graphics/FontText.h"
#include "tests/Support/RaisedText.h"
#include "tests/Support/Renderer/EditorScene.h"
#include "tests/Support/Renderer/GuiTestApplication.h"
#include "tests/Support/Renderer/RecordingWindowTarget.h"
#include "tests/Support/Renderer/StandInApplication.h"

namespace SV {
namespace {

using ::testing::StartsWith;

constexpr uint32_t kRed = 0xFFFF0000u, kBlue = 0xFF0000FFu, kClear = 0u;

using Testing::RaisedText;

// A 60 x 40 window context of the raster back end, started for a frame.
class RasterRenderer : public ::testing::Test {
protected:
  void SetUp() override {
    Testing::EnsureGuiApplication();
    renderer = LRenderer::Create(RendererType::GdiPlus, {0, 0, 60, 40}, &window);
    raster = dynamic_cast<LGDIRenderer*>(renderer.Get());
    application.renderer = renderer;
    renderer->InitRenderContextInfo({0, 0, 60, 40}, &window, 0, context);
    StartFrame({0, 0, 60, 40});
  }
  void TearDown() override {
    if (renderer->GetCurrentContext() != nullptr) renderer->RenderFinish(context);
  }

  void StartFrame(const EdgeRect& dirty) {
    context->GetDirtyRegion().Clear();
    context->GetDirtyRegion().AddRect(dirty);
    renderer->RenderStart(context);
  }
  void FinishFrame() { renderer->RenderFinish(context); }

  uint32_t At(int x, int y) const {
    return static_cast<LGDIRenderContextInfo*>(context.Get())->GetFrontSurface().GetBitmap().pixel(x, y);
  }

  // A 10 x 10 image whose quadrants are red, green, blue and white.
  static RCPtr<LBitmap> Quadrants(int32_t side = 10) {
    RCPtr<LBitmap> bitmap = LBitmap::CreateFilledBitmap({side, side}, Color{});
    const uint32_t colors[] = {kRed, 0xFF00FF00u, kBlue, 0xFFFFFFFFu};
    for (int y = 0; y < side; ++y) {
      for (int x = 0; x < side; ++x) {
        *bitmap->GetNativeBitmap()->GetPixelAddress(x, y) = colors[(y >= side / 2) * 2 + (x >= side / 2)];
      }
    }
    return bitmap;
  }

  Testing::StandInApplication application;
  Testing::RecordingWindowTarget window{60, 40};
  RCPtr<LRenderer> renderer;
  LGDIRenderer* raster = nullptr;
  RCPtr<LRenderContextInfo> context;
};

TEST_F(RasterRenderer, FillsOutlinesAndLinesLandOnTheirPixels) {
  renderer->FillRect({2, 2, 5, 5}, Color::FromARGB(kRed), true);
  renderer->DrawRect({20, 2, 10, 10}, Color::FromARGB(kBlue), 1);
  renderer->DrawLine({40, 5}, {55, 5}, Color::FromARGB(kRed), 1);
  EXPECT_EQ(At(2, 2), kRed);
  EXPECT_EQ(At(6, 6), kRed);
  EXPECT_EQ(At(7, 7), kClear);
  EXPECT_EQ(At(20, 6), kBlue);
  EXPECT_EQ(At(25, 6), kClear) << "an outline does not fill";
  EXPECT_EQ(At(47, 5), kRed);
}

TEST_F(RasterRenderer, HalfTransparentFillsBlendOverWhatIsThere) {
  renderer->FillRect({0, 0, 10, 10}, Color::FromARGB(kBlue), true);
  renderer->FillRect({0, 0, 10, 10}, Color{1, 0, 0, 0.5f}, true);
  const QColor blended = QColor::fromRgba(qUnpremultiply(At(5, 5)));
  EXPECT_EQ(blended.alpha(), 255);
  EXPECT_NEAR(blended.red(), 128, 2);
  EXPECT_NEAR(blended.blue(), 127, 2);
}

TEST_F(RasterRenderer, ClipsAndOffsetsOfTheStateStackReachThePainter) {
  {
    CAutoClip clip(renderer, RectT<double>{10, 10, 20, 20}, nullptr);
    renderer->FillRect({-100, -100, 1000, 1000}, Color::FromARGB(kRed), true);
    CAutoClip inner(renderer, RectT<double>{5, 5, 100, 100}, nullptr);
    renderer->FillRect({0, 0, 2, 2}, Color::FromARGB(kBlue), true);
  }
  EXPECT_EQ(At(9, 9), kClear);
  EXPECT_EQ(At(10, 10), kRed);
  EXPECT_EQ(At(29, 29), kRed);
  EXPECT_EQ(At(30, 30), kClear);
  EXPECT_EQ(At(15, 15), kBlue) << "the inner origin is (15, 15)";
  renderer->FillRect({0, 0, 1, 1}, Color::FromARGB(kBlue), true);
  EXPECT_EQ(At(0, 0), kBlue) << "popping restored the origin and the clip";
}

TEST_F(RasterRenderer, HugeAndDefaultClipsAreSaturatedBeforeQt) {
  renderer->SetClipRect({-5e15, -5e15, 1e16, 1e16});
  renderer->FillRect({0, 0, 60, 40}, Color::FromARGB(kRed), true);
  EXPECT_EQ(At(59, 39), kRed);
  renderer->PushClip({1e300, -1e300, 1e300, 1e300}, {1e300, -1e300, 1e300, 1e300}, nullptr, false);
  renderer->FillRect({0, 0, 60, 40}, Color::FromARGB(kBlue), true);
  renderer->PopState();
  EXPECT_EQ(At(0, 0), kRed) << "a clip far outside the surface shows nothing";
}

TEST_F(RasterRenderer, UnblendedFillsIgnoreOffsetAndClip) {
  CAutoClip clip(renderer, RectT<double>{10, 10, 5, 5}, nullptr);
  renderer->FillRect({0, 0, 3, 3}, Color{0, 0, 1, 0.5f}, false);
  renderer->FillRect({58, 38, 10, 10}, Color::FromARGB(kRed), false);
  EXPECT_EQ(At(1, 1), qPremultiply(0x800000FFu));
  EXPECT_EQ(At(10, 10), kClear);
  EXPECT_EQ(At(59, 39), kRed) << "only the part inside the surface is written";
}

TEST_F(RasterRenderer, BitmapsStretchTileAndCentre) {
  const RCPtr<LBitmap> image = Quadrants();
  renderer->DrawBitmap(image, {0, 0, 20, 20}, ResizeType::Stretch);
  EXPECT_EQ(At(9, 9), kRed);
  EXPECT_EQ(At(10, 10), 0xFFFFFFFFu);
  renderer->DrawBitmap(image, {20, 0, 20, 20}, ResizeType::Tile);
  EXPECT_EQ(At(20 + 5, 0), 0xFF00FF00u);
  EXPECT_EQ(At(20 + 10, 0), kRed) << "the second copy starts at 10";
  EXPECT_EQ(At(20 + 15, 15), 0xFFFFFFFFu);
  renderer->DrawBitmap(Quadrants(30), {40, 0, 10, 10}, ResizeType::Center);
  EXPECT_EQ(At(40, 0), kRed) << "the middle 10 x 10 of a 30 x 30 image";
  EXPECT_EQ(At(45, 5), 0xFFFFFFFFu);
}

TEST_F(RasterRenderer, ManyTilesThroughABrushMatchCopies) {
  const RCPtr<LBitmap> image = Quadrants();
  renderer->DrawBitmap(image, {0, 0, 30, 30}, ResizeType::Tile);
  for (int y = 0; y < 30; y += 3) {
    for (int x = 0; x < 30; x += 3) ASSERT_EQ(At(x, y), image->GetPixelColor(x % 10, y % 10).ToARGB()) << x << "," << y;
  }
}

TEST_F(RasterRenderer, OneBitmapAtOneSizeKeepsOnePreparationPerResizeType) {
  const RCPtr<LBitmap> image = Quadrants();
  renderer->DrawBitmap(image, {0, 0, 20, 20}, ResizeType::Stretch);
  renderer->DrawBitmap(image, {20, 0, 20, 20}, ResizeType::Tile);
  EXPECT_EQ(At(20 + 10, 0), kRed) << "tiled, not the stretched preparation";
  EXPECT_EQ(At(10, 0), 0xFF00FF00u) << "stretched";
}

TEST_F(RasterRenderer, EmptyBitmapsAndTargetsDrawNothing) {
  renderer->DrawBitmap(new LBitmap, {0, 0, 20, 20}, ResizeType::Tile);
  renderer->DrawBitmap(Quadrants(), {0, 0, 0, 20}, ResizeType::Tile);
  renderer->DrawBitmap(Quadrants(), {0, 0, 20, -3}, ResizeType::Tile);
  renderer->DrawBitmap(nullptr, {0, 0, 20, 20}, ResizeType::Stretch);
  EXPECT_EQ(At(0, 0), kClear);
}

TEST_F(RasterRenderer, BitmapMisuseRaises) {
  for (const int32_t unknown : {3, -1, 255}) {
    EXPECT_THAT(RaisedText([&] { renderer->DrawBitmap(Quadrants(), {0, 0, 20, 20}, static_cast<ResizeType>(unknown)); }),
                StartsWith("Invalid Argument : Invalid ResizeType passed to DrawBitmap. : SV::LGDIRenderer::DrawBitmap"))
        << unknown;
  }
  renderer->DrawBitmap(Quadrants(), {0, 0, 10, 10}, static_cast<ResizeType>(3));
  EXPECT_EQ(At(0, 0), kRed) << "equal sizes copy whatever the type";
  FinishFrame();
  EXPECT_THAT(RaisedText([&] { renderer->DrawBitmap(Quadrants(), {0, 0, 10, 10}, ResizeType::Stretch); }),
              StartsWith("Runtime Error : SV::LGDIRenderer::DrawBitmap : Renderer/Gdi/GDIRendererBitmaps : Line "));
  renderer->FillRect({0, 0, 5, 5}, Color::FromARGB(kBlue), true);
}

TEST_F(RasterRenderer, PreparedBitmapsNotDrawnBetweenTwoPurgesAreDropped) {
  const RCPtr<LBitmap> daily = Quadrants(), once = Quadrants(12);
  auto slotOf = [&](const RCPtr<LBitmap>& bitmap) {
    const auto& cache = raster->GetBitmapCache();
    for (uint32_t i = 0; i < cache.GetCount(); ++i) {
      if (cache.GetSlot(i).key.bitmap.Get() == bitmap.Get()) return cache.GetSlot(i).object.Get();
    }
    return static_cast<LGDIRenderer::LCachedBitmap*>(nullptr);
  };
  renderer->DrawBitmap(daily, {0, 0, 20, 20}, ResizeType::Stretch);
  renderer->DrawBitmap(once, {0, 0, 20, 20}, ResizeType::Stretch);
  for (const uint32_t minute : {1u, 5u, 6u, 11u}) {
    FinishFrame();
    application.ticks = minute * 60000 + 1;
    StartFrame({0, 0, 1, 1});
    renderer->DrawBitmap(daily, {0, 0, 20, 20}, ResizeType::Stretch);
  }
  FinishFrame();
  EXPECT_NE(slotOf(daily), nullptr);
  EXPECT_EQ(slotOf(once), nullptr) << "dropped at the second purge";
  StartFrame({0, 0, 1, 1});
}

TEST_F(RasterRenderer, PresentCopiesOnlyTheDirtyRectanglesToTheWindow) {
  renderer->FillRect({0, 0, 60, 40}, Color::FromARGB(kRed), true);
  FinishFrame();
  EXPECT_EQ(window.At(59, 39), kRed);
  window.rects.clear();
  StartFrame({5, 5, 10, 10});
  renderer->FillRect({0, 0, 60, 40}, Color::FromARGB(kBlue), true);
  FinishFrame();
  ASSERT_EQ(window.rects.size(), 1u);
  EXPECT_EQ(window.rects[0], (RectT<int32_t>{5, 5, 5, 5}));
  EXPECT_EQ(window.At(7, 7), kBlue);
  EXPECT_EQ(window.At(20, 20), kRed);
  StartFrame({0, 0, 1, 1});
}

TEST_F(RasterRenderer, OffscreenContextsAreDrawnAndScrolled) {
  RCPtr<LRenderContextInfo> offscreen;
  renderer->InitRenderContextInfo({0, 0, 20, 20}, nullptr, 1, offscreen);
  renderer->RenderStart(offscreen);
  renderer->FillRect({0, 0, 4, 4}, Color::FromARGB(kBlue), true);
  renderer->RenderFinish(offscreen);
  EXPECT_EQ(renderer->ScrollRenderContext(offscreen, {3, 2}), S_OK);
  EXPECT_EQ(renderer->DrawRenderContext(offscreen, {30, 10}, {0, 0, 20, 20}), S_OK);
  EXPECT_EQ(At(30 + 3, 10 + 2), kBlue);
  EXPECT_EQ(At(30 + 1, 10 + 1), kClear) << "the scroll cleared what it uncovered";
  EXPECT_EQ(renderer->DrawRenderContext(context, {0, 0}, {0, 0, 5, 5}), E_INVALIDARG);
  EXPECT_EQ(renderer->ScrollRenderContext(context, {1, 1}), E_INVALIDARG);
}

TEST_F(RasterRenderer, PolylinesDrawAndFillThroughTheirCachedPaths) {
  PolylineT<float> square;
  for (const auto& point : {PointT<float>{0, 0}, PointT<float>{10, 0}, PointT<float>{10, 10}, PointT<float>{0, 10}}) {
    square.points.Append(point);
  }
  renderer->FillPolygon(square, Color::FromARGB(kRed), {5, 5}, {1, 1}, true);
  renderer->DrawPolyline(square, Color::FromARGB(kBlue), {30, 5}, {2, 2}, true);
  EXPECT_EQ(At(10, 10), kRed);
  EXPECT_EQ(At(30 + 10, 5), kBlue) << "scaled by 2";
  EXPECT_EQ(At(35, 10), kClear) << "an open line does not fill";
  EXPECT_EQ(raster->GetPathCache().GetCount(), 1u);
}

TEST_F(RasterRenderer, ANewPolylineAtAFreedOnesAddressNeverReplaysTheOldShape) {
  alignas(PolylineT<float>) unsigned char storage[sizeof(PolylineT<float>)];
  auto* polyline = new (storage) PolylineT<float>;
  polyline->points.Append({0, 0});
  polyline->points.Append({10, 0});
  renderer->DrawPolyline(*polyline, Color::FromARGB(kRed), {0, 5}, {1, 1}, true);
  const PolylineHandle old = polyline->GetHandle();
  polyline->~PolylineT();
  polyline = new (storage) PolylineT<float>;
  polyline->points.Append({0, 0});
  polyline->points.Append({0, 10});
  EXPECT_EQ(polyline->GetHandle().address, old.address);
  renderer->DrawPolyline(*polyline, Color::FromARGB(kBlue), {40, 20}, {1, 1}, true);
  EXPECT_EQ(At(40, 25), kBlue) << "the new vertical shape";
  EXPECT_EQ(At(45, 20), kClear) << "not the old horizontal one";
  polyline->~PolylineT();
}

TEST_F(RasterRenderer, MeasuresWholePixelsPlusThreeFromTheBaseline) {
  const RCPtr<LFont> font = LFont::GetFont(u"DejaVu Sans", 10, 0);
  EXPECT_EQ(renderer->MeasureText(u"", font), (RectT<float>{}));
  int32_t lineHeight = 0, ascent = 0, descent = 0;
  renderer->GetFontMetrics(font, lineHeight, ascent, descent);
  const RectT<float> box = renderer->MeasureText(u"Preset", font);
  EXPECT_EQ(box.x, 0);
  EXPECT_EQ(box.y, static_cast<float>(ascent));
  EXPECT_EQ(box.height, static_cast<float>(lineHeight));
  EXPECT_GT(box.width, 3);
  EXPECT_EQ(box.width, std::trunc(box.width));
  EXPECT_GT(renderer->MeasureText(u"Preset Preset", font).width, box.width);
}

// Text is drawn at 96 pixels per inch on every screen: a screen of 192 measures it as
// wide as it is drawn, so a centred text stays centred.
TEST_F(RasterRenderer, ATextMeasuresTheSameOnAScreenOfAnyResolution) {
  const RCPtr<LFont> font = LFont::GetFont(u"DejaVu Sans", 10, 0);
  const RectT<float> standard = renderer->MeasureText(u"ON / OFF", font);
  for (const double dotsPerInch : {120.0, 144.0, 192.0}) {
    static_cast<LGDIRenderer*>(renderer.Get())->SetScreenResolution(dotsPerInch);
    EXPECT_EQ(renderer->MeasureText(u"ON / OFF", font), standard) << dotsPerInch;
  }
}

TEST_F(RasterRenderer, AFaceThatIsNotInstalledStillGivesTheResolvedFontsMetrics) {
  const RCPtr<LFont> missing = LFont::GetFont(u"No Such Face Installed 4711", 10, 0);
  int32_t lineHeight = 0, ascent = 0, descent = 0;
  EXPECT_EQ(renderer->GetFontMetrics(missing, lineHeight, ascent, descent), S_OK);
  EXPECT_GT(lineHeight, 5);
  EXPECT_LT(ascent, 0);
  EXPECT_GT(descent, 0);
  const RCPtr<LFontText> text = LFontText::Create(u"first\nsecond", missing);
  text->SetBoxSize(100, 100);
  ASSERT_EQ(text->Layout(), 2u);
  EXPECT_GT(text->GetLineRect(1).y, text->GetLineRect(0).y) << "lines do not stack on one y";
}

TEST_F(RasterRenderer, ASurfaceOf120DpiScalesFontsToFourFifths) {
  EXPECT_EQ(raster->GetFontScale(), 1.0f);
  const RCPtr<LRenderContextInfo> dense(new LGDIRenderContextInfo({0, 0, 10, 10}, nullptr, 1, 120));
  renderer->RenderStart(dense);
  EXPECT_FLOAT_EQ(raster->GetFontScale(), 0.8f);
  renderer->RenderFinish(dense);
}

TEST_F(RasterRenderer, DrawsTextInkNearItsPosition) {
  const RCPtr<LFont> font = LFont::GetFont(u"DejaVu Sans", 12, 1);
  renderer->DrawText(u"MM", font, {5, 5}, Color::FromARGB(kBlue));
  int inked = 0;
  for (int y = 0; y < 40; ++y) {
    for (int x = 0; x < 60; ++x) {
      if (At(x, y) != kClear) {
        ++inked;
        EXPECT_TRUE(x >= 5 && y >= 3 && x < 40 && y < 30) << x << "," << y;
      }
    }
  }
  EXPECT_GT(inked, 20);
}

// A small editor-like frame: a tiled background, a stretched and a centred part, a
// half-transparent panel, labels, and a text clipped by a child's rectangle. It is
// written to screenshots/RasterScene.png in the test's folder for a person to look at;
// the checks hold the clip and the tile.
TEST(RasterScene, DrawsAnEditorLikeFrameAndKeepsClippedTextInsideItsChild) {
  const QImage frame = Testing::DrawEditorSceneWithRasterBackEnd();
  std::filesystem::create_directories("screenshots");
  EXPECT_TRUE(frame.save("screenshots/RasterScene.png"));
  for (int y = 40; y < 60; ++y) {
    for (int x = 156; x < 170; ++x) {
      const QColor pixel = QColor::fromRgba(qUnpremultiply(frame.pixel(x, y)));
      EXPECT_GT(pixel.red(), 150) << "no ink of the clipped text right of its child at " << x << "," << y;
    }
  }
  EXPECT_EQ(frame.pixel(1, 1), frame.pixel(9, 9)) << "the tile repeats every 8 pixels";
}

}  // namespace
}  // namespace SV
