#include "SVFramework/ControlBase/VisualPartDescriptor.h"

#include <gtest/gtest.h>

namespace SV {
namespace {

TEST(VisualPartDescriptor, AnImagePartTakesItsSizeFromTheArea) {
  const ImageArea area{u"::knob.png", 3, 4, 30, 40};
  const RCPtr<LVisualPartDescriptor> part =
      LVisualPartDescriptor::CreateImagePart(u"Knob", area, ResizeType::Tile, nullptr, 0.5f, ImageArea{});
  ASSERT_TRUE(part);
  EXPECT_TRUE(part->IsImagePart());
  EXPECT_EQ(part->PartSize.width, 30);
  EXPECT_EQ(part->PartSize.height, 40);
  EXPECT_EQ(part->Image.X, 3);
  EXPECT_EQ(part->Resize, ResizeType::Tile);
  EXPECT_EQ(part->AlphaModulation, 0.5f);
  EXPECT_FALSE(part->Mask.HasImage());
}

TEST(VisualPartDescriptor, AColourPartHasNoImageAndTheGivenSize) {
  const RCPtr<LColorizer> colorizer = LColorizer::Create(u"Red", LColorizer::Values{});
  const RCPtr<LVisualPartDescriptor> part = LVisualPartDescriptor::CreateColorizerPart(
      u"Fill", colorizer, {4, 5}, ResizeType::Center, 1.0f, ImageArea{});
  ASSERT_TRUE(part);
  EXPECT_FALSE(part->IsImagePart());
  EXPECT_EQ(part->PartSize.width, 4);
  EXPECT_EQ(part->PartSize.height, 5);
  EXPECT_EQ(part->Colorizer.Get(), colorizer.Get());
}

TEST(VisualPartDescriptor, MakersGiveEmptyPointersWithoutAnImageOrAColorizer) {
  EXPECT_FALSE(LVisualPartDescriptor::CreateImagePart(u"p", ImageArea{u"", 0, 0, 5, 5}, ResizeType::Stretch,
                                                       nullptr, 1.0f, ImageArea{}));
  EXPECT_FALSE(
      LVisualPartDescriptor::CreateColorizerPart(u"p", nullptr, {5, 5}, ResizeType::Stretch, 1.0f, ImageArea{}));
}

}  // namespace
}  // namespace SV
