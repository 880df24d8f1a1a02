#include "SVFramework/Renderer/OpenGL/GLGlyphRenderer.h"

#include <gtest/gtest.h>

#include "SVFramework/Utilities/Graphics/Font.h"
#include "tests/Support/Renderer/HeadlessGL.h"
#include "tests/Support/Renderer/StandInApplication.h"

namespace SV {
namespace {

using Glyph = LGlyphProcessor::SGlyphInfo;

// A glyph renderer in a measuring pass (no upload, no drawing) over a 9-point font,
// fed glyph records as a font renderer would.
class GlyphAtlas : public ::testing::Test {
protected:
  void SetUp() override {
    ASSERT_TRUE(gl.IsReady());
    renderer->Begin(font, LGlyphProcessor::kMeasurePass);
  }
  void TearDown() override { renderer->End(); }

  // Places a new glyph of the character with a bitmap of the size, its box the bitmap's
  // size standing on the baseline; returns its atlas position.
  std::pair<int, int> Place(uint32_t character, int32_t width, int32_t height, unsigned char ink = 0xFF) {
    Glyph glyph;
    glyph.character = character;
    EXPECT_EQ(renderer->QueryGlyph(glyph), 7) << "a glyph the atlas lacks is asked for whole";
    glyph.glyphIndex = character;
    glyph.advance = static_cast<uint32_t>(width * 64);
    glyph.box[1] = static_cast<int8_t>(-height);
    glyph.box[2] = static_cast<int8_t>(width);
    glyph.bitmap = LPixelBuffer<unsigned char>::Create(width, height, 0, nullptr);
    for (int32_t y = 0; y < height; ++y)
      for (int32_t x = 0; x < width; ++x) *glyph.bitmap->GetPixelAddress(x, y) = ink;
    renderer->ProcessGlyph(glyph);
    const auto placed = Atlas().glyphs.Find(character, {});
    return {placed.atlasX, placed.atlasY};
  }
  LGLGlyphRenderer::LCachedFont& Atlas() { return *glyphs->GetCurrentFont(); }

  Testing::HeadlessGL gl{16, 16};
  Testing::StandInApplication application;
  RCPtr<LFont> font = LFont::GetFont(u"DejaVu Sans", 9, 0);
  RCPtr<LGlyphProcessor> renderer = LGLGlyphRenderer::Create();
  LGLGlyphRenderer* glyphs = static_cast<LGLGlyphRenderer*>(renderer.Get());
};

TEST_F(GlyphAtlas, ANewFontStartsWithADirtyAtlasOfThePowerOfTwoAboveItsSize) {
  EXPECT_EQ(Atlas().GetAtlas()->GetWidth(), 512);
  EXPECT_EQ(Atlas().GetAtlas()->GetHeight(), 16);
  EXPECT_TRUE(Atlas().IsDirty());
  EXPECT_EQ(*Atlas().GetAtlas()->GetPixelAddress(511, 15), 0);
}

TEST_F(GlyphAtlas, GlyphsArePackedInBorderedCellsAlongTheShelf) {
  EXPECT_EQ(Place('a', 10, 8), std::make_pair(1, 1));
  EXPECT_EQ(Place('b', 4, 8), std::make_pair(13, 1));
  EXPECT_EQ(*Atlas().GetAtlas()->GetPixelAddress(13, 1), 0xFF);
  EXPECT_EQ(*Atlas().GetAtlas()->GetPixelAddress(12, 1), 0) << "the border stays empty";
  Glyph again;
  again.character = 'a';
  EXPECT_EQ(renderer->QueryGlyph(again), 0) << "a placed glyph is served from the table";
  EXPECT_EQ(again.glyphIndex, static_cast<uint32_t>('a'));
  EXPECT_EQ(again.box[2], 10);
}

TEST_F(GlyphAtlas, AnEmptyBitmapTakesATwoByTwoCellAndDirtiesNothing) {
  renderer->End();
  renderer->Begin(font, LGlyphProcessor::kDrawPass);
  EXPECT_FALSE(Atlas().IsDirty()) << "the drawing pass uploaded at Begin";
  Place(' ', 0, 0);
  EXPECT_FALSE(Atlas().IsDirty());
  EXPECT_EQ(Atlas().GetCursorX(), 2);
}

TEST_F(GlyphAtlas, AFullRowStartsANewShelfBelowItsTallestCell) {
  Place('a', 10, 12);
  for (uint32_t c = 'b'; Atlas().GetRowTop() == 0; ++c) Place(c, 50, 4);
  EXPECT_EQ(Atlas().GetRowTop(), 14) << "below the first, tallest cell of 12 + 2 rows";
  EXPECT_EQ(Atlas().GetAtlas()->GetHeight(), 32);
}

TEST_F(GlyphAtlas, ATallGlyphGrowsTheAtlasToTheNextPowerOfTwo) {
  Place('T', 5, 16);
  EXPECT_EQ(Atlas().GetAtlas()->GetHeight(), 32);
}

TEST_F(GlyphAtlas, AGlyphWiderThanTheAtlasIsNeitherKeptNorDrawn) {
  Place('W', 600, 2);
  EXPECT_EQ(Atlas().glyphs.GetCount(), 0u);
  EXPECT_EQ(Atlas().GetCursorX(), 0);
}

TEST_F(GlyphAtlas, BoundsOfAPassHoldTheOriginAndEveryGlyph) {
  Place('a', 10, 8);
  float bounds[4];
  renderer->GetBounds(bounds);
  EXPECT_EQ(bounds[0], 0);
  EXPECT_EQ(bounds[1], -8);
  EXPECT_EQ(bounds[2], 10);
  EXPECT_EQ(bounds[3], 0);
}

TEST_F(GlyphAtlas, OutsideAPassNothingIsAskedOrPlaced) {
  renderer->End();
  Glyph glyph;
  glyph.character = 'x';
  EXPECT_EQ(renderer->QueryGlyph(glyph), 0);
  renderer->ProcessGlyph(glyph);
  renderer->Begin(font, LGlyphProcessor::kMeasurePass);
  EXPECT_EQ(Atlas().glyphs.GetCount(), 0u);
}

TEST_F(GlyphAtlas, TheSeventeenthFontGivesUpTheLeastRecentlyUsedAtlas) {
  Place('a', 4, 4);
  renderer->End();
  for (int size = 10; size < 26; ++size) {
    renderer->Begin(LFont::GetFont(u"DejaVu Sans", static_cast<float>(size), 0), LGlyphProcessor::kMeasurePass);
    renderer->End();
  }
  renderer->Begin(font, LGlyphProcessor::kMeasurePass);
  EXPECT_EQ(Atlas().glyphs.GetCount(), 0u) << "the first font's atlas was rebuilt from nothing";
}

}  // namespace
}  // namespace SV
