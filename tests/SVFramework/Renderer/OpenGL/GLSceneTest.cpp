#include <gtest/gtest.h>

#include <QImage>

#include <cstdlib>
#include <filesystem>

#include "SVFramework/Renderer/OpenGL/GLRenderer.h"
#include "tests/Support/Renderer/EditorScene.h"
#include "tests/Support/Renderer/HeadlessGLRenderer.h"

namespace SV {
namespace {

// The same scene through the OpenGL back end, opaque as the window shows it.
QImage GLScene() {
  Testing::HeadlessGLRenderer gl(240, 120);
  if (!gl.IsReady()) return {};
  gl.Start();
  Testing::DrawEditorScene(gl.renderer);
  gl.Finish();
  const std::vector<uint32_t> pixels = gl.Picture();
  return QImage(reinterpret_cast<const uchar*>(pixels.data()), 240, 120, QImage::Format_RGB32).copy();
}

bool Near(QRgb a, QRgb b, int tolerance) {
  return std::abs(qRed(a) - qRed(b)) <= tolerance && std::abs(qGreen(a) - qGreen(b)) <= tolerance &&
         std::abs(qBlue(a) - qBlue(b)) <= tolerance;
}

// Written to screenshots/GLScene.png in the test's folder for a person to look at,
// beside the raster back end's RasterScene.png.
TEST(GLScene, DrawsTheRasterBackEndsSceneAlikeAtChosenPixels) {
  const QImage raster = Testing::DrawEditorSceneWithRasterBackEnd().convertToFormat(QImage::Format_ARGB32);
  const QImage gl = GLScene();
  ASSERT_FALSE(gl.isNull()) << "EGL surfaceless with desktop OpenGL (Mesa) is needed";
  std::filesystem::create_directories("screenshots");
  EXPECT_TRUE(gl.save("screenshots/GLScene.png"));
  struct Point {
    int x, y;
    const char* what;
  };
  for (const Point& point : {Point{1, 1, "light checker cell"}, Point{5, 5, "dark checker cell"},
                             Point{236, 116, "checker at the far corner"}, Point{40, 17, "stretched knob"},
                             Point{40, 37, "centred knob"}, Point{20, 37, "beside the centred knob"},
                             Point{200, 100, "half-transparent panel"},
                             Point{150, 57, "child's white fill"}, Point{165, 50, "panel right of the child"}}) {
    EXPECT_TRUE(Near(gl.pixel(point.x, point.y), raster.pixel(point.x, point.y), 3))
        << point.what << ": " << std::hex << gl.pixel(point.x, point.y) << " against " << raster.pixel(point.x, point.y);
  }
  // Lines fall on pixel edges and are smoothed: the outline shares its colour between
  // the two columns beside its edge.
  const QRgb outline = gl.pixel(90, 50), beside = gl.pixel(89, 50);
  EXPECT_GT(qRed(outline) - qBlue(outline) + qRed(beside) - qBlue(beside), 100) << "the panel's orange outline";
  int textInk = 0;
  for (int y = 14; y < 30; ++y)
    for (int x = 96; x < 180; ++x) textInk += qRed(gl.pixel(x, y)) < 120;
  EXPECT_GT(textInk, 30) << "the dark label is drawn on the panel";
  for (int y = 40; y < 60; ++y)
    for (int x = 156; x < 170; ++x) EXPECT_GT(qRed(gl.pixel(x, y)), 150) << "clipped text leaks at " << x << "," << y;
}

}  // namespace
}  // namespace SV
