#pragma once
#include <QBuffer>
#include <QByteArray>
#include <QImage>

#include <cstdint>
#include <string>
#include <vector>

namespace SV::Testing {

// A small image the test makes itself: width x height straight-alpha 0xAARRGGBB
// words, row by row.
struct FixtureImage {
  int width = 0;
  int height = 0;
  std::vector<uint32_t> pixels;

  uint32_t At(int x, int y) const { return pixels[static_cast<size_t>(y) * width + x]; }
};

// Every pixel a different, recognisable value: 0xAA, then x, y and their sum.
inline FixtureImage Gradient(int width, int height, uint32_t alpha = 0xFF) {
  FixtureImage image{width, height, {}};
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      image.pixels.push_back((alpha << 24) | (uint32_t(x * 16 & 0xFF) << 16) | (uint32_t(y * 16 & 0xFF) << 8) |
                             uint32_t((x + y) & 0xFF));
    }
  }
  return image;
}

// The image encoded as PNG (lossless, alpha kept).
inline std::string EncodePng(const FixtureImage& image) {
  QImage qimage(image.width, image.height, QImage::Format_ARGB32);
  for (int y = 0; y < image.height; ++y) {
    for (int x = 0; x < image.width; ++x) qimage.setPixel(x, y, image.At(x, y));
  }
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  qimage.save(&buffer, "PNG");
  return std::string(bytes.constData(), static_cast<size_t>(bytes.size()));
}

}  // namespace SV::Testing
