#include "SVFramework/Renderer/FontRenderer/FreetypeFontRenderer.h"

#include <gtest/gtest.h>

#include <set>

#include "SVFramework/Renderer/FontRenderer/FontFileInfo.h"
#include "SVFramework/Renderer/FontRenderer/FreetypeState.h"
#include "SVFramework/Utilities/Graphics/Font.h"
#include "tests/Support/Renderer/RecordingGlyphProcessor.h"
#include "tests/Support/Renderer/StandInApplication.h"

namespace SV {
namespace {

using Testing::RecordingGlyphProcessor;

// A FreeType font renderer over the installed fonts, passing its glyphs to a recorder.
class FreetypeText : public ::testing::Test {
protected:
  RCPtr<LFontRenderer> Make() { return RCPtr<LFontRenderer>(new LFreetypeFontRenderer(recorder, recorder)); }
  int32_t Pass(const String& text, float points) {
    return fonts->RenderText(text, LFont::GetFont(u"DejaVu Sans", points, 0), recorder, 0, 0, 3);
  }

  Testing::StandInApplication application;
  RCPtr<RecordingGlyphProcessor> recorder{new RecordingGlyphProcessor};
  RCPtr<LFontRenderer> fonts = Make();
};

// Advances of DejaVu Sans in font units (2048 to the em), from the font's metrics
// table: at 12 points and 96 pixels per inch (16 pixels to the em) each glyph advances
// by its units x 16 / 2048, hinted to whole pixels.
TEST_F(FreetypeText, AdvancesMatchTheKnownWidthsOfDejaVuSans) {
  struct Row {
    char16_t character;
    int units;
  };
  for (const Row row : {Row{u'M', 1767}, Row{u'i', 569}, Row{u' ', 651}, Row{u'W', 2025}, Row{u'0', 1303}}) {
    ASSERT_EQ(Pass(String(row.character), 12), 1);
    ASSERT_EQ(recorder->glyphs.size(), 1u);
    const float pixels = static_cast<float>(static_cast<int16_t>(recorder->glyphs[0].advance & 0xFFFF)) / 64;
    EXPECT_NEAR(pixels, row.units * 16.0 / 2048, 0.5) << static_cast<char>(row.character);
  }
}

TEST_F(FreetypeText, PenMovesByEachAdvanceAndAMissingGlyphIsPassedOverButCounted) {
  EXPECT_EQ(Pass(u"i\xE000M", 12), 3);
  ASSERT_EQ(recorder->glyphs.size(), 2u);
  const auto& [first, second] = std::pair(recorder->glyphs[0], recorder->glyphs[1]);
  EXPECT_EQ(first.position, 0);
  EXPECT_EQ(second.position, 2);
  EXPECT_FLOAT_EQ(second.penX - first.penX, static_cast<float>(static_cast<int16_t>(first.advance & 0xFFFF)) / 64);
  EXPECT_LT(first.box[1], 0) << "ink above the baseline has a negative top";
}

TEST_F(FreetypeText, AnEmptyTextBeginsAndEndsAPassAndCountsNothing) {
  EXPECT_EQ(Pass(u"", 12), 0);
  EXPECT_EQ(recorder->begun, 1);
  EXPECT_EQ(recorder->ended, 1);
  EXPECT_TRUE(recorder->glyphs.empty());
}

TEST_F(FreetypeText, SmallSizesRenderMonochromeAndLargerOnesCoverage) {
  const auto valuesOf = [&](float points) {
    Pass(u"@", points);
    std::set<int> values;
    const auto& bitmap = *recorder->glyphs.at(0).bitmap;
    for (int y = 0; y < bitmap.GetHeight(); ++y)
      for (int x = 0; x < bitmap.GetWidth(); ++x) values.insert(*bitmap.GetPixelAddress(x, y));
    return values;
  };
  EXPECT_EQ(valuesOf(7.5f), (std::set<int>{0, 255}));
  EXPECT_GT(valuesOf(8.0f).size(), 2u);
}

TEST_F(FreetypeText, KerningPullsAKernedPairCloser) {
  Pass(u"AV", 24);
  ASSERT_EQ(recorder->glyphs.size(), 2u);
  const float advanceA = static_cast<float>(static_cast<int16_t>(recorder->glyphs[0].advance & 0xFFFF)) / 64;
  EXPECT_LT(recorder->glyphs[1].penX - recorder->glyphs[0].penX, advanceA);
}

TEST_F(FreetypeText, MetricsPutTheAscentAboveAndTheDescentBelowTheBaseline) {
  int32_t height = 0, ascent = 0, descent = 0;
  ASSERT_EQ(fonts->GetFontMetrics(LFont::GetFont(u"DejaVu Sans", 12, 0), height, ascent, descent), S_OK);
  EXPECT_LT(ascent, -10);
  EXPECT_GT(descent, 2);
  EXPECT_GE(height, descent - ascent);
  EXPECT_GE(height, 16);
}

TEST_F(FreetypeText, TheSharedStateOutlivesAllButTheLastRenderer) {
  RCPtr<LFontRenderer> second = Make();
  EXPECT_EQ(FreetypeState::GetHolderCount(), 2);
  second.Reset();
  EXPECT_EQ(FreetypeState::GetHolderCount(), 1);
  EXPECT_NE(FreetypeState::GetManager(), nullptr);
  EXPECT_GT(LFontFileInfo::GetFamilyCount(), 0u) << "closing one renderer kept the index of the other";
  EXPECT_EQ(Pass(u"Mi", 12), 2);
  EXPECT_EQ(recorder->glyphs.size(), 2u);
  fonts.Reset();
  EXPECT_EQ(FreetypeState::GetHolderCount(), 0);
  EXPECT_EQ(FreetypeState::GetManager(), nullptr);
  EXPECT_EQ(LFontFileInfo::GetFamilyCount(), 0u) << "the last renderer frees the index";
}

}  // namespace
}  // namespace SV
