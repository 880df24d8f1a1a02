#include <gtest/gtest.h>

#include <functional>

#include "SVFramework/ControlBase/Control.h"
#include "tests/Support/Controls/InstrumentedControl.h"
#include "tests/Support/Renderer/FakeMeasuringRenderer.h"
#include "tests/Support/Renderer/StandInApplication.h"
#include "tests/Support/Skins/TextLookFixtures.h"

namespace SV {
namespace {

using Testing::DescriptorWithSkin;
using Testing::InstrumentedControl;

// Counts its font changes and runs optional test code on each.
class FontControl : public InstrumentedControl {
public:
  using InstrumentedControl::InstrumentedControl;
  void OnFontChanged() override {
    ++fontChanges;
    if (onFontChanged) onFontChanged();
  }
  int fontChanges = 0;
  std::function<void()> onFontChanged;
};

// Skins give the font settings of a skin element; the application's font is Sans 10.
// Applying a descriptor at creation drops the children, so each test applies the
// parent's before it makes the children, as the creation sequence does.
class ControlFontTest : public ::testing::Test {
protected:
  void SetUp() override {
    application.renderer = RCPtr<LMeasurementRenderer>(new Testing::FakeMeasuringRenderer);
    application.defaultFont = LFont::GetFont(u"Sans", 10, 0);
  }
  RCPtr<FontControl> Make(const RCPtr<LControl>& parent, const char16_t* name) {
    return RCPtr<FontControl>(new FontControl(life, parent, name));
  }
  static RCPtr<LSkinDescriptor> FontSkin(bool inherits, bool relative, const char16_t* face, float size,
                                         int32_t style) {
    const RCPtr<LSkinDescriptor> skin = LSkinDescriptor::Create(u"font");
    skin->FontInheritsFromParent = inherits;
    skin->FontSizeIsRelative = relative;
    skin->FontName = face;
    skin->FontSize = size;
    skin->FontStyle = style;
    return skin;
  }
  static void Apply(LControl& control, const RCPtr<LSkinDescriptor>& skin) {
    control.ApplyDescriptor(DescriptorWithSkin(control.GetName().GetString(), skin));
  }
  static const LFont& FontOf(LControl& control) { return **control.GetFont(); }

  Testing::StandInApplication application;
  Testing::LifeRecord life;
  RCPtr<FontControl> parent = Make(nullptr, u"parent");
  RCPtr<FontControl> child;
};

TEST_F(ControlFontTest, AChildInheritingEverythingTakesItsParentsFontItself) {
  Apply(*parent, FontSkin(false, false, u"Serif", 10, 1));
  child = Make(parent, u"child");
  Apply(*child, FontSkin(true, false, u"", 0, -1));
  EXPECT_EQ(child->GetFont()->Get(), parent->GetFont()->Get());
}

TEST_F(ControlFontTest, ARelativeSizeScalesTheParentsSizeAndFollowsItsChanges) {
  Apply(*parent, FontSkin(false, false, u"Serif", 10, 0));
  child = Make(parent, u"child");
  Apply(*child, FontSkin(true, true, u"", 1.5f, -1));
  EXPECT_EQ(FontOf(*child).GetSize(), 15.0f);
  EXPECT_EQ(FontOf(*child).GetFace(), u"Serif");

  EXPECT_EQ(parent->SetFontFromSpec(u"Serif", 12, 2, false), S_OK);
  EXPECT_EQ(FontOf(*child).GetSize(), 18.0f);
  EXPECT_EQ(FontOf(*child).GetStyle(), 2) << "the inherited style follows too";
}

TEST_F(ControlFontTest, OwnPartsOfTheFontStayWhenTheParentsFontChanges) {
  Apply(*parent, FontSkin(false, false, u"Serif", 10, 0));
  child = Make(parent, u"child");
  Apply(*child, FontSkin(true, false, u"Mono", 0, 1));
  parent->SetFontFromSpec(u"Serif", 14, 0, false);
  EXPECT_EQ(FontOf(*child).GetFace(), u"Mono");
  EXPECT_EQ(FontOf(*child).GetSize(), 14.0f);
  EXPECT_EQ(FontOf(*child).GetStyle(), 1);
}

TEST_F(ControlFontTest, AFontSetDirectlyNoLongerFollowsTheParent) {
  Apply(*parent, FontSkin(false, false, u"Serif", 10, 0));
  child = Make(parent, u"child");
  Apply(*child, FontSkin(true, false, u"", 0, -1));
  child->SetFont(LFont::GetFont(u"Mono", 8, 0));
  parent->SetFontFromSpec(u"Serif", 20, 0, false);
  EXPECT_EQ(FontOf(*child).GetFace(), u"Mono");
  EXPECT_EQ(FontOf(*child).GetSize(), 8.0f);
}

TEST_F(ControlFontTest, SetFontRefusesAMissingFontAndIgnoresAnEqualOne) {
  child = Make(parent, u"child");
  Apply(*child, FontSkin(false, false, u"Serif", 10, 0));
  const int changes = child->fontChanges;
  EXPECT_EQ(child->SetFont(nullptr), E_INVALIDARG);
  EXPECT_EQ(child->SetFont(LFont::GetFont(u"Serif", 10, 0)), S_FALSE);
  EXPECT_EQ(child->fontChanges, changes);
  EXPECT_EQ(child->SetFont(LFont::GetFont(u"Serif", 11, 0)), S_OK);
  EXPECT_EQ(child->fontChanges, changes + 1);
}

TEST_F(ControlFontTest, WithoutAnySkinOrApplicationFontTheControlTakesTheSystemFont) {
  Apply(*parent, nullptr);
  child = Make(parent, u"child");
  EXPECT_EQ(parent->GetFont()->Get(), application.defaultFont.Get()) << "no skin: the application's font";
  application.defaultFont.Reset();
  Apply(*child, FontSkin(false, false, u"", 0, -1));
  EXPECT_EQ(FontOf(*child).GetFace(), u"DejaVu Sans");
  EXPECT_EQ(FontOf(*child).GetSize(), 9.0f);
}

TEST_F(ControlFontTest, AChildThatDetachesItsSiblingWhileFollowingTheFontEndsTheWalkSafely) {
  Apply(*parent, FontSkin(false, false, u"Serif", 10, 0));
  child = Make(parent, u"child");
  const RCPtr<FontControl> sibling = Make(parent, u"sibling");
  Apply(*child, FontSkin(true, false, u"", 0, -1));
  Apply(*sibling, FontSkin(true, false, u"", 0, -1));
  child->onFontChanged = [&] { sibling->Detach(); };
  EXPECT_NO_THROW(parent->SetFontFromSpec(u"Serif", 16, 0, false));
  EXPECT_EQ(parent->GetChildCount(), 1u);
  EXPECT_EQ(FontOf(*child).GetSize(), 16.0f);
}

}  // namespace
}  // namespace SV
