#include "SVFramework/ControlBase/PlacementSolver.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace SV {
namespace {

LPlacementSpec At(PositionReference reference, float rel, double abs, float anchor, const char16_t* name = u"") {
  LPlacementSpec spec;
  spec.reference = reference;
  spec.rel = rel;
  spec.abs = abs;
  spec.anchor = anchor;
  spec.name = name;
  return spec;
}

LSizeSpec Sized(SizeReference reference, float rel, double abs, const char16_t* name = u"") {
  LSizeSpec spec;
  spec.reference = reference;
  spec.rel = rel;
  spec.abs = abs;
  spec.name = name;
  return spec;
}

// A parent 610 x 410 whose client rectangle is (5, 5, 600, 400), holding a label
// "splitKeyLabel" at (10, 20), 100 x 17.
LPlacementFrame WorkedExampleFrame() {
  LPlacementFrame frame{{-5, -5}, {610, 410}, {600, 400}, {0, 0}, nullptr};
  frame.findNamed = [](const String& name, int32_t axis) {
    if (name != u"splitKeyLabel") return LNamedSpan{};
    return axis == 0 ? LNamedSpan{10, 100} : LNamedSpan{20, 17};
  };
  return frame;
}

struct SolveCase {
  std::string name;
  LPlacementSpec placementX;
  LSizeSpec sizeX;
  RectT<double> expected;
};

class PlacementSolverTest : public ::testing::TestWithParam<SolveCase> {};

// Y is the same in every row: anchor 0.5 on the label's middle, Self height 23.
TEST_P(PlacementSolverTest, SolvesTheRecordAgainstTheFrame) {
  const RCPtr<LLayoutDescriptor> layout = LLayoutDescriptor::Create();
  layout->Placement[0] = GetParam().placementX;
  layout->Size[0] = GetParam().sizeX;
  layout->Placement[1] = At(PositionReference::NamedControl, 0.5f, 0, 0.5f, u"splitKeyLabel");
  layout->Size[1] = Sized(SizeReference::Self, 0, 23);
  RectT<double> out;
  ASSERT_EQ(SolvePlacement(layout.Get(), WorkedExampleFrame(), out), S_OK);
  EXPECT_EQ(out, GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, PlacementSolverTest,
    ::testing::Values(
        SolveCase{"LeftAlignedAfterTheLabel", At(PositionReference::NamedControl, 1, 5, 0, u"splitKeyLabel"),
                  Sized(SizeReference::Client, 1, -10), {115, 18, 475, 23}},
        SolveCase{"RightAlignedToTheClientEdge", At(PositionReference::Client, 1, -10, 1),
                  Sized(SizeReference::NamedControl, 1, 5, u"splitKeyLabel"), {115, 18, 475, 23}},
        SolveCase{"AnchorZeroCannotReachANearEdge", At(PositionReference::Client, 1, -10, 0),
                  Sized(SizeReference::NamedControl, 1, 5, u"splitKeyLabel"), {590, 18, 0, 23}},
        SolveCase{"ParentReferenceStartsAtTheOuterEdge", At(PositionReference::Parent, 0, 0, 0),
                  Sized(SizeReference::Self, 0, 30), {-5, 18, 30, 23}},
        SolveCase{"CentredOnTheClientArea", At(PositionReference::Client, 0.5f, 0, 0.5f),
                  Sized(SizeReference::Self, 0, 64), {268, 18, 64, 23}},
        SolveCase{"NegativeSelfSizeCountsAsZero", At(PositionReference::Client, 0, 7, 0),
                  Sized(SizeReference::Self, 0, -4), {7, 18, 0, 23}},
        SolveCase{"UnknownNameIsAZeroSpan", At(PositionReference::NamedControl, 1, 3, 0, u"nobody"),
                  Sized(SizeReference::Self, 0, 10), {3, 18, 10, 23}}),
    [](const ::testing::TestParamInfo<SolveCase>& info) { return info.param.name; });

TEST(PlacementSolverEdgeTest, AFreshRecordIsSixteenByFortyAtTheClientOrigin) {
  RectT<double> out;
  ASSERT_EQ(SolvePlacement(LLayoutDescriptor::Create().Get(), WorkedExampleFrame(), out), S_OK);
  EXPECT_EQ(out, (RectT<double>{0, 0, 16, 40}));
  EXPECT_EQ(SolvePlacement(nullptr, WorkedExampleFrame(), out), E_INVALIDARG);
}

TEST(PlacementSolverEdgeTest, ADockedAxisCarriesTheParentsScrollOffset) {
  const RCPtr<LLayoutDescriptor> layout = LLayoutDescriptor::Create();
  layout->Placement[1].docked = true;
  LPlacementFrame frame = WorkedExampleFrame();
  frame.scroll[0] = 30;
  frame.scroll[1] = 20;
  RectT<double> out;
  SolvePlacement(layout.Get(), frame, out);
  EXPECT_EQ(out, (RectT<double>{0, 20, 16, 40}));
}

}  // namespace
}  // namespace SV
