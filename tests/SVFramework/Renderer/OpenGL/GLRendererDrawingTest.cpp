#include "SVFramework/Renderer/OpenGL/GLRenderer.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QImage>

#include <cstdlib>
#include <filesystem>
#include <functional>

#include "SVFramework/Renderer/AutoClip.h"
#include "SVFramework/Renderer/OpenGL/GLApi.h"
#include "SVFramework/Utilities/Graphics/Font.h"
#include "tests/Support/RaisedText.h"
#include "tests/Support/Renderer/HeadlessGLRenderer.h"
#include "tests/Support/Renderer/PixelColors.h"

namespace SV {
namespace {

using Testing::RaisedText;

using Testing::kBlue;
using Testing::kGreen;
using Testing::kRed;
using Testing::kWhite;

// A side x side image whose quadrants are red, green, blue and white.
RCPtr<LBitmap> Quadrants(int32_t side) {
  RCPtr<LBitmap> bitmap = LBitmap::CreateFilledBitmap({side, side}, Color{});
  const uint32_t colors[] = {kRed, kGreen, kBlue, kWhite};
  for (int y = 0; y < side; ++y)
    for (int x = 0; x < side; ++x)
      *bitmap->GetNativeBitmap()->GetPixelAddress(x, y) = colors[(y >= side / 2) * 2 + (x >= side / 2)];
  return bitmap;
}

PolylineT<float> Square(float side) {
  PolylineT<float> polyline;
  for (const PointT<float> point : {PointT<float>{0, 0}, {side, 0}, {side, side}, {0, side}}) polyline.points.Append(point);
  return polyline;
}

// A started frame of a 60 x 40 window context of the OpenGL back end.
class GLDrawing : public ::testing::Test {
protected:
  void SetUp() override {
    ASSERT_TRUE(gl.IsReady());
    gl.Start();
  }
  uint32_t At(int x, int y) {
    if (gl.renderer->GetCurrentContext() != nullptr) gl.Finish();
    return gl.At(x, y);
  }
  const GLCaches& Caches() { return gl.gl->GetCaches(); }

