#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "SVFramework/Controls/CenteredSlider.h"
#include "tests/Support/RaisedText.h"
#include "tests/Support/Widgets/RandomInput.h"
#include "tests/Support/Widgets/WidgetHarness.h"

namespace SV {
namespace {

using Testing::WidgetHarness;

// Opaque looks: three for the slider, one for the bounds and fills, the button looks of
// the markers and the thumb.
constexpr const char* kCenteredSliderLooks =
    R"(<Colorizers><Colorizer Name="Grey" ColorType="SolidFill" Color="FF808080"/></Colorizers>
<Parts><Part Name="Fill" Width="4" Height="4" ResizeType="Stretch" ColorizerName="Grey"/></Parts>
<Looks><Look Name="Fill"><ClientPart Name="Fill" OffsetLeft="0" OffsetTop="0" OffsetRight="0" OffsetBottom="0"/></Look></Looks>
<LookLists>
  <LookList Name="SliderLooks" NumLooks="3"><Look Name="Fill" Index="0"/><Look Name="Fill" Index="1"/><Look Name="Fill" Index="2"/></LookList>
  <LookList Name="Solid1" NumLooks="1"><Look Name="Fill" Index="0"/></LookList>
  <LookList Name="ButtonLooks" NumLooks="14"><Look Name="Fill" Index="0"/><Look Name="Fill" Index="1"/>
    <Look Name="Fill" Index="2"/><Look Name="Fill" Index="3"/><Look Name="Fill" Index="4"/><Look Name="Fill" Index="5"/>
    <Look Name="Fill" Index="6"/></LookList>
</LookLists>)";

struct Marker {
  const char* name;
  std::string position;  // placement attributes
};

std::string MarkerControl(const Marker& marker) {
  return std::string("<SubControl Class=\"Framework.Button\" Name=\"") + marker.name + "\" " + marker.position +
         " XSizeAbs=\"10\" YSizeAbs=\"20\"><Skin Name=\"marker\" LookList=\"ButtonLooks\"/></SubControl>";
}

// A bound 95 wide (or high) whose fill covers it; anchored at its far edge for the low
// bound, so it reaches from the thumb's centre back towards the start.
std::string BoundsControl(const char* name, const std::string& placement) {
  return std::string("<SubControl Class=\"Framework.CenteredSliderBounds\" Name=\"") + name + "\" " + placement +
         "><Skin Name=\"bounds\" LookList=\"Solid1\"/><SubControl Class=\"Framework.Panel\" Name=\"fill\" "
         "XSizeToControl=\"Parent\" XSizeRel=\"1\" YSizeToControl=\"Parent\" YSizeRel=\"1\"><Skin Name=\"fill\" "
         "LookList=\"Solid1\"/></SubControl></SubControl>";
}

const std::string kHorizontalBounds =
    BoundsControl("lowRangeBounds", "XPlacementAnchor=\"1\" XSizeAbs=\"95\" YPositionAbs=\"15\" YSizeAbs=\"10\"") +
    BoundsControl("highRangeBounds", "XSizeAbs=\"95\" YPositionAbs=\"15\" YSizeAbs=\"10\"");
const std::string kVerticalBounds =
    BoundsControl("lowRangeBounds", "YPlacementAnchor=\"1\" YSizeAbs=\"95\" XPositionAbs=\"15\" XSizeAbs=\"10\"") +
    BoundsControl("highRangeBounds", "YSizeAbs=\"95\" XPositionAbs=\"15\" XSizeAbs=\"10\"");

// A centred slider 200 x 200 at (10, 10) with the given markers and bounds.
std::string SliderSkin(const Marker& start, const Marker& end, const std::string& bounds) {
  return "<SubControl Class=\"Framework.CenteredSlider\" Name=\"slider\" TabStop=\"1\" XPositionAbs=\"10\" "
         "YPositionAbs=\"10\" XSizeAbs=\"200\" YSizeAbs=\"200\"><Skin Name=\"slider\" LookList=\"SliderLooks\"/>" +
         MarkerControl(start) + MarkerControl(end) + bounds + "</SubControl>";
}

const Marker kStartLeft{"thumbStart", "XPositionAbs=\"0\" YPositionAbs=\"10\""};
const Marker kEndRight{"thumbEnd", "XPositionAbs=\"190\" YPositionAbs=\"10\""};

class CenteredSliderTest : public ::testing::Test {
 protected:
  void Build(const Marker& start = kStartLeft, const Marker& end = kEndRight,
             const std::string& bounds = kHorizontalBounds) {
    harness.Build(SliderSkin(start, end, bounds), kCenteredSliderLooks);
    slider = harness.Find<LCenteredSlider>(u"slider");
    ASSERT_TRUE(slider);
    ASSERT_TRUE(slider->GetThumb());
    ASSERT_TRUE(slider->GetLowBounds());
    ASSERT_TRUE(slider->GetHighBounds());
  }
  RectT<double> Thumb() const { return slider->GetThumb()->GetRect(); }
  RectT<double> Low() const { return slider->GetLowBounds()->GetRect(); }
  RectT<double> High() const { return slider->GetHighBounds()->GetRect(); }
  double ThumbCentreX() const { return Thumb().x + Thumb().width / 2; }
  double ThumbCentreY() const { return Thumb().y + Thumb().height / 2; }
  // Both bounds meet at the thumb's centre: the low one ends there, the high one starts.
  void ExpectBoundsOnThumbCentreX(const std::string& when) const {
    EXPECT_EQ(Low().x + Low().width, ThumbCentreX()) << when;
    EXPECT_EQ(High().x, ThumbCentreX()) << when;
  }

