// Feeds arbitrary bytes to the bitmap loader as a built-in image resource (Qt's image
// readers behind it): a load either fails cleanly (no pixels) or gives pixels that
// match the bitmap's area, and every pixel of it can be read and cut into views.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "SVFramework/Utilities/Graphics/Bitmap.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  SV::LBitmap::SetResourceReader([&bytes](const std::string&, std::string& out) {
    out = bytes;
    return true;
  });
  const SV::RCPtr<SV::LBitmap> bitmap(new SV::LBitmap(u"::fuzz.png", u"::FUZZ.PNG"));
  if (!bitmap->HasPixels()) {
    if (bitmap->GetWidth() != 0 || bitmap->GetHeight() != 0) std::abort();
    return 0;
  }
  const SV::BitmapPixels* pixels = bitmap->GetNativeBitmap();
  if (pixels->GetWidth() != bitmap->GetWidth() || pixels->GetHeight() != bitmap->GetHeight()) std::abort();
  const int32_t x = bitmap->GetWidth() - 1, y = bitmap->GetHeight() - 1;
  if (bitmap->GetPixelColor(x, y).ToARGB() != *pixels->GetPixelAddress(x, y)) std::abort();
  if (bitmap->CreateSubBitmap(x / 2, y / 2, 1, 1)->Clone()->GetWidth() != 1) std::abort();
  return 0;
}
