#include "SVFramework/Utilities/Graphics/FontText.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/Support/Renderer/FakeMeasuringRenderer.h"
#include "tests/Support/Renderer/StandInApplication.h"

namespace SV {
namespace {

// Every character is 10 pixels wide, every line 16 pixels high.
class TextLayout : public ::testing::Test {
protected:
  void SetUp() override { application.renderer = measuring; }

  RCPtr<LFontText> Text(const char16_t* text) { return LFontText::Create(text, LFont::GetFont(u"Layout Face", 9, 0)); }

  std::vector<std::u16string> Lines(const RCPtr<LFontText>& text) {
    text->Layout();
    std::vector<std::u16string> lines;
    for (uint32_t i = 0; i < text->GetLines().GetCount(); ++i) lines.emplace_back(text->GetLines()[i].View());
    return lines;
  }

  RCPtr<Testing::FakeMeasuringRenderer> measuring{new Testing::FakeMeasuringRenderer};
  Testing::StandInApplication application;
};

TEST_F(TextLayout, SplitsAtLineBreaksWithoutATrailingEmptyLine) {
  struct Case {
    const char16_t* text;
    std::vector<std::u16string> lines;
  };
  const Case cases[] = {
      {u"", {u""}},
      {u"one", {u"one"}},
      {u"one\ntwo", {u"one", u"two"}},
      {u"one\n\ntwo", {u"one", u"", u"two"}},
      {u"one\n", {u"one"}},
      {u"\n", {u""}},
  };
  for (size_t i = 0; i < std::size(cases); ++i) EXPECT_EQ(Lines(Text(cases[i].text)), cases[i].lines) << "case " << i;
}

TEST_F(TextLayout, FitLineBreaksAtSpacesAndAfterHyphens) {
  struct Case {
    const char* what;
    const char16_t* text;
    int32_t width;
    uint32_t expected;
  };
  const Case cases[] = {
      {"the last space that fits", u"Retrieve Preset Error", 160, 15},
      {"a narrower whole text fits whole", u"Retrieve Preset Error", 211, 21},
      {"a text exactly as wide still breaks", u"abc def", 70, 3},
      {"a later hyphen that fits wins over the space", u"abc def-ghi-jk", 125, 12},
      {"else the space", u"abc def-ghi-jk", 100, 3},
      {"a hyphenated word ends after its last hyphen that fits", u"aaaa-bbbb-cccc", 100, 10},
      {"the search goes on inside the part", u"aaaa-bbbb-cccc", 60, 5},
      {"a part without a further hyphen overflows whole", u"aaaa-bbbb-cccc", 30, 5},
      {"a long word without break stays whole", u"abcdefghijkl", 50, 12},
      {"a trailing hyphen is no break", u"abcdef-", 30, 7},
      {"an empty text", u"", 0, 0},
  };
  for (const Case& c : cases) {
    const RCPtr<LFontText> text = Text(c.text);
    EXPECT_EQ(text->FitLine(measuring.Get(), c.width, c.text), c.expected) << c.what;
  }
}

TEST_F(TextLayout, WrapDropsTheBreakingBlanksAndKeepsHyphens) {
  struct Case {
    const char* what;
    const char16_t* text;
    int32_t width;
    std::vector<std::u16string> lines;
  };
  const Case cases[] = {
      {"two lines", u"Retrieve Preset Error", 160, {u"Retrieve Preset", u"Error"}},
      {"two blanks keep one at the end", u"ab  cd", 45, {u"ab ", u"cd"}},
      {"hyphen stays at the end of its line", u"aaaa-bbbb-cccc", 60, {u"aaaa-", u"bbbb-", u"cccc"}},
      {"paragraphs wrap apart; an empty one is one line", u"ab cd\n\nef", 25, {u"ab", u"cd", u"", u"ef"}},
      {"a word wider than the box is a line of its own", u"a abcdefgh b", 50, {u"a", u"abcdefgh", u"b"}},
  };
  for (const Case& c : cases) {
    const RCPtr<LFontText> text = Text(c.text);
    text->SetWrap(true);
    text->SetBoxSize(c.width, 100);
    EXPECT_EQ(Lines(text), c.lines) << c.what;
  }
}

TEST_F(TextLayout, PlacesLinesByTheAlignmentFactorsAndTheLineHeight) {
  const RCPtr<LFontText> text = Text(u"abcd\nab");
  text->SetBoxSize(100, 40);
  text->SetAlignment(1.0f, 0.5f);
  ASSERT_EQ(text->Layout(), 2u);
  EXPECT_EQ(text->GetLineRect(0), (RectT<float>{60, 4, 40, 16}));
  EXPECT_EQ(text->GetLineRect(1), (RectT<float>{80, 20, 20, 16}));
  EXPECT_EQ(text->GetLineRect(2), (RectT<float>{}));
}

TEST_F(TextLayout, AnEmptyTextIsOneEmptyLineWithItsMeasuredOffsetFoldedIn) {
  measuring->xOffset = 1;
  const RCPtr<LFontText> text = Text(u"");
  text->SetBoxSize(50, 30);
  text->SetAlignment(0, 1);
  EXPECT_EQ(text->GetLineRect(0), (RectT<float>{0, 14, 0, 16}));
}

TEST_F(TextLayout, ExtentReachesFromTheBoxOrigin) {
  const RCPtr<LFontText> text = Text(u"abc");
  text->SetBoxSize(80, 26);
  text->SetAlignment(0.4f, 0.5f);
  EXPECT_EQ(text->GetLineRect(0), (RectT<float>{20, 5, 30, 16}));
  EXPECT_EQ(text->GetExtent(), (PointT<int32_t>{50, 21}));
}

TEST_F(TextLayout, WidestLineRoundsUpBeyondAHundredthOfAPixel) {
  measuring->advances[u'a'] = 10.005f;
  measuring->advances[u'b'] = 10.02f;
  EXPECT_EQ(Text(u"a\nxx")->GetWidestLineWidth(), 20);
  EXPECT_EQ(Text(u"a")->GetWidestLineWidth(), 10);
  EXPECT_EQ(Text(u"b")->GetWidestLineWidth(), 11);
}

TEST_F(TextLayout, HeightForWidthCountsWrappedLinesWithoutTouchingTheLayout) {
  const RCPtr<LFontText> text = Text(u"Retrieve Preset Error");
  text->SetWrap(true);
  text->SetBoxSize(300, 16);
  EXPECT_EQ(text->Layout(), 1u);
  EXPECT_EQ(text->GetHeightForWidth(160), 32);
  EXPECT_EQ(text->GetLines().GetCount(), 1u);
}

TEST_F(TextLayout, SettersInvalidateOnlyOnRealChanges) {
  const RCPtr<LFontText> text = Text(u"same");
  text->Layout();
  const int measured = measuring->measures;
  EXPECT_FALSE(text->SetText(u"same"));
  EXPECT_FALSE(text->SetWrap(false));
  EXPECT_FALSE(text->SetFont(LFont::GetFont(u"LAYOUT FACE", 9, 0))) << "registry gives the same font";
  text->Layout();
  EXPECT_EQ(measuring->measures, measured);
  EXPECT_TRUE(text->SetText(u"other"));
  EXPECT_TRUE(text->SetFont(nullptr));
  EXPECT_EQ(text->GetLineRect(0), (RectT<float>{})) << "without a font every text measures nothing";
}

}  // namespace
}  // namespace SV
