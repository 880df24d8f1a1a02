#include <gtest/gtest.h>

#include <memory>
#include <string_view>

#include "SVFramework/ControlBase/Control.h"
#include "SVFramework/ControlBase/ControlCreation.h"
#include "SVFramework/ControlBase/ControlFactory.h"
#include "tests/Support/Controls/StandInRootWindow.h"
#include "tests/Support/Renderer/FakeMeasuringRenderer.h"
#include "tests/Support/Renderer/StandInApplication.h"
#include "tests/Support/Skins/SkinFixtures.h"

namespace SV {
namespace {

class SkinnedControl : public LControl {
public:
  using LControl::LControl;
  using LControl::SetCaptureFlag;
  using LControl::SetHoverFlag;
};

// A factory that builds "Test.Skinned" controls, and descriptors for a panel with the
// named children; each record is 100 x 20.
class ControlSkinTest : public ::testing::Test {
protected:
  void SetUp() override {
    factory->RegisterControlCreateFunction(u"Test.Skinned", &LControlCreation::Create<SkinnedControl>);
    SetApplicationControlFactory(factory);
  }
  void TearDown() override {
    if (panel) panel->Detach();
    window->Forget();
    SetApplicationControlFactory(nullptr);
  }
  static RCPtr<LControlDescriptor> Describe(const char16_t* name, LControlDescriptor* parent) {
    RCPtr<LControlDescriptor> descriptor = LControlDescriptor::Create(u"Test.Skinned", name, parent);
    descriptor->Layout = LLayoutDescriptor::Create();
    descriptor->Layout->Size[0].abs = 100;
    descriptor->Layout->Size[1].abs = 20;
    if (parent) parent->AddChild(descriptor);
    return descriptor;
  }
  static RCPtr<LControlDescriptor> Panel(std::initializer_list<const char16_t*> children) {
    RCPtr<LControlDescriptor> descriptor = Describe(u"panel", nullptr);
    for (const char16_t* child : children) Describe(child, descriptor.Get());
    return descriptor;
  }
  SkinnedControl& Child(const char16_t* name) { return static_cast<SkinnedControl&>(*panel->FindChild(name)); }

