#include "SVFramework/ControlBase/LayoutDescriptor.h"

#include <gtest/gtest.h>

namespace SV {
namespace {

TEST(LayoutDescriptor, AFreshRecordIsSixteenByFortyAtTheTopLeftOfTheClientArea) {
  const RCPtr<LLayoutDescriptor> layout = LLayoutDescriptor::Create();
  EXPECT_TRUE(layout->ClipToParent);
  EXPECT_TRUE(layout->IsVisible);
  EXPECT_TRUE(layout->IsEnabled);
  EXPECT_EQ(layout->TabStop, 0);
  EXPECT_EQ(layout->Z_Order, 0);
  EXPECT_EQ(layout->LayoutOrder, 0);
  for (int32_t axis : {LLayoutDescriptor::kAxisX, LLayoutDescriptor::kAxisY}) {
    EXPECT_EQ(layout->Placement[axis].reference, PositionReference::Client);
    EXPECT_EQ(layout->Placement[axis].abs, 0.0);
    EXPECT_FALSE(layout->Placement[axis].docked);
    EXPECT_EQ(layout->Size[axis].reference, SizeReference::Self);
    EXPECT_FALSE(layout->MinSize[axis].namesControl);
    EXPECT_EQ(layout->MaxSize[axis].abs, 0.0);
  }
  EXPECT_EQ(layout->Size[LLayoutDescriptor::kAxisX].abs, 16.0);
  EXPECT_EQ(layout->Size[LLayoutDescriptor::kAxisY].abs, 40.0);
  EXPECT_EQ(layout->TextOverflowXType, TextOverflow::Clip);
}

TEST(LayoutDescriptor, ACloneCopiesEveryFieldAndIsIndependent) {
  const RCPtr<LLayoutDescriptor> layout = LLayoutDescriptor::Create();
  layout->TabStop = -3;
  layout->TextDecoration = u"underline";
  layout->Placement[1].name = u"sibling";
  layout->MaxSize[0] = {true, u"Children", 0.5f, 7.0};
  RCPtr<LLayoutDescriptor> clone;
  ASSERT_EQ(layout->Clone(clone), S_OK);
  ASSERT_NE(clone.Get(), layout.Get());
  EXPECT_EQ(clone->TabStop, -3);
  EXPECT_EQ(clone->TextDecoration, u"underline");
  EXPECT_EQ(clone->Placement[1].name, u"sibling");
  EXPECT_EQ(clone->MaxSize[0], layout->MaxSize[0]);
  clone->TabStop = 4;
  clone->Placement[1].name = u"other";
  EXPECT_EQ(layout->TabStop, -3);
  EXPECT_EQ(layout->Placement[1].name, u"sibling");
  EXPECT_EQ(clone->GetRefCount(), 1);
}

TEST(LayoutDescriptor, AxisOperationsRefuseAnAxisOtherThanXOrYAndChangeNothing) {
  const RCPtr<LLayoutDescriptor> layout = LLayoutDescriptor::Create();
  LPlacementSpec placement;
  placement.abs = 99.0;
  LSizeSpec size;
  LSizeLimitSpec minimum, maximum;
  for (int32_t axis : {-1, 2}) {
    EXPECT_EQ(layout->GetPlacement(axis, placement, size), E_INVALIDARG);
    EXPECT_EQ(layout->SetPlacement(axis, placement, size), E_INVALIDARG);
    EXPECT_EQ(layout->GetMinMax(axis, minimum, maximum), E_INVALIDARG);
    EXPECT_EQ(layout->SetMinMax(axis, minimum, maximum), E_INVALIDARG);
  }
  EXPECT_EQ(placement.abs, 99.0);
  EXPECT_EQ(layout->Placement[0].abs, 0.0);
}

TEST(LayoutDescriptor, PlacementAndLimitsRoundTripPerAxis) {
  const RCPtr<LLayoutDescriptor> layout = LLayoutDescriptor::Create();
  const LPlacementSpec placement{0.5f, PositionReference::NamedControl, u"knob", 0.25f, 12.0, true};
  const LSizeSpec size{SizeReference::Parent, u"", 1.0f, -4.0};
  ASSERT_EQ(layout->SetPlacement(LLayoutDescriptor::kAxisY, placement, size), S_OK);
  LPlacementSpec readPlacement;
  LSizeSpec readSize;
  ASSERT_EQ(layout->GetPlacement(LLayoutDescriptor::kAxisY, readPlacement, readSize), S_OK);
  EXPECT_EQ(readPlacement, placement);
  EXPECT_EQ(readSize, size);
  ASSERT_EQ(layout->GetPlacement(LLayoutDescriptor::kAxisX, readPlacement, readSize), S_OK);
  EXPECT_FALSE(readPlacement == placement);

  const LSizeLimitSpec minimum{true, u"Children", 0.0f, 10.0}, maximum{false, u"", 0.0f, 300.0};
  ASSERT_EQ(layout->SetMinMax(LLayoutDescriptor::kAxisX, minimum, maximum), S_OK);
  LSizeLimitSpec readMinimum, readMaximum;
  ASSERT_EQ(layout->GetMinMax(LLayoutDescriptor::kAxisX, readMinimum, readMaximum), S_OK);
  EXPECT_EQ(readMinimum, minimum);
  EXPECT_EQ(readMaximum, maximum);
}

TEST(LayoutDescriptor, SpecsCompareReferenceNamesOnlyWhereAControlIsNamed) {
  LPlacementSpec client{0.0f, PositionReference::Client, u"a", 0.0f, 0.0, false};
  LPlacementSpec clientOtherName = client;
  clientOtherName.name = u"b";
  EXPECT_EQ(client, clientOtherName);
  client.reference = clientOtherName.reference = PositionReference::NamedControl;
  EXPECT_FALSE(client == clientOtherName);

  const LSizeSpec self{SizeReference::Self, u"a", 0.0f, 1.0}, selfOther{SizeReference::Self, u"b", 0.0f, 1.0};
  EXPECT_EQ(self, selfOther);
  const LSizeSpec named{SizeReference::NamedControl, u"a", 0.0f, 1.0},
      namedOther{SizeReference::NamedControl, u"b", 0.0f, 1.0};
  EXPECT_FALSE(named == namedOther);

  const LSizeLimitSpec own{false, u"a", 0.0f, 0.0}, ownOther{false, u"b", 0.0f, 0.0};
  EXPECT_EQ(own, ownOther);
  const LSizeLimitSpec child{true, u"a", 0.0f, 0.0}, childOther{true, u"b", 0.0f, 0.0};
  EXPECT_FALSE(child == childOther);
}

TEST(LayoutDescriptor, RenamingASiblingReferenceTouchesPositionsAndSizesButNotLimits) {
  const RCPtr<LLayoutDescriptor> layout = LLayoutDescriptor::Create();
  layout->Placement[0].name = u"old";
  layout->Size[1].name = u"old";
  layout->Placement[1].name = u"keep";
  layout->MinSize[0].name = u"old";
  layout->MaxSize[1].name = u"old";
  EXPECT_EQ(layout->RenameSiblingReference(u"old", u"new"), S_OK);
  EXPECT_EQ(layout->Placement[0].name, u"new");
  EXPECT_EQ(layout->Size[1].name, u"new");
  EXPECT_EQ(layout->Placement[1].name, u"keep");
  EXPECT_EQ(layout->MinSize[0].name, u"old");
  EXPECT_EQ(layout->MaxSize[1].name, u"old");
}

TEST(LayoutDescriptor, RenamingANameNoReferenceHoldsReturnsOneAndChangesNothing) {
  const RCPtr<LLayoutDescriptor> layout = LLayoutDescriptor::Create();
  layout->Placement[0].name = u"a";
  layout->MinSize[0].name = u"absent";
  EXPECT_EQ(layout->RenameSiblingReference(u"absent", u"b"), S_FALSE);
  EXPECT_EQ(layout->Placement[0].name, u"a");
  EXPECT_EQ(layout->MinSize[0].name, u"absent");
}

}  // namespace
}  // namespace SV
