#include "SVFramework/Renderer/OpenGL/GLTexture.h"

#include <gtest/gtest.h>

#include <vector>

#include "SVFramework/Renderer/OpenGL/GLApi.h"
#include "SVFramework/Utilities/Graphics/Bitmap.h"
#include "SVFramework/Utilities/Graphics/BitmapData.h"
#include "tests/Support/Renderer/HeadlessGL.h"
#include "tests/Support/Renderer/PixelColors.h"

namespace SV {
namespace {

using Testing::kBlue;
using Testing::kGreen;
using Testing::kRed;

// A bitmap whose left half is red and right half blue, bottom row green.
RCPtr<LBitmap> HalvesBitmap(int32_t width, int32_t height) {
  RCPtr<LBitmap> bitmap = LBitmap::CreateFilledBitmap({width, height}, Color{});
  for (int32_t y = 0; y < height; ++y) {
    for (int32_t x = 0; x < width; ++x) {
      *bitmap->GetNativeBitmap()->GetPixelAddress(x, y) = y == height - 1 ? kGreen : x < width / 2 ? kRed : kBlue;
    }
  }
  return bitmap;
}

class GLTextureOnPbuffer : public ::testing::Test {
protected:
  void SetUp() override { ASSERT_TRUE(gl.IsReady()) << "EGL surfaceless with desktop OpenGL (Mesa) is needed"; }
  Testing::HeadlessGL gl{160, 100};
};

TEST(GLTextureSizes, RoundUpToPowerOfTwoStaysWithinTheLargestTexture) {
  const std::pair<int32_t, int32_t> rows[] = {{1, 1}, {3, 4}, {64, 64}, {65, 128}, {16384, 16384}, {20000, 16384},
                                              {0, 0}, {-5, 0}};
  for (const auto& [size, expected] : rows) EXPECT_EQ(LGLTexture::RoundUpToPowerOfTwo(size), expected) << size;
}

TEST_F(GLTextureOnPbuffer, ABitmapSitsInTheCornerOfAPowerOfTwoTextureAndDrawsWhole) {
  const RCPtr<LGLTexture> texture(new LGLTexture);
  texture->SetBitmap(HalvesBitmap(100, 60));
  EXPECT_EQ(texture->GetTextureWidth(), 128);
  EXPECT_EQ(texture->GetTextureHeight(), 64);
  EXPECT_EQ(texture->GetImageWidth(), 100);
  EXPECT_EQ(texture->GetImageHeight(), 60);
  ASSERT_TRUE(texture->IsLive());
  glColor4f(1, 1, 1, 1);
  const float source[] = {0, 0, 100, 60}, destination[] = {10, 20, 110, 80};
  texture->Draw(source, destination);
  EXPECT_EQ(gl.At(10, 20), kRed);
  EXPECT_EQ(gl.At(59, 40), kRed);
  EXPECT_EQ(gl.At(61, 40), kBlue);
  EXPECT_EQ(gl.At(109, 20), kBlue);
  EXPECT_EQ(gl.At(50, 79), kGreen) << "the last image row is drawn at the bottom, nothing of the empty texture part";
  EXPECT_EQ(gl.At(50, 80), 0u);
  EXPECT_EQ(glIsEnabled(GL_TEXTURE_2D), GL_FALSE);
}

TEST_F(GLTextureOnPbuffer, RepeatWrappingRescalesTheImageToTheTexture) {
  const RCPtr<LBitmap> bitmap = HalvesBitmap(100, 60);
  const RCPtr<LBitmapData> pixels = bitmap->GetPixelData();
  LGLImage image;
  image.Attach(pixels->GetPixelAddress(0, 0), pixels->GetStride(), 4, 100, 60, GL_BGRA, GL_UNSIGNED_BYTE);
  const RCPtr<LGLTexture> texture(new LGLTexture);
  texture->LoadImage(image, GL_RGBA8, LGLTexture::kRepeatAndRescale, 1.0f);
  EXPECT_EQ(texture->GetImageWidth(), 128);
  EXPECT_EQ(texture->GetImageHeight(), 64);
  EXPECT_EQ(texture->GetLogicalWidth(), 100);
  EXPECT_TRUE(image.OwnsData());
  EXPECT_EQ(image.width, 128);
}

TEST_F(GLTextureOnPbuffer, UploadDescribesRowsByLengthAndAlignment) {
  struct Row {
    int32_t bytesPerPixel, bytesPerRow, rowLength, alignment;
  };
  for (const Row row : {Row{3, 302, 100, 4}, Row{4, 400, 100, 1}, Row{1, 13, 13, 1}}) {
    LGLImage image;
    image.Attach(nullptr, row.bytesPerRow, row.bytesPerPixel, 1, 1, GL_BGRA, GL_UNSIGNED_BYTE);
    image.ApplyUnpackLayout();
    GLint length = 0, alignment = 0;
    glGetIntegerv(GL_UNPACK_ROW_LENGTH, &length);
    glGetIntegerv(GL_UNPACK_ALIGNMENT, &alignment);
    EXPECT_EQ(length, row.rowLength) << row.bytesPerRow;
    EXPECT_EQ(alignment, row.alignment) << row.bytesPerRow;
  }
}

TEST(GLImageAlpha, CoverageIsTheInverseLuminanceAndZeroStaysZero) {
  const uint32_t pixels[] = {0x00FFFFFFu, 0xFF000000u, 0u, 0xFFFF0000u};
  LGLImage image;
  image.Attach(pixels, 16, 4, 4, 1, GL_BGRA, GL_UNSIGNED_BYTE);
  image.ToAlpha();
  ASSERT_EQ(image.bytesPerPixel, 1);
  EXPECT_EQ(image.bytesPerRow, 4);
  EXPECT_EQ(image.data[0], 0);
  EXPECT_EQ(image.data[1], 255);
  EXPECT_EQ(image.data[2], 0);
  EXPECT_EQ(image.data[3], 255 - 76) << "0.3 x 255 truncates to 76";
}

}  // namespace
}  // namespace SV