  RCPtr<LControlFactory> factory = LControlFactory::Create(u"PresetEditor");
  RCPtr<Testing::StandInRootWindow> window = Testing::StandInRootWindow::Create();
  RCPtr<LControl> panel;
};

TEST_F(ControlSkinTest, ACreatedControlTakesItsOwnCopyOfTheRecordAndIsPlaced) {
  const RCPtr<LControlDescriptor> descriptor = Panel({u"a"});
  factory->CreateControl(panel, descriptor, nullptr);
  panel->SetRootWindow(window.Get());
  panel->RecomputePlacement();
  const LControl& a = Child(u"a");
  EXPECT_NE(a.GetLayout().Get(), descriptor->Children[0]->Layout.Get());
  EXPECT_EQ(a.GetRect(), (RectT<double>{0, 0, 100, 20}));
  EXPECT_EQ(a.GetConditions(), 0xC00u) << "enabled and visible from the start";
}

TEST_F(ControlSkinTest, AReskinKeepsChildrenByNameAndTheEnabledState) {
  factory->CreateControl(panel, Panel({u"keep", u"drop"}), nullptr);
  panel->SetRootWindow(window.Get());
  const RCPtr<LControl> kept(&Child(u"keep"));
  kept->SetEnabled(false);

  panel->ApplyDescriptor(Panel({u"fresh", u"keep"}));
  ASSERT_EQ(panel->GetChildCount(), 1u) << "no child is created by a re-skin";
  EXPECT_EQ(panel->GetChildAt(0).Get(), kept.Get());
  EXPECT_FALSE(kept->IsEnabled(false));
}

TEST_F(ControlSkinTest, ChildrenTheNewSkinLacksAreDetachedSoHoverAndCaptureLetGo) {
  factory->CreateControl(panel, Panel({u"keep", u"hovered", u"grabbing"}), nullptr);
  panel->SetRootWindow(window.Get());
  panel->RecomputePlacement();
  const RCPtr<SkinnedControl> hovered(&Child(u"hovered"));
  const RCPtr<SkinnedControl> grabbing(&Child(u"grabbing"));
  hovered->SetHoverFlag(true);
  hovered->UpdateConditions();
  window->hover = hovered;
  window->controlUnderPointer = panel;
  grabbing->SetCaptureFlag(true);
  grabbing->UpdateConditions();

  panel->ApplyDescriptor(Panel({u"keep"}));
  EXPECT_EQ(hovered->GetParent(), nullptr);
  EXPECT_EQ(window->hover.Get(), panel.Get()) << "the hover went to what lies under the pointer";
  EXPECT_FALSE(grabbing->HasCapture());
  EXPECT_EQ(grabbing->GetConditions() & 0x8u, 0u);
}

TEST_F(ControlSkinTest, AnUnclippedRecordCountsInTheParentOnceAcrossReskins) {
  const RCPtr<LControlDescriptor> descriptor = Panel({u"floating"});
  descriptor->Children[0]->Layout->ClipToParent = false;
  factory->CreateControl(panel, descriptor, nullptr);
  EXPECT_EQ(panel->GetUnclippedDescendantCount(), 1);
  panel->ApplyDescriptor(descriptor);
  EXPECT_EQ(panel->GetUnclippedDescendantCount(), 1);
}


// Two skins of one window, read from documents: skin 0 "First" and skin 1 "Second".
// The panel holds a label with a look that shows text, a child without a skin of its
// own and a child whose creation is deferred. The string tables give the label its
// text and tooltip.
constexpr std::string_view kTwoSkins = R"(<Application Name="PresetEditor"/>
<Colorizers><Colorizer Name="Black" ColorType="SolidFill" Color="000000"/></Colorizers>
<Parts><Part Name="Ink" Width="1" Height="1" ColorizerName="Black"/></Parts>
<Looks>
  <Look Name="Plain">
    <TextProperties TextLeftRel="0" TextLeftAbs="8" TextRightRel="1" TextRightAbs="-8" TextHAlign="0"
                    TextTopRel="0" TextTopAbs="0" TextBottomRel="1" TextBottomAbs="0" TextVAlign="0.5"
                    TextForegroundPart="Ink"/>
  </Look>
</Looks>
<LookLists><LookList Name="Label" NumLooks="1"><Look Name="Plain" Index="0"/></LookList></LookLists>
<Skins>
  <Skin Name="First" FontName="Sans" FontSize="10" FontStyle="0">
    <SubControl Class="Test.Skinned" Name="panel" XSizeAbs="400" YSizeAbs="300" FontName="Serif" FontSize="10"
                FontStyle="0">
      <Skin Name="panel"/>
      <SubControl Class="Test.Skinned" Name="title" LayoutOrder="0" XSizeAbs="50" YSizeAbs="20"
                  FontInheritsFromParent="True" FontSizeIsRelative="True" FontSize="1.5">
        <Skin Name="title" LookList="Label"/>
        <CreateParamList>
          <CreateParam ID="NOT_FOCUSABLE" Type="String"> True </CreateParam>
          <CreateParam ID="INITIAL_VALUE" Type="String">0.75</CreateParam>
          <CreateParam ID="USE_PARENT_TOOLTIP" Type="String">TRUE</CreateParam>
        </CreateParamList>
      </SubControl>
      <SubControl Class="Test.Skinned" Name="bare" LayoutOrder="1" TabStop="-1">
        <CreateParamList><CreateParam ID="INITIAL_VALUE" Type="String">nan</CreateParam></CreateParamList>
      </SubControl>
      <SubControl Class="Test.Skinned" Name="later" LayoutOrder="2">
        <Skin Name="later"/>
        <CreateParamList><CreateParam ID="DEFER_CREATE" Type="String">true</CreateParam></CreateParamList>
      </SubControl>
    </SubControl>
  </Skin>
  <Skin Name="Second" FontName="Sans" FontSize="12" FontStyle="0">
    <SubControl Class="Test.Skinned" Name="panel" XSizeAbs="500" YSizeAbs="300" FontName="Serif" FontSize="20"
                FontStyle="1">
      <Skin Name="panel"/>
      <SubControl Class="Test.Skinned" Name="title" LayoutOrder="0" XSizeAbs="50" YSizeAbs="20"
                  FontInheritsFromParent="True" FontSizeIsRelative="True" FontSize="0.5">
        <Skin Name="title" LookList="Label"/>
        <CreateParamList><CreateParam ID="NOT_FOCUSABLE" Type="String">yes</CreateParam></CreateParamList>
      </SubControl>
      <SubControl Class="Test.Skinned" Name="bare" LayoutOrder="1" TabStop="-1"/>
    </SubControl>
  </Skin>
</Skins>)";

constexpr std::string_view kTitleStrings = R"(<StringTable ID="Test.Skinned|title">
  <String ID="LABEL"><Locale LCID="9">Split key</Locale></String>
  <String ID="TOOLTIP"><Locale LCID="9">The key where the zones meet</Locale></String>
</StringTable>)";

