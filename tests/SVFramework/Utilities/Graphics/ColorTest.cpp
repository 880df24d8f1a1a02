#include "SVFramework/Utilities/Graphics/Color.h"

#include <gtest/gtest.h>

#include <limits>

namespace SV {
namespace {

constexpr float kOneByte = 1.0f / 255.0f;

Color Make(float red, float green, float blue, float alpha) { return Color{red, green, blue, alpha}; }

TEST(ColorFromHexText, SetsTheChannelsItsLengthNames) {
  const Color start = Make(0.25f, 0.5f, 0.75f, 1.0f);
  struct Case {
    const char* what;
    const char* text;
    Color expected;
  };
  const Case cases[] = {
      {"two digits set alpha only", "0x80", Make(0.25f, 0.5f, 0.75f, 128 * kOneByte)},
      {"six digits set red, green and blue, keeping alpha", "FF0000", Make(1.0f, 0.0f, 0.0f, 1.0f)},
      {"eight digits after an upper-case prefix set all four", "0X40FF8000",
       Make(1.0f, 128 * kOneByte, 0.0f, 64 * kOneByte)},
      {"eight digits without a prefix", "FF000000", Make(0.0f, 0.0f, 0.0f, 1.0f)},
      {"five characters change nothing", "12345", start},
      {"an empty text changes nothing", "", start},
      {"a bare prefix changes nothing", "0x", start},
      {"two characters that are no digits read as 0", "GG", Make(0.25f, 0.5f, 0.75f, 0.0f)},
      {"reading stops at the first non-digit", "0x1G", Make(0.25f, 0.5f, 0.75f, 1 * kOneByte)},
  };
  for (const Case& c : cases) {
    Color color = start;
    color.SetFromHexString(c.text);
    EXPECT_EQ(color, c.expected) << c.what;
  }
}

TEST(ColorFromHexText, NullTextLeavesTheColourUnchanged) {
  Color color = Make(0.1f, 0.2f, 0.3f, 0.4f);
  color.SetFromHexString(nullptr);
  EXPECT_EQ(color, Make(0.1f, 0.2f, 0.3f, 0.4f));
}

TEST(ColorPackedWord, RoundsHalfAwayFromZeroAndClampsEachChannel) {
  constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();
  struct Case {
    const char* what;
    Color color;
    uint32_t expected;
  };
  const Case cases[] = {
      {"a half rounds up", Make(1.0f, 0.5f, 0.0f, 1.0f), 0xFFFF8000u},
      {"above one packs as 255, below zero as 0", Make(2.0f, -0.2f, 1e30f, -1e30f), 0x00FF00FFu},
      {"not a number packs as 0", Make(kNaN, 0.0f, 0.0f, 1.0f), 0xFF000000u},
      {"all zero", Make(0, 0, 0, 0), 0u},
  };
  for (const Case& c : cases) EXPECT_EQ(c.color.ToARGB(), c.expected) << c.what;
}

TEST(ColorPackedWord, EveryByteSurvivesTheRoundTrip) {
  for (uint32_t byte = 0; byte < 256; ++byte) {
    const uint32_t word = (byte << 24) | ((255 - byte) << 16) | (byte << 8) | (byte ^ 0x5A);
    EXPECT_EQ(Color::FromARGB(word).ToARGB(), word) << byte;
  }
}

TEST(ColorPackedWord, UnpacksEachByteIntoItsChannel) {
  const Color color = Color::FromARGB(0x80FF4000u);
  EXPECT_EQ(color.alpha, 128 * kOneByte);
  EXPECT_EQ(color.red, 255 * kOneByte);
  EXPECT_EQ(color.green, 64 * kOneByte);
  EXPECT_EQ(color.blue, 0.0f);
}

TEST(ColorEquality, ComparesTheFloatsExactly) {
  EXPECT_EQ(Make(0.5f, 0.5f, 0.5f, 1.0f), Make(0.5f, 0.5f, 0.5f, 1.0f));
  EXPECT_FALSE(Make(0.5f, 0.5f, 0.5f, 1.0f) == Make(0.5f, 0.5f, 0.5000001f, 1.0f));
}

}  // namespace
}  // namespace SV
