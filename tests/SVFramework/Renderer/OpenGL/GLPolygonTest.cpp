#include "SVFramework/Renderer/OpenGL/GLPolygon.h"

#include <gtest/gtest.h>

#include "tests/Support/Renderer/HeadlessGL.h"

namespace SV {
namespace {

PolylineT<float> Outline(std::initializer_list<PointT<float>> points) {
  PolylineT<float> polyline;
  for (const PointT<float>& point : points) polyline.points.Append(point);
  return polyline;
}

class GLPolygonFill : public ::testing::Test {
protected:
  void SetUp() override {
    ASSERT_TRUE(gl.IsReady());
    glColor4f(1, 0, 0, 1);
  }
  int Filled() {
    int count = 0;
    for (int y = 0; y < 40; ++y)
      for (int x = 0; x < 40; ++x) count += gl.At(x, y) != 0;
    return count;
  }
  Testing::HeadlessGL gl{40, 40};
};

TEST_F(GLPolygonFill, AConcaveOutlineFillsExactlyItsArea) {
  CGLPolygon().Tessellate(Outline({{0, 0}, {20, 0}, {20, 10}, {10, 10}, {10, 20}, {0, 20}}));
  EXPECT_EQ(Filled(), 20 * 10 + 10 * 10);
  EXPECT_EQ(gl.At(15, 15), 0u) << "nothing in the notch of the L";
  EXPECT_NE(gl.At(5, 15), 0u);
}

TEST_F(GLPolygonFill, ACrossingOutlineAndOneOfTwoPointsFillNothing) {
  CGLPolygon().Tessellate(Outline({{0, 0}, {20, 20}, {20, 0}, {0, 20}}));
  CGLPolygon().Tessellate(Outline({{0, 0}, {20, 20}}));
  EXPECT_EQ(Filled(), 0);
}

TEST_F(GLPolygonFill, TheVertexBufferGrowsToThreeDoublesAPointAndNeverShrinks) {
  const auto ring = [](int n) {
    PolylineT<float> polyline;
    for (int i = 0; i < n; ++i) polyline.points.Append({static_cast<float>(i % 2 ? 30 : 2), static_cast<float>(i) * 30 / n});
    return polyline;
  };
  const size_t before = CGLPolygon::GetVertexBufferSize();
  CGLPolygon().Tessellate(ring(100));
  EXPECT_EQ(CGLPolygon::GetVertexBufferSize(), std::max<size_t>(before, 300));
  CGLPolygon().Tessellate(ring(10));
  EXPECT_EQ(CGLPolygon::GetVertexBufferSize(), std::max<size_t>(before, 300));
  CGLPolygon().Tessellate(ring(200));
  EXPECT_EQ(CGLPolygon::GetVertexBufferSize(), std::max<size_t>(before, 600));
}

}  // namespace
}  // namespace SV
