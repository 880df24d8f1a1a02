#include <gtest/gtest.h>

#include "SVFramework/ControlBase/Control.h"
#include "tests/Support/Controls/InstrumentedControl.h"
#include "tests/Support/Controls/StandInRootWindow.h"
#include "tests/Support/Renderer/FakeMeasuringRenderer.h"
#include "tests/Support/Renderer/StandInApplication.h"
#include "tests/Support/Skins/TextLookFixtures.h"

namespace SV {
namespace {

using Testing::DescriptorWithSkin;
using Testing::InstrumentedControl;
using Testing::SkinWithTextLook;
using Testing::TextEdges;

// A label 50 x 20 in a shown 600 x 400 top-level control; characters measure 10
// pixels wide and lines 16 high. The label's look puts its text between 8 pixels
// from either side: 34 pixels of room at a width of 50.
class ControlTextTest : public ::testing::Test {
protected:
  void SetUp() override {
    application.renderer = RCPtr<LMeasurementRenderer>(new Testing::FakeMeasuringRenderer);
    application.defaultFont = LFont::GetFont(u"Sans", 10, 0);
    top = InstrumentedControl::Make(life, nullptr, u"top");
    top->SetRootWindow(window.Get());
    top->SetRectDirect({0, 0, 600, 400});
    label = InstrumentedControl::Make(life, top, u"label");
  }
  void TearDown() override {
    top->Detach();
    window->Forget();
  }
  // Applies a descriptor whose look has `text` edges (none: a look without text).
  void ApplyLook(const LookTextProperties* text, TextOverflow overflow = TextOverflow::Expand) {
    const RCPtr<LControlDescriptor> descriptor = DescriptorWithSkin(u"label", SkinWithTextLook(text));
    descriptor->Layout->Size[0].abs = 50;
    descriptor->Layout->Size[1].abs = 20;
    descriptor->Layout->TextOverflowXType = overflow;
    label->ApplyDescriptor(descriptor);
  }

  Testing::StandInApplication application;
  Testing::LifeRecord life;
  RCPtr<Testing::StandInRootWindow> window = Testing::StandInRootWindow::Create({600, 400});
  RCPtr<InstrumentedControl> top;
  RCPtr<InstrumentedControl> label;
  const LookTextProperties inset = TextEdges(0, 8, 1, -8);
};

TEST_F(ControlTextTest, TheCurrentTextChangesNothingAndANewOneRepaintsAndReplacesAnExpandingLabel) {
  ApplyLook(&inset);
  ASSERT_EQ(label->SetText(u"abc"), S_OK);
  label->GetLayout()->Size[1].abs = 30;
  window->invalidated.clear();

  EXPECT_EQ(label->SetText(u"abc"), S_FALSE);
  EXPECT_TRUE(window->invalidated.empty());
  EXPECT_EQ(label->GetRect().height, 20) << "not re-placed";

  EXPECT_EQ(label->SetText(u"abd"), S_OK);
  EXPECT_FALSE(window->invalidated.empty());
  EXPECT_EQ(label->GetRect().height, 30) << "re-placed with the changed record";
}

TEST_F(ControlTextTest, AnExpandingLabelWidensByWhatItsTextLacksAroundItsAnchor) {
  struct Case {
    float anchor;
    TextOverflow overflow;
    RectT<double> expected;
  };
  // Ten characters are 100 pixels against 34 of room: 66 more; centred on 100, the
  // label starts at 100 - 25 and moves left by half of 66.
  for (const Case& c :
       {Case{0, TextOverflow::Expand, {100, 0, 116, 20}}, Case{0.5f, TextOverflow::Expand, {42, 0, 116, 20}},
        Case{0, TextOverflow::Clip, {100, 0, 50, 20}}}) {
    ApplyLook(&inset, c.overflow);
    label->GetLayout()->Placement[0].abs = 100;
    label->GetLayout()->Placement[0].anchor = c.anchor;
    label->SetText(u"abcdefghij");
    label->RecomputePlacement();
    EXPECT_EQ(label->GetRect(), c.expected) << "anchor " << c.anchor;
    label->SetText(u"");
  }
}

TEST_F(ControlTextTest, AnExpandingLabelStopsAtItsMaximumWidthAndGrowsDownwardWithItsWrappedText) {
  ApplyLook(&inset);
  LSizeLimitSpec minimum, maximum;
  maximum.abs = 80;
  label->SetMinMax(0, minimum, maximum);
  label->GetLayout()->TextOverflowYType = TextOverflow::Expand;
  label->SetText(u"aaaaaa bbbbbb cccccc");
  EXPECT_EQ(label->GetRect().width, 80);
  EXPECT_EQ(label->GetRect().height, 48) << "three wrapped lines of 16 pixels at a width of 80";
}

TEST_F(ControlTextTest, AnExpandingLabelMeasuresTheTextItsShownLookHolds) {
  ApplyLook(&inset);
  label->SetText(u"ab");
  ASSERT_EQ(label->GetRect().width, 50);
  const RCPtr<LLook> look = label->GetLook(-1);
  ASSERT_TRUE(look && look->GetText());
  look->SetText(u"abcdefghij");
  label->RecomputePlacement();
  EXPECT_EQ(label->GetRect().width, 116) << "the look's ten characters lack 66 pixels";
}

TEST_F(ControlTextTest, TextEdgesThatDoNotMoveWithTheSizeCannotBeWidenedSoTheLabelKeepsItsSize) {
  const LookTextProperties fixed = TextEdges(0.5f, 0, 0.5f, 10, 0.5f, 0, 0.5f, 4);
  ApplyLook(&fixed);
  label->GetLayout()->TextOverflowYType = TextOverflow::Expand;
  label->SetText(u"abcdefghij");
  EXPECT_EQ(label->GetRect(), (RectT<double>{0, 0, 50, 20}));
}

TEST_F(ControlTextTest, ThePreferredWidthOfAnExpandingLabelIsWhatItsTextNeeds) {
  ApplyLook(&inset);
  label->SetText(u"abcdefghij");
  PointT<double> preferred;
  EXPECT_EQ(label->GetPreferredSize(preferred), S_OK);
  EXPECT_EQ(preferred, (PointT<double>{116, 0})) << "100 pixels of text and 8 on either side";
  EXPECT_EQ(label->GetRect().width, 116) << "the record's own width of 50 is too small for the text";
}

TEST_F(ControlTextTest, TheTitleOfTheWindowFollowsTheTopLevelLabel) {
  Testing::StandInOSWindow osWindow;
  window->osWindow = &osWindow;
  top->SetText(u"Corvex editor");
  label->SetText(u"not a title");
  window->osWindow = nullptr;
  EXPECT_EQ(osWindow.titles, std::vector<String>{u"Corvex editor"});
}

TEST_F(ControlTextTest, TextIsTruncatedOnlyWhereALookShowsItOrCannot) {
  EXPECT_FALSE(label->IsTextTruncated()) << "no look";
  ApplyLook(nullptr, TextOverflow::Clip);
  EXPECT_FALSE(label->IsTextTruncated()) << "a look without text and no label";
  label->SetText(u"x");
  EXPECT_TRUE(label->IsTextTruncated()) << "a look without text and a label";

  ApplyLook(&inset, TextOverflow::Clip);
  label->SetText(u"abc");
  EXPECT_FALSE(label->IsTextTruncated()) << "30 pixels in 34";
  label->SetText(u"abcd");
  EXPECT_TRUE(label->IsTextTruncated()) << "40 pixels in 34";
}

}  // namespace
}  // namespace SV