  Testing::HeadlessGLRenderer gl{60, 40};
};

TEST_F(GLDrawing, OutlinesLinesAndClearsLandOnTheirPixels) {
  gl.renderer->FillRect({0, 0, 60, 40}, Color::FromARGB(kBlue), true);
  gl.renderer->DrawLine({5, 30.5f}, {25, 30.5f}, Color::FromARGB(kRed), 1);
  gl.renderer->FillRect({40, 5, 10, 10}, Color::FromARGB(kRed), false);
  EXPECT_EQ(At(10, 30), kRed);
  EXPECT_EQ(At(45, 10), 0u) << "a clear sets the box to transparent black whatever the colour";
  EXPECT_EQ(At(2, 2), kBlue);
}

TEST_F(GLDrawing, BitmapsStretchTileAndCentre) {
  const RCPtr<LBitmap> quadrants = Quadrants(10);
  gl.renderer->DrawBitmap(quadrants, {0, 0, 20, 20}, ResizeType::Stretch);
  gl.renderer->DrawBitmap(quadrants, {30, 0, 25, 15}, ResizeType::Tile);
  gl.renderer->DrawBitmap(quadrants, {0, 25, 4, 4}, ResizeType::Center);
  EXPECT_EQ(At(2, 2), kRed);
  EXPECT_EQ(At(17, 17), kWhite);
  EXPECT_EQ(At(31, 1), kRed);
  EXPECT_EQ(At(41, 1), kRed) << "the second column of tiles starts 10 pixels on";
  EXPECT_EQ(At(41, 11), kRed) << "the bottom row of tiles reaches past the target";
  EXPECT_EQ(At(0, 25), kRed) << "a centred larger bitmap reaches past the target on every side";
  EXPECT_EQ(At(5, 30), kWhite);
  EXPECT_EQ(Caches().textures.GetCount(), 1u) << "one texture for the one image";
}

TEST_F(GLDrawing, AllAreasOfOneImageShareOneTexture) {
  const RCPtr<LBitmap> quadrants = Quadrants(10);
  gl.renderer->DrawBitmap(quadrants->CreateSubBitmap(5, 5, 5, 5), {0, 0, 5, 5}, ResizeType::Stretch);
  gl.renderer->DrawBitmap(quadrants->CreateSubBitmap(0, 0, 5, 5), {10, 0, 5, 5}, ResizeType::Stretch);
  EXPECT_EQ(Caches().textures.GetCount(), 1u);
  EXPECT_EQ(Caches().textures.GetSlot(0).hits, 2u);
  EXPECT_EQ(At(2, 2), kWhite);
  EXPECT_EQ(At(12, 2), kRed);
}

TEST_F(GLDrawing, ATileOfAnEmptyAreaDrawsNothingAndReturns) {
  const RCPtr<LBitmap> empty(new LBitmap);
  gl.renderer->DrawBitmap(empty, {0, 0, 30, 30}, ResizeType::Tile);
  EXPECT_EQ(At(1, 1), 0u);
}

TEST_F(GLDrawing, BitmapMisuseRaises) {
  EXPECT_THAT(RaisedText([&] { gl.renderer->DrawBitmap(nullptr, {0, 0, 1, 1}, ResizeType::Stretch); }),
              ::testing::StartsWith("Failed Result : SVRESULT = 80070057 : SV::LGLRenderer::DrawBitmap"));
  EXPECT_THAT(RaisedText([&] { gl.renderer->DrawBitmap(Quadrants(4), {0, 0, 1, 1}, static_cast<ResizeType>(3)); }),
              ::testing::StartsWith("Logic Error : Invalid ResizeType passed to DrawBitmap!"));
}

// Lines, outlines and rectangles drawn right after a bitmap or a text draw untextured,
// each on its own row, whatever texture and coordinates those left bound; the frame
// ends with texturing off.
TEST_F(GLDrawing, LinesAfterABitmapOrATextDrawInTheirPlainColour) {
  const RCPtr<LBitmap> quadrants = Quadrants(10);
  const RCPtr<LFont> font = LFont::GetFont(u"DejaVu Sans", 9, 0);
  const std::function<void()> before[] = {
      [&] { gl.renderer->DrawBitmap(quadrants, {40, 0, 10, 10}, ResizeType::Stretch); },
      [&] { gl.renderer->DrawBitmap(quadrants, {40, 0, 15, 15}, ResizeType::Tile); },
      [&] { gl.renderer->DrawText(u"ab", font, {40, 20}, Color::FromARGB(kWhite)); },
  };
  const Color red = Color::FromARGB(kRed);
  const std::function<void(float)> lines[] = {
      [&](float y) { gl.renderer->DrawLine({2, y + 0.5f}, {30, y + 0.5f}, red, 1); },
      [&](float y) { gl.renderer->DrawRect({2, static_cast<int32_t>(y), 28, 2}, red, 1); },
      [&](float y) {
        PolylineT<float> line;
        line.points.Append({2, y + 0.5f});
        line.points.Append({30, y + 0.5f});
        gl.renderer->DrawPolygon(line, red, {0, 0}, {1, 1}, false);
      },
  };
  int row = 0;
  for (const auto& draw : before) {
    for (const auto& line : lines) {
      draw();
      line(static_cast<float>(1 + 4 * row++));
    }
  }
  gl.Finish();
  // Smoothed lines on a pixel edge share their colour with the row beside: red only.
  for (int i = 0; i < row; ++i) {
    const uint32_t pixel = gl.At(10, 1 + 4 * i);
    EXPECT_TRUE((pixel >> 16 & 0xFF) >= 0x80 && (pixel & 0xFFFF) == 0) << "row " << i << ": " << std::hex << pixel;
  }
  ASSERT_TRUE(gl.platform->MakeCurrent(nullptr));
  EXPECT_EQ(glIsEnabled(GL_TEXTURE_2D), GL_FALSE);
  gl.platform->DoneCurrent();
}

TEST_F(GLDrawing, AKeptPolylineIsRecordedOnceAndReplayedUntilItChanges) {
  const PolylineT<float> square = Square(10);
  gl.renderer->FillPolygon(square, Color::FromARGB(kRed), {0, 0}, {1, 1}, true);
  const LGLDisplayList* recorded = Caches().fillPolygons.GetSlot(0).object.Get();
  ASSERT_NE(recorded, nullptr);
  gl.renderer->FillPolygon(square, Color::FromARGB(kBlue), {20, 0}, {1, 1}, true);
  EXPECT_EQ(Caches().fillPolygons.GetSlot(0).object.Get(), recorded) << "replayed, not recorded again";
  EXPECT_EQ(Caches().fillPolygons.GetSlot(0).hits, 2u);
  gl.renderer->DrawPolygon(square, Color::FromARGB(kGreen), {0, 0}, {1, 1}, true);
  square.changed = true;
  gl.renderer->DrawPolygon(square, Color::FromARGB(kGreen), {0, 0}, {1, 1}, true);
  EXPECT_FALSE(Caches().fillPolygons.GetSlot(0).object) << "a changed outline drops the fill list as well";
  gl.renderer->FillPolygon(square, Color::FromARGB(kRed), {0, 0}, {1, 1}, false);
  EXPECT_FALSE(Caches().polygonOutlines.GetSlot(0).object) << "drawn without keeping, both lists are dropped";
  EXPECT_EQ(At(25, 5), kBlue);
  EXPECT_EQ(At(5, 5), kRed);
}

TEST_F(GLDrawing, ColorRectListsScaleTheirRectanglesAndEarlierOnesCoverLaterOnes) {
  ColorRectListT<float> list;
  list.rects.Append({0.25f, 0, 1, 1});
  list.rects.Append({0, 0, 4, 4});
  list.colors.Append(kRed);
  list.colors.Append(kBlue);
  list.scale = {2, 2};
  gl.renderer->FillColorRectList(list, {10, 10}, true);
  gl.renderer->FillColorRectList(list, {30, 10}, true);
  EXPECT_EQ(Caches().colorRects.GetCount(), 1u);
  EXPECT_EQ(At(11, 11), kRed) << "(0.25, 0, 1, 1) scaled by 2 covers (1, 0, 2, 2)";
  EXPECT_EQ(At(10, 10), kBlue);
  EXPECT_EQ(At(31, 11), kRed);
}

TEST_F(GLDrawing, AListNotDrawnBetweenTwoPurgesIsReleasedAtTheSecond) {
  const PolylineT<float> kept = Square(4), dropped = Square(6);
  gl.renderer->DrawPolyline(kept, Color::FromARGB(kRed), {0, 0}, {1, 1}, true);
  gl.renderer->DrawPolyline(dropped, Color::FromARGB(kRed), {0, 0}, {1, 1}, true);
  gl.gl->PurgeCaches();
  gl.renderer->DrawPolyline(kept, Color::FromARGB(kRed), {0, 0}, {1, 1}, true);
  gl.gl->PurgeCaches();
  EXPECT_TRUE(Caches().polylines.GetSlot(0).object);
  EXPECT_FALSE(Caches().polylines.GetSlot(1).object);
}

TEST_F(GLDrawing, TextInksNearItsPositionAndMeasuresLikeItsGlyphs) {
  const RCPtr<LFont> font = LFont::GetFont(u"DejaVu Sans", 12, 0);
  gl.renderer->DrawText(u"MM", font, {5, 5}, Color::FromARGB(kBlue));
  EXPECT_EQ(gl.renderer->GetCurrentContext()->GetState().offset.x, 0) << "the position is undone after the text";
  const RectT<float> box = gl.renderer->MeasureText(u"MM", font);
  EXPECT_NEAR(box.width, 2 * 14 + 1, 2);
  EXPECT_LT(box.y, -10);
  EXPECT_EQ(gl.renderer->MeasureText(u"", font), (RectT<float>{}));
  gl.Finish();
  int inked = 0;
  for (int y = 0; y < 40; ++y) {
    for (int x = 0; x < 60; ++x) {
      if (gl.At(x, y) == 0) continue;
      ++inked;
      EXPECT_TRUE(x >= 5 && y >= 5 && x < 40 && y < 25) << x << "," << y;
    }
  }
  EXPECT_GT(inked, 40);
}

TEST(GLFonts, ClosingOneRendererLeavesTheOtherDrawingText) {
  Testing::HeadlessGLRenderer first(40, 20);
  ASSERT_TRUE(first.IsReady());
  const RCPtr<LFont> font = LFont::GetFont(u"DejaVu Sans", 12, 0);
  {
    Testing::HeadlessGLRenderer second(40, 20);
    second.Start();
    second.renderer->DrawText(u"x", font, {0, 0}, Color::FromARGB(kRed));
    second.Finish();
  }
  first.application.renderer = first.renderer;
  first.Start();
  first.renderer->DrawText(u"MW", font, {2, 2}, Color::FromARGB(kRed));
  first.Finish();
  int inked = 0;
  for (const uint32_t pixel : first.Picture()) inked += pixel != 0;
  EXPECT_GT(inked, 20);
}

}  // namespace
}  // namespace SV
