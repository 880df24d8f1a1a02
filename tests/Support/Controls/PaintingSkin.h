#pragma once
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <string_view>

#include "SVFramework/ControlBase/Control.h"
#include "SVFramework/ControlBase/ControlCreation.h"
#include "SVFramework/ControlBase/ControlFactory.h"
#include "tests/Support/Controls/StandInRootWindow.h"
#include "tests/Support/Renderer/FixtureImages.h"
#include "tests/Support/Renderer/GuiTestApplication.h"
#include "tests/Support/Renderer/RecordingRenderer.h"
#include "tests/Support/Skins/SkinFixtures.h"
#include "tests/Support/TemporaryFolder.h"

namespace SV::Testing {

// A control whose content and overlay hooks leave marks ("Content:<name>",
// "Overlay:<name>") on a recording renderer, and run optional test code.
class PaintedControl : public LControl {
public:
  using LControl::LControl;

  SVRESULT PaintContent(const RCPtr<LRenderer>& renderer, const RectT<double>&) override {
    if (auto* recording = dynamic_cast<RecordingRenderer*>(renderer.Get())) recording->Mark("Content:" + Name());
    if (onContent) onContent();
    return S_OK;
  }
  SVRESULT PaintOverlay(const RCPtr<LRenderer>& renderer, const RectT<double>&) override {
    if (auto* recording = dynamic_cast<RecordingRenderer*>(renderer.Get())) recording->Mark("Overlay:" + Name());
    return S_OK;
  }
  std::string Name() const { return NarrowString(GetName()).GetString(); }
  using LControl::MarkParentOrderChanged;
  using LControl::SetScrollOffsetDirect;

  std::function<void()> onContent;
};

// The skin folder of a painting test: images written as PNG files and a skin document,
// loaded into a factory of its own that builds "Test.Painted" controls. The factory is
// the application's while the object lives.
class PaintingSkin {
public:
  PaintingSkin() {
    factory->RegisterControlCreateFunction(u"Test.Painted", &LControlCreation::Create<PaintedControl>);
    SetApplicationControlFactory(factory);
  }
  ~PaintingSkin() { SetApplicationControlFactory(nullptr); }
  PaintingSkin(const PaintingSkin&) = delete;
  PaintingSkin& operator=(const PaintingSkin&) = delete;

  // File names are lower case: the skin reader lower-cases image names.
  void WriteImage(const std::string& name, const FixtureImage& image) { folder.WriteFile(name, EncodePng(image)); }
  SVRESULT Load(std::string_view body) {
    folder.WriteFile("Skins.xml", SkinDocument(body));
    return factory->LoadResources(String(folder.Path().c_str()), 9);
  }
  RCPtr<LControl> Create(const char16_t* name, LRootWindow* window) {
    RCPtr<LControl> control;
    factory->CreateControl(control, name, window);
    return control;
  }