  WidgetHarness harness;
  RCPtr<LCenteredSlider> slider;
};

TEST_F(CenteredSliderTest, BoundsStartOnTheThumbCentreAndKeepTheirSkinSizeAndCrossPosition) {
  Build();
  EXPECT_EQ(Thumb().x, 0);
  ExpectBoundsOnThumbCentreX("after creation");
  EXPECT_EQ(Low().width, 95);
  EXPECT_EQ(High().width, 95);
  EXPECT_EQ(Low().y, 15);
  EXPECT_EQ(High().y, 15);
}

TEST_F(CenteredSliderTest, SettingTheValueMovesTheThumbAndThenBothBounds) {
  Build();
  const struct {
    double value;
    double thumbX;
  } cases[] = {{0.5, 95}, {1, 190}, {0.25, 48}, {0, 0}, {7, 190}, {-3, 0}};
  for (const auto& c : cases) {
    slider->SetNormalizedValue(c.value);
    EXPECT_EQ(Thumb().x, c.thumbX) << c.value;
    ExpectBoundsOnThumbCentreX("value " + std::to_string(c.value));
  }
}

TEST_F(CenteredSliderTest, DraggingTheThumbKeepsBothBoundsOnItsCentreAfterEveryMove) {
  Build();
  const PointT<int32_t> grab = harness.At(slider->GetThumb());
  harness.Press(grab);
  for (int32_t dx : {3, 20, 57, 120, 400, -30, -500}) {
    harness.MoveTo({grab.x + dx, grab.y + (dx % 7)});
    ExpectBoundsOnThumbCentreX("move by " + std::to_string(dx));
  }
  harness.Release({grab.x - 500, grab.y});
  ExpectBoundsOnThumbCentreX("after the release");
  EXPECT_EQ(Thumb().x, 0);
}

TEST_F(CenteredSliderTest, AVerticalTrackMovesTheBoundsVertically) {
  Build({"thumbStart", "XPositionAbs=\"10\" YPositionAbs=\"0\""},
        {"thumbEnd", "XPositionAbs=\"10\" YPositionAbs=\"180\""}, kVerticalBounds);
  for (double value : {0.0, 0.5, 1.0}) {
    slider->SetNormalizedValue(value);
    EXPECT_EQ(Low().y + Low().height, ThumbCentreY()) << value;
    EXPECT_EQ(High().y, ThumbCentreY()) << value;
    EXPECT_EQ(High().x, 15) << value;
  }
  const PointT<int32_t> grab = harness.At(slider->GetThumb());
  harness.Press(grab);
  harness.MoveTo({grab.x + 30, grab.y + 70});
  EXPECT_EQ(High().y, ThumbCentreY());
  harness.Release({grab.x + 30, grab.y + 70});
}

TEST_F(CenteredSliderTest, ASlantedTrackMovesTheThumbButNeverTheBounds) {
  Build({"thumbStart", "XPositionAbs=\"0\" YPositionAbs=\"0\""},
        {"thumbEnd", "XPositionAbs=\"180\" YPositionAbs=\"180\""});
  const RectT<double> low = Low(), high = High();
  slider->SetNormalizedValue(0.5);
  EXPECT_EQ(Thumb().x, 90);
  const PointT<int32_t> grab = harness.At(slider->GetThumb());
  harness.Drag(grab, {grab.x + 40, grab.y + 40});
  EXPECT_EQ(Thumb().x, 130);
  EXPECT_EQ(Low(), low);
  EXPECT_EQ(High(), high);
}

TEST_F(CenteredSliderTest, APressOnAFillLandsOnTheSliderBeneathIt) {
  Build();
  slider->SetNormalizedValue(0.5);
  const RCPtr<LControl> fill = slider->GetHighBounds()->FindChild(u"fill");
  ASSERT_TRUE(fill);
  EXPECT_TRUE(fill->IsHitTestExcluded());
  EXPECT_TRUE(slider->GetHighBounds()->IsHitTestExcluded());
  // A click right of the thumb, on the high bound's fill, makes one track step up.
  const double before = slider->GetNormalizedValue();
  harness.Click(harness.At(fill, {80, 5}));
  EXPECT_NEAR(slider->GetNormalizedValue(), before + 0.1, 1e-9);
  ExpectBoundsOnThumbCentreX("after the step");
}

TEST_F(CenteredSliderTest, AResizedSliderKeepsTheBoundsOnItsMovedThumb) {
  Build(kStartLeft, {"thumbEnd", "XPositionRel=\"1\" XPositionAbs=\"-10\" YPositionAbs=\"10\""});
  slider->SetNormalizedValue(0.5);
  EXPECT_EQ(Thumb().x, 95);
  LPlacementSpec placement;
  LSizeSpec size;
  ASSERT_GE(slider->GetLayout()->GetPlacement(0, placement, size), 0);
  size.abs = 300;
  slider->SetPlacement(0, placement, size);
  EXPECT_EQ(Thumb().x, 145);
  ExpectBoundsOnThumbCentreX("after the resize");
}

TEST_F(CenteredSliderTest, AReappliedSkinKeepsTheBoundsFollowingTheThumb) {
  Build();
  slider->SetNormalizedValue(0.5);
  ASSERT_GE(harness.factory->ApplySkinToControl(harness.root), 0);
  ExpectBoundsOnThumbCentreX("after the new skin");
  const PointT<int32_t> grab = harness.At(slider->GetThumb());
  harness.Press(grab);
  harness.MoveTo({grab.x + 40, grab.y});
  ExpectBoundsOnThumbCentreX("during a drag");
  harness.Release({grab.x + 40, grab.y});
}

TEST(CenteredSliderWithoutBounds, WorksAsAPlainSlider) {
  WidgetHarness harness;
  harness.Build(SliderSkin(kStartLeft, kEndRight, ""), kCenteredSliderLooks);
  const RCPtr<LCenteredSlider> slider = harness.Find<LCenteredSlider>(u"slider");
  ASSERT_TRUE(slider);
  EXPECT_FALSE(slider->GetLowBounds());
  slider->SetNormalizedValue(1);
  EXPECT_EQ(slider->GetThumb()->GetRect().x, 190);
}

TEST(CenteredSliderWithoutStartMarker, RaisesTheNullPointerErrorWhenCreated) {
  WidgetHarness harness;
  try {
    harness.Build(SliderSkin({"other", "XPositionAbs=\"0\""}, kEndRight, kHorizontalBounds), kCenteredSliderLooks);
    FAIL() << "created without a thumb";
  } catch (const std::exception& error) {
    const std::string text = error.what();
    EXPECT_NE(text.find("Null Pointer"), std::string::npos) << text;
    EXPECT_NE(text.find("Thumb Child was not created."), std::string::npos) << text;
    EXPECT_NE(text.find("SV::LCenteredSlider::SetBoundsPosFromThumbPos"), std::string::npos) << text;
  }
}

TEST_F(CenteredSliderTest, RandomInputKeepsTheValueInRangeAndTheBoundsOnTheThumb) {
  Build();
  Testing::RandomInput input(harness, 2123);
  input.Run(RCPtr<LControl>(slider.Get()), 3000, [&] {
    const double value = slider->GetNormalizedValue();
    ASSERT_TRUE(std::isfinite(value) && value >= 0 && value <= 1) << input.LastEvent();
    ASSERT_GE(slider->GetIdleCount(), 0) << input.LastEvent();
    ASSERT_GE(Thumb().x, 0) << input.LastEvent();
    ASSERT_LE(Thumb().x, 190) << input.LastEvent();
    ASSERT_EQ(High().x, ThumbCentreX()) << input.LastEvent();
    ASSERT_EQ(Low().x + Low().width, ThumbCentreX()) << input.LastEvent();
  });
}

}  // namespace
}  // namespace SV
