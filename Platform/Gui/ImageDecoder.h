#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace Platform::Gui {

// A decoded image: straight-alpha 0xAARRGGBB words, rows packed.
struct DecodedImage {
  int32_t width = 0;
  int32_t height = 0;
  std::vector<uint32_t> pixels;
};

// The largest side and pixel count an image may have; larger ones are refused before
// they are decoded (skin images are small; this bounds what a hostile file can claim).
inline constexpr int32_t kMaxImageSide = 16384;
inline constexpr int64_t kMaxImagePixels = int64_t{1} << 24;

// Decode with Qt's image readers. Each returns false, leaving `image` empty, for
// missing, empty, truncated or undecodable input and for images beyond the size limit.
// Any thread.
bool DecodeImageBytes(const uint8_t* bytes, size_t size, DecodedImage& image);
bool DecodeImageFile(const std::string& utf8Path, DecodedImage& image);

}  // namespace Platform::Gui