class SkinApplicationTest : public ::testing::Test {
protected:
  void SetUp() override {
    application.defaultFont = LFont::GetFont(u"Sans", 10, 0);
    auto resources = std::make_shared<Testing::MemoryResources>();
    resources->Add("SVXML", "APP_STRINGS", Testing::StringTableDocument(kTitleStrings));
    resources->Add("SVXML", "APP_SKINS", Testing::SkinDocument(kTwoSkins));
    factory->SetResourceSource(resources);
    ASSERT_EQ(factory->LoadResources(u"::", 9), S_OK);
    factory->RegisterControlCreateFunction(u"Test.Skinned", &LControlCreation::Create<SkinnedControl>);
    SetApplicationControlFactory(factory);
    factory->SetCurrentSkinIndex(0);
    factory->CreateControl(panel, u"panel", window.Get());
    ASSERT_TRUE(panel);
  }
  void TearDown() override {
    panel->Detach();
    window->Forget();
    SetApplicationControlFactory(nullptr);
  }
  LControl& Child(const char16_t* name) { return *panel->FindChild(name); }
  static float FontSize(LControl& control) { return (*control.GetFont())->GetSize(); }
  void Reskin(int32_t index) {
    factory->SetCurrentSkinIndex(index);
    ASSERT_EQ(factory->ApplySkinToControl(panel), S_OK);
  }

  Testing::StandInApplication application;
  RCPtr<LControlFactory> factory = LControlFactory::Create(u"PresetEditor");
  RCPtr<Testing::StandInRootWindow> window = Testing::StandInRootWindow::Create({800, 600});
  RCPtr<LControl> panel;
};

TEST_F(SkinApplicationTest, ACreatedControlTakesItsLabelTooltipFontAndCreateParameters) {
  LControl& title = Child(u"title");
  EXPECT_EQ(title.GetText(), u"Split key");
  EXPECT_EQ(title.GetTooltipText(), u"The key where the zones meet");
  EXPECT_EQ(FontSize(title), 15.0f) << "1.5 times the panel's 10 points";
  EXPECT_EQ((*title.GetFont())->GetFace(), u"Serif");
  EXPECT_TRUE(title.IsNotFocusable()) << "\" True \" reads true";
  EXPECT_EQ(title.GetNormalizedValue(), 0.75);
}

TEST_F(SkinApplicationTest, AChildWithoutASkinTakesTheApplicationsFontAndANotANumberValueIsZero) {
  LControl& bare = Child(u"bare");
  EXPECT_EQ(bare.GetFont()->Get(), application.defaultFont.Get());
  EXPECT_FALSE(bare.IsTextTruncated()) << "no looks";
  EXPECT_EQ(bare.GetNormalizedValue(), 0.0);
  EXPECT_TRUE(bare.IsNotFocusable()) << "no NOT_FOCUSABLE parameter: the negative TabStop decides";
}

TEST_F(SkinApplicationTest, ADeferredChildIsNotCreatedButStaysInTheDescriptor) {
  EXPECT_FALSE(panel->FindChild(u"later"));
  EXPECT_EQ(panel->GetDescriptor()->Children.GetCount(), 3u);
}

TEST_F(SkinApplicationTest, AReskinKeepsTheChildrenAndTheirTextAndTakesTheNewFontsAndParameters) {
  const RCPtr<LControl> title(&Child(u"title"));
  title->SetText(u"Zone split");
  Reskin(1);
  EXPECT_EQ(panel->FindChild(u"title").Get(), title.Get());
  EXPECT_EQ(title->GetText(), u"Zone split") << "the text survives the skin change";
  EXPECT_EQ(FontSize(*panel), 20.0f);
  EXPECT_EQ(FontSize(*title), 10.0f) << "half the panel's new 20 points";
  EXPECT_FALSE(title->IsNotFocusable()) << "\"yes\" is not true";
}

TEST_F(SkinApplicationTest, AReskinnedRootControlFillsItsWindowsClientArea) {
  Reskin(1);
  EXPECT_EQ(panel->GetRect(), (RectT<double>{0, 0, 800, 600}));
}

}  // namespace
}  // namespace SV
