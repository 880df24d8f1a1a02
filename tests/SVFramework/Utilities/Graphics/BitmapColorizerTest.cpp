#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "tests/Support/RaisedText.h"

#include <cmath>
#include <functional>

#include "SVFramework/Utilities/Graphics/Bitmap.h"
#include "SVFramework/Utilities/Graphics/BitmapData.h"

namespace SV {
namespace {

using ::testing::StartsWith;

using Testing::RaisedText;

ColorizeParams Solid(const Color& color) { return ColorizeParams{0, color, color, {}, {}}; }

ColorizeParams Gradient() { return ColorizeParams{1, Color{1, 0, 0, 1}, Color{0, 0, 1, 1}, {0, 0}, {1, 1}}; }

// A 16 x 16 owner holding every byte value once per channel, alpha varying too.
RCPtr<LBitmap> AllByteValues() {
  RCPtr<LBitmap> bitmap = LBitmap::CreateFilledBitmap({16, 16}, Color{});
  for (uint32_t i = 0; i < 256; ++i) {
    *bitmap->GetNativeBitmap()->GetPixelAddress(i % 16, i / 16) =
        ((255 - i) << 24) | (i << 16) | ((i * 7 & 0xFF) << 8) | (255 - i);
  }
  return bitmap;
}

uint32_t Pixel(const RCPtr<LBitmap>& bitmap, int x, int y) {
  return *bitmap->GetNativeBitmap()->GetPixelAddress(bitmap->GetX() + x, bitmap->GetY() + y);
}

TEST(BitmapColorizer, BlendsEachColourByteTowardTheColourAndKeepsAlpha) {
  struct Case {
    const char* what;
    Color color;
    float opacity;
  };
  const Case cases[] = {
      {"white at half opacity", {1, 1, 1, 1}, 0.5f},
      {"red at full opacity", {1, 0, 0, 1}, 1.0f},
      {"a transparent colour changes nothing", {0.3f, 0.6f, 0.9f, 0}, 1.0f},
      {"opacity 0 changes nothing", {0.3f, 0.6f, 0.9f, 1}, 0.0f},
      {"a mid colour at mid alpha", {0.2f, 0.4f, 0.6f, 0.7f}, 0.9f},
  };
  for (const Case& c : cases) {
    const RCPtr<LBitmap> original = AllByteValues();
    const RCPtr<LBitmap> bitmap = original->Clone();
    const ColorizeParams colorizer = Solid(c.color);
    LBitmap::ApplyColorizer(bitmap, &colorizer, c.opacity);
    const double k = double(c.color.alpha) * c.opacity;
    for (int y = 0; y < 16; ++y) {
      for (int x = 0; x < 16; ++x) {
        const uint32_t before = Pixel(original, x, y), after = Pixel(bitmap, x, y);
        ASSERT_EQ(after >> 24, before >> 24) << c.what;
        const float channels[] = {c.color.red, c.color.green, c.color.blue};
        for (int channel = 0; channel < 3; ++channel) {
          const int shift = 16 - 8 * channel;
          const double expected = ((before >> shift) & 0xFF) * (1 - k) + channels[channel] * k * 255;
          ASSERT_NEAR(double((after >> shift) & 0xFF), expected, 0.51) << c.what << " at " << x << "," << y;
        }
      }
    }
  }
}

TEST(BitmapColorizer, ExactValuesAtTheEnds) {
  const RCPtr<LBitmap> black = LBitmap::CreateFilledBitmap({2, 1}, Color{0, 0, 0, 0.5f});
  const ColorizeParams white = Solid({1, 1, 1, 1});
  LBitmap::ApplyColorizer(black, &white, 0.5f);
  EXPECT_EQ(Pixel(black, 0, 0), 0x80808080u);
  const RCPtr<LBitmap> grey = LBitmap::CreateFilledBitmap({1, 1}, Color::FromARGB(0x33123456));
  const ColorizeParams red = Solid({1, 0, 0, 1});
  LBitmap::ApplyColorizer(grey, &red, 1.0f);
  EXPECT_EQ(Pixel(grey, 0, 0), 0x33FF0000u);
}

TEST(BitmapColorizer, AGradientTypeWithEqualColoursBlendsLikeASolidOne) {
  const RCPtr<LBitmap> solid = AllByteValues();
  const RCPtr<LBitmap> radial = AllByteValues();
  ColorizeParams params = Solid({0.1f, 0.5f, 0.8f, 0.6f});
  LBitmap::ApplyColorizer(solid, &params, 0.75f);
  params.colorType = 2;
  LBitmap::ApplyColorizer(radial, &params, 0.75f);
  for (int i = 0; i < 256; ++i) ASSERT_EQ(Pixel(solid, i % 16, i / 16), Pixel(radial, i % 16, i / 16));
}

TEST(BitmapColorizer, ColorizingAViewChangesOnlyItsAreaOfTheOwner) {
  const RCPtr<LBitmap> owner = LBitmap::CreateFilledBitmap({4, 4}, Color{0, 0, 0, 1});
  const ColorizeParams red = Solid({1, 0, 0, 1});
  LBitmap::ApplyColorizer(owner->CreateSubBitmap(1, 1, 2, 2), &red, 1.0f);
  for (int y = 0; y < 4; ++y) {
    for (int x = 0; x < 4; ++x) {
      const bool inside = x >= 1 && x <= 2 && y >= 1 && y <= 2;
      EXPECT_EQ(Pixel(owner, x, y), inside ? 0xFFFF0000u : 0xFF000000u) << x << "," << y;
    }
  }
}

TEST(BitmapColorizer, FilledBitmapsHoldThePackedColourStraight) {
  const RCPtr<LBitmap> filled = LBitmap::CreateFilledBitmap({3, 2}, Color{1, 0, 0, 0.5f});
  EXPECT_EQ((std::array{filled->GetX(), filled->GetY(), filled->GetWidth(), filled->GetHeight()}),
            (std::array{0, 0, 3, 2}));
  for (int i = 0; i < 6; ++i) EXPECT_EQ(Pixel(filled, i % 3, i / 3), 0x80FF0000u);
  const ColorizeParams colorizer = Solid({0, 1, 0, 0.5f});
  const RCPtr<LBitmap> colorized = LBitmap::CreateColorizedBitmap(&colorizer, 0.5f, {1, 1});
  EXPECT_EQ(Pixel(colorized, 0, 0), 0x4000FF00u) << "alpha is colour alpha x opacity";
}

TEST(BitmapColorizer, PartBitmapOfAMaskAloneIsAColorizedCopy) {
  const RCPtr<LBitmap> mask = LBitmap::CreateFilledBitmap({2, 2}, Color{0, 0, 0, 1});
  const ColorizeParams blue = Solid({0, 0, 1, 1});
  const RCPtr<LBitmap> part = LBitmap::CreateColorizedPartBitmap(&blue, 1.0f, {9, 9}, nullptr, mask);
  EXPECT_EQ(Pixel(part, 1, 1), 0xFF0000FFu);
  EXPECT_EQ(Pixel(mask, 1, 1), 0xFF000000u) << "the mask is not changed";
  EXPECT_EQ(part->GetWidth(), 2);
  const RCPtr<LBitmap> plain = LBitmap::CreateColorizedPartBitmap(&blue, 1.0f, {3, 4}, nullptr, nullptr);
  EXPECT_EQ(plain->GetWidth() * 10 + plain->GetHeight(), 34);
}

TEST(BitmapColorizer, RefusalsRaiseTheirErrors) {
  const RCPtr<LBitmap> image = LBitmap::CreateFilledBitmap({2, 2}, Color{0, 0, 0, 1});
  const ColorizeParams solid = Solid({1, 1, 1, 1});
  const ColorizeParams gradient = Gradient();
  struct Case {
    const char* what;
    std::function<void()> action;
    const char* text;
  };
  const Case cases[] = {
      {"no colorizer", [&] { LBitmap::ApplyColorizer(image, nullptr, 1); },
       "Runtime Error : SV::LBitmap::ApplyColorizer : "},
      {"no bitmap", [&] { LBitmap::ApplyColorizer(nullptr, &solid, 1); },
       "Runtime Error : SV::LBitmap::ApplyColorizer : "},
      {"a bitmap without pixels cannot be locked", [&] { LBitmap::ApplyColorizer(new LBitmap, &solid, 1); },
       "Runtime Error : SV::LBitmap::ApplyColorizer : "},
      {"a gradient on an image", [&] { LBitmap::ApplyColorizer(image, &gradient, 1); },
       "Domain Error : SV::LBitmap::CreateGradientFilledBitmap : "},
      {"a gradient alone", [&] { LBitmap::CreateColorizedBitmap(&gradient, 1, {2, 2}); },
       "Domain Error : SV::LBitmap::CreateGradientFilledBitmap : "},
      {"the size is tested before the gradient", [&] { LBitmap::CreateColorizedBitmap(&gradient, 1, {0, 2}); },
       "Runtime Error : SV::LBitmap::CreateColorizedBitmap : "},
      {"a filled bitmap of no height", [&] { LBitmap::CreateFilledBitmap({2, 0}, Color{}); },
       "Runtime Error : SV::LBitmap::CreateFilledBitmap : "},
      {"image and mask together", [&] { LBitmap::CreateColorizedPartBitmap(&solid, 1, {2, 2}, image, image); },
       "Domain Error : SV::LBitmap::ApplyColorizer : "},
  };
  for (const Case& c : cases) EXPECT_THAT(RaisedText(c.action), StartsWith(c.text)) << c.what;
  EXPECT_EQ(Pixel(image, 0, 0), 0xFF000000u);
}

}  // namespace
}  // namespace SV
