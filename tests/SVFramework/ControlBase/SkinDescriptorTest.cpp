#include "SVFramework/ControlBase/SkinDescriptor.h"

#include <gtest/gtest.h>

namespace SV {
namespace {

TEST(SkinDescriptor, AFreshSkinHasNoFontOfItsOwnAndNoLooks) {
  const RCPtr<LSkinDescriptor> skin = LSkinDescriptor::Create(u"Standard");
  EXPECT_EQ(skin->Name, u"Standard");
  EXPECT_TRUE(skin->FontName.IsEmpty());
  EXPECT_EQ(skin->FontSize, 0.0f);
  EXPECT_EQ(skin->FontStyle, -1);
  EXPECT_FALSE(skin->HasFontSize());
  EXPECT_FALSE(skin->HasFontStyle());
  EXPECT_FALSE(skin->LookList);
}

TEST(SkinDescriptor, ALookListKeepsUnfilledSlotsEmpty) {
  const RCPtr<LLookList> list(new LLookList(3, 0));
  (*list)[1] = LLookDescriptor::Create(u"ButtonUp");
  ASSERT_EQ(list->GetCount(), 3u);
  EXPECT_FALSE((*list)[0]);
  EXPECT_EQ((*list)[1]->Name, u"ButtonUp");
  EXPECT_FALSE((*list)[2]);
}

TEST(SkinDescriptor, ALookGetsTextPropertiesOnlyThroughTheSetter) {
  const RCPtr<LLookDescriptor> look = LLookDescriptor::Create(u"Label");
  EXPECT_FALSE(look->HasText);
  LookTextProperties text;
  text.TextHAlign = 0.5f;
  text.TextBottomAbs = -3;
  const RCPtr<LVisualPartDescriptor> foreground = LVisualPartDescriptor::CreateImagePart(
      u"ink", ImageArea{u"ink.png", 0, 0, 1, 1}, ResizeType::Stretch, nullptr, 1.0f, ImageArea{});
  ASSERT_EQ(look->SetTextProperties(text, foreground), S_OK);
  EXPECT_TRUE(look->HasText);
  EXPECT_EQ(look->Text.TextHAlign, 0.5f);
  EXPECT_EQ(look->Text.TextBottomAbs, -3);
  EXPECT_EQ(look->ForegroundPart.Get(), foreground.Get());
}

}  // namespace
}  // namespace SV