  TemporaryFolder folder;
  RCPtr<LControlFactory> factory = LControlFactory::Create(u"PresetEditor");
};

// A panel of 100 x 60 with a blue bar over its top 4 rows and a grey client area inset
// by 4; in it a button (10, 10, 30 x 20) and a label (50, 10, 20 x 20) whose face is the
// image "button.png" (stretched) and whose label text is black; a badge (80, 50, 30 x 20) that does not clip to the panel and sticks out of it. Look lists: the button's
// has an empty second slot, "GappedLooks" an empty first slot.
inline constexpr std::string_view kPaintingSkinBody = R"(<Application Name="PresetEditor"/>
<Colorizers>
  <Colorizer Name="Grey" ColorType="SolidFill" Color="FF808080"/>
  <Colorizer Name="Blue" ColorType="SolidFill" Color="FF2040C0"/>
  <Colorizer Name="Ink" ColorType="SolidFill" Color="FF000000"/>
  <Colorizer Name="Orange" ColorType="SolidFill" Color="FFE0A030"/>
</Colorizers>
<Parts>
  <Part Name="PanelFill" Width="8" Height="8" ResizeType="Stretch" ColorizerName="Grey"/>
  <Part Name="TopBar" Width="8" Height="4" ResizeType="Stretch" ColorizerName="Blue"/>
  <Part Name="ButtonFace" Width="0" Height="0" ResizeType="Stretch" ImageFile="button.png" ImageLocX="0" ImageLocY="0"/>
  <Part Name="Ink" Width="1" Height="1" ResizeType="Stretch" ColorizerName="Ink"/>
  <Part Name="BadgeFill" Width="4" Height="4" ResizeType="Stretch" ColorizerName="Orange"/>
  <Part Name="Missing" Width="10" Height="10" ResizeType="Stretch" ImageFile="missing.png" ImageLocX="0" ImageLocY="0"/>
</Parts>
<Looks>
  <Look Name="Panel">
    <ClientPart Name="PanelFill" OffsetLeft="4" OffsetTop="4" OffsetRight="-4" OffsetBottom="-4"/>
    <NonClientParts>
      <NonClientPart Name="TopBar" OffsetLeft="0" OffsetTop="0" OffsetRight="0" Height="4"/>
    </NonClientParts>
  </Look>
  <Look Name="Button">
    <ClientPart Name="ButtonFace" OffsetLeft="0" OffsetTop="0" OffsetRight="0" OffsetBottom="0"/>
    <TextProperties TextLeftRel="0" TextLeftAbs="2" TextRightRel="1" TextRightAbs="-2" TextHAlign="0.5"
                    TextTopRel="0" TextTopAbs="0" TextBottomRel="1" TextBottomAbs="0" TextVAlign="0.5"
                    TextForegroundPart="Ink"/>
  </Look>
  <Look Name="Badge">
    <ClientPart Name="BadgeFill" OffsetLeft="0" OffsetTop="0" OffsetRight="0" OffsetBottom="0"/>
  </Look>
  <Look Name="Broken">
    <ClientPart Name="Missing" OffsetLeft="0" OffsetTop="0" OffsetRight="0" OffsetBottom="0"/>
    <TextProperties TextLeftRel="0" TextLeftAbs="0" TextRightRel="1" TextRightAbs="0" TextHAlign="0"
                    TextTopRel="0" TextTopAbs="0" TextBottomRel="1" TextBottomAbs="0" TextVAlign="0"
                    TextForegroundPart="Missing"/>
    <NonClientParts>
      <NonClientPart Name="Missing" OffsetLeft="0" OffsetTop="0" Width="5" Height="5"/>
    </NonClientParts>
  </Look>
</Looks>
<LookLists>
  <LookList Name="PanelLooks" NumLooks="1"><Look Name="Panel" Index="0"/></LookList>
  <LookList Name="ButtonLooks" NumLooks="2"><Look Name="Button" Index="0"/></LookList>
  <LookList Name="BadgeLooks" NumLooks="1"><Look Name="Badge" Index="0"/></LookList>
  <LookList Name="GappedLooks" NumLooks="2"><Look Name="Badge" Index="1"/></LookList>
  <LookList Name="BrokenLooks" NumLooks="1"><Look Name="Broken" Index="0"/></LookList>
</LookLists>
<Skins>
  <Skin Name="Standard">
    <SubControl Class="Test.Painted" Name="panel" XSizeAbs="100" YSizeAbs="60">
      <Skin Name="panel" LookList="PanelLooks"/>
      <SubControl Class="Test.Painted" Name="button" LayoutOrder="0" XPositionAbs="10" YPositionAbs="10"
                  XSizeAbs="30" YSizeAbs="20">
        <Skin Name="button" LookList="ButtonLooks"/>
      </SubControl>
      <SubControl Class="Test.Painted" Name="label" LayoutOrder="1" XPositionAbs="50" YPositionAbs="10"
                  XSizeAbs="20" YSizeAbs="20">
        <Skin Name="label" LookList="ButtonLooks"/>
      </SubControl>
      <SubControl Class="Test.Painted" Name="badge" LayoutOrder="2" ClipToParent="False" Z_Order="1"
                  XPositionAbs="80" YPositionAbs="50" XSizeAbs="30" YSizeAbs="20">
        <Skin Name="badge" LookList="BadgeLooks"/>
      </SubControl>
    </SubControl>
    <SubControl Class="Test.Painted" Name="gapped" XSizeAbs="20" YSizeAbs="20">
      <Skin Name="gapped" LookList="GappedLooks"/>
    </SubControl>
    <SubControl Class="Test.Painted" Name="broken" XSizeAbs="20" YSizeAbs="20">
      <Skin Name="broken" LookList="BrokenLooks"/>
    </SubControl>
  </Skin>
</Skins>)";

// The button's face: opaque red on its left half, fully transparent on its right half.
inline FixtureImage HalfTransparentButtonFace() {
  FixtureImage image{10, 10, {}};
  for (int y = 0; y < 10; ++y)
    for (int x = 0; x < 10; ++x) image.pixels.push_back(x < 5 ? 0xFFFF0000u : 0x00000000u);
  return image;
}

// The painting skin's panel, created by name in a root window of 120 x 80 and placed
// (the button at (14, 14) in window coordinates, the label at (54, 14), the badge at
// (84, 54)); the window's record of invalidations starts empty.
class PaintedPanelTest : public ::testing::Test {
protected:
  void SetUp() override {
    EnsureGuiApplication();
    skin.WriteImage("button.png", HalfTransparentButtonFace());
    ASSERT_EQ(skin.Load(kPaintingSkinBody), S_OK);
    panel = skin.Create(u"panel", window.Get());
    ASSERT_TRUE(panel);
    window->rootControl = panel;
    panel->RecomputePlacement();
    window->invalidated.clear();
  }
  void TearDown() override {
    if (panel) panel->Detach();
    window->Forget();
  }
  PaintedControl& Child(const char16_t* name) { return static_cast<PaintedControl&>(*panel->FindChild(name)); }

  PaintingSkin skin;
  RCPtr<StandInRootWindow> window = StandInRootWindow::Create({120, 80});
  RCPtr<LControl> panel;
};

}  // namespace SV::Testing
