#include "SVFramework/Utilities/Graphics/Font.h"

#include <gtest/gtest.h>

#include "tests/Support/Renderer/FakeMeasuringRenderer.h"
#include "tests/Support/Renderer/StandInApplication.h"

namespace SV {
namespace {

class SharedFonts : public ::testing::Test {
protected:
  void SetUp() override { application.renderer = measuring; }

  RCPtr<Testing::FakeMeasuringRenderer> measuring{new Testing::FakeMeasuringRenderer};
  Testing::StandInApplication application;
};

TEST_F(SharedFonts, OneDescriptionIsOneFontWhateverTheCaseOfItsFace) {
  const RCPtr<LFont> arial = LFont::GetFont(u"Arial", 9, 0);
  EXPECT_EQ(LFont::GetFont(u"Arial", 9, 0).Get(), arial.Get());
  EXPECT_EQ(LFont::GetFont(u"arial", 9, 0).Get(), arial.Get());
  EXPECT_EQ(arial->GetFace(), String(u"Arial")) << "the first spelling is kept";
}

TEST_F(SharedFonts, StyleOrSizeMakeAnotherFontWithTheNextSerial) {
  const RCPtr<LFont> regular = LFont::GetFont(u"Serif Test", 9, 0);
  const RCPtr<LFont> bold = LFont::GetFont(u"Serif Test", 9, 1);
  const RCPtr<LFont> tiny = LFont::GetFont(u"Serif Test", 9.000001f, 0);
  EXPECT_NE(bold.Get(), regular.Get());
  EXPECT_EQ(bold->GetUniqueID(), regular->GetUniqueID() + 1);
  EXPECT_NE(tiny.Get(), regular.Get());
  EXPECT_TRUE(*bold != *regular);
}

TEST_F(SharedFonts, ComparisonOfFontsIsCaseSensitiveInTheFace) {
  const RCPtr<LFont> font = LFont::GetFont(u"Compare Face", 10, 2);
  EXPECT_FALSE(*font != *font);
  const int32_t index = LFont::Find(u"COMPARE FACE", 10, 2);
  ASSERT_GE(index, 0);
  EXPECT_EQ(LFont::GetRegistry()[static_cast<uint32_t>(index)].Get(), font.Get());
}

TEST_F(SharedFonts, MeasuresOnceOnFirstUse) {
  const RCPtr<LFont> font = LFont::GetFont(u"Measured Face", 12, 0);
  EXPECT_FALSE(font->IsMeasured());
  EXPECT_EQ(measuring->metricsRequests, 0);
  EXPECT_EQ(font->GetAscent(), -12);
  EXPECT_EQ(font->GetHeight(), 16);
  EXPECT_EQ(font->GetDescent(), 4);
  EXPECT_EQ(measuring->metricsRequests, 1);
}

TEST_F(SharedFonts, WithoutAMeasuringRendererMetricsAreEstimatedAndMeasuredLater) {
  application.renderer = nullptr;
  const RCPtr<LFont> font = LFont::GetFont(u"Early Face", 12, 0);
  EXPECT_GT(font->GetHeight(), 0) << "never a zero line height";
  EXPECT_LT(font->GetAscent(), 0);
  EXPECT_FALSE(font->IsMeasured());
  application.renderer = measuring;
  EXPECT_EQ(font->GetHeight(), 16);
}

TEST_F(SharedFonts, AFontLeavesTheRegistryWithItsLastHolder) {
  const uint32_t before = LFont::GetRegistry().GetCount();
  RCPtr<LFont> font = LFont::GetFont(u"Leaving Face", 8, 0);
  const int32_t serial = font->GetUniqueID();
  EXPECT_EQ(LFont::GetRegistry().GetCount(), before + 1);
  font.Reset();
  EXPECT_EQ(LFont::Find(u"Leaving Face", 8, 0), -1);
  EXPECT_EQ(LFont::GetRegistry().GetCount(), before);
  EXPECT_GT(LFont::GetFont(u"Leaving Face", 8, 0)->GetUniqueID(), serial) << "made anew";
}

}  // namespace
}  // namespace SV
