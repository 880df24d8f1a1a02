#include "SVFramework/ControlBase/ControlFactory.h"

#include <gtest/gtest.h>

#include <memory>
#include <stdexcept>
#include <string>

#include "SVFramework/ControlBase/ControlCreation.h"
#include "tests/Support/Controls/StandInRootWindow.h"
#include "tests/Support/Skins/SkinFixtures.h"
#include "tests/Support/TemporaryFolder.h"

namespace SV {
namespace {

using Testing::SkinDocument;
using Testing::StringTableDocument;

class TestControl : public LControl {
public:
  TestControl(const RCPtr<LControl>& parent, const String& name) : LControl(parent, name) {}
  SVRESULT ApplyDescriptor(const RCPtr<LControlDescriptor>& descriptor) override {
    ++applied;
    return LControl::ApplyDescriptor(descriptor);
  }
  int applied = 0;
};

RCPtr<LControl>& CreateOther(RCPtr<LControl>& out, const RCPtr<LControl>&, const RCPtr<LControlDescriptor>&) {
  out = nullptr;
  return out;
}

// A string-table document with one text per language given as "lcid=text".
std::string TextTable(const char* table, std::initializer_list<std::pair<const char*, const char*>> locales) {
  std::string body = std::string("<StringTable ID=\"") + table + "\"><String ID=\"TEXT\">";
  for (const auto& [lcid, text] : locales) body += std::string("<Locale LCID=\"") + lcid + "\">" + text + "</Locale>";
  return StringTableDocument(body + "</String></StringTable>");
}

class ControlFactoryTest : public ::testing::Test {
protected:
  ControlFactoryTest() : factory(LControlFactory::Create(u"PresetEditor")) {}

  void UseResources(const std::string& applicationStrings, const std::string& frameworkStrings,
                    const std::string& skins) {
    auto resources = std::make_shared<Testing::MemoryResources>();
    if (!applicationStrings.empty()) resources->Add("SVXML", "APP_STRINGS", applicationStrings);
    if (!frameworkStrings.empty()) resources->Add("SVXML", "FRAMEWORK_STRINGS", frameworkStrings);
    if (!skins.empty()) resources->Add("SVXML", "APP_SKINS", skins);
    factory->SetResourceSource(resources);
  }
  String TextOf(const RCPtr<LStringTable>& table) {
    String text(u"<absent>");
    if (table) table->GetString(u"TEXT", text);
    return text;
  }
  void LoadEditorSkin() {
    UseResources("", "", SkinDocument(Testing::kEditorSkinBody));
    ASSERT_EQ(factory->LoadResources(u"::", 9), S_OK);
  }

  RCPtr<LControlFactory> factory;
};

struct FallbackCase {
  const char* name;
  int32_t language;
  std::initializer_list<std::pair<const char*, const char*>> application;
  std::initializer_list<std::pair<const char*, const char*>> framework;
  const char16_t* applicationText;
  const char16_t* frameworkText;
  int32_t settled;
};

TEST_F(ControlFactoryTest, LanguagesFallBackPerDocument) {
  const FallbackCase cases[] = {
      {"exact", 0x0407, {{"0x0407", "de-DE"}, {"0x0007", "de"}, {"9", "en"}}, {{"0x0407", "fw de-DE"}}, u"de-DE",
       u"fw de-DE", 0x0407},
      {"primary language", 0x0407, {{"0x0007", "de"}, {"9", "en"}}, {{"0x0007", "fw de"}}, u"de", u"fw de", 7},
      {"English when neither", 0x0407, {{"0x0009", "en"}}, {{"0x0007", "fw de"}, {"9", "fw en"}}, u"en", u"fw en", 9},
      {"Taiwan to traditional", 0x0404, {{"0x7c04", "zh-Hant"}, {"4", "zh"}}, {{"31748", "fw zh-Hant"}}, u"zh-Hant",
       u"fw zh-Hant", 0x7C04},
      {"Hong Kong to traditional", 0x0C04, {{"0x7C04", "zh-Hant"}}, {{"0x7C04", "fw"}}, u"zh-Hant", u"fw", 0x7C04},
      {"Macao to traditional", 0x1404, {{"0x7C04", "zh-Hant"}}, {{"0x7C04", "fw"}}, u"zh-Hant", u"fw", 0x7C04},
      {"mainland to primary", 0x0804, {{"0x7C04", "zh-Hant"}, {"0x0004", "zh"}}, {{"4", "fw"}}, u"zh", u"fw", 4},
      {"no framework text at all", 0x0407, {{"0x0407", "de"}}, {}, u"de", u"<absent>", 9},
      {"framework falls to English alone", 0x0407, {{"0x0007", "de"}}, {{"9", "fw en"}}, u"de", u"fw en", 9},
      {"Taiwan skips its primary language", 0x0404, {{"4", "zh"}, {"9", "en"}}, {{"4", "fw zh"}, {"9", "fw en"}},
       u"en", u"fw en", 9},
      {"nothing in any language", 0x0407, {{"0x0010", "it"}}, {{"9", "fw en"}}, u"<absent>", u"fw en", 9},
  };
  for (const FallbackCase& c : cases) {
    factory = LControlFactory::Create(u"PresetEditor");
    UseResources(TextTable("|PresetEditor", c.application), TextTable("Framework", c.framework), "");
    EXPECT_EQ(factory->LoadStrings(u"::APP_STRINGS", u"::FRAMEWORK_STRINGS", c.language), S_OK) << c.name;
    EXPECT_EQ(TextOf(factory->GetApplicationStringTable()), c.applicationText) << c.name;
    EXPECT_EQ(TextOf(factory->GetFrameworkStringTable()), c.frameworkText) << c.name;
    EXPECT_EQ(factory->GetLanguage(), c.settled) << c.name;
  }
}

TEST_F(ControlFactoryTest, SkinsTranslateFontsForTheLanguageTheStringsSettledOn) {
  UseResources(TextTable("|PresetEditor", {{"7", "de"}}), "", SkinDocument(R"(<Skin Name="s">
      <FontLocale LCID="7"/><FontXLat Name="Arial" XLat="Settled"/>
      <FontLocale LCID="0x0407"/><FontXLat Name="Arial" XLat="Asked"/>
      <SubControl Class="C" Name="a" FontName="Arial"><Skin Name="a"/></SubControl></Skin>)"));
  ASSERT_EQ(factory->LoadResources(u"::", 0x0407), S_OK);
  EXPECT_EQ(factory->GetLanguage(), 7);
  EXPECT_EQ(factory->FindControlDescriptor(u"a")->Skin->FontName, u"Settled");
}

TEST_F(ControlFactoryTest, BuiltInResourcesLoadStringsThenSkinsInUtf16AndUtf8) {
  std::string utf16 = TextTable("PresetEditor|mainControl", {{"9", "Main"}});
  utf16.replace(utf16.find("UTF-8"), 5, "UTF-16");
  UseResources(Testing::Utf16LittleEndianWithMark(utf16), TextTable("Framework", {{"9", "Frame"}}),
               SkinDocument(Testing::kEditorSkinBody));
  ASSERT_EQ(factory->LoadResources(u"::", 0x0409), S_OK);
  EXPECT_EQ(TextOf(factory->GetNamedStringTable(u"PresetEditor|mainControl")), u"Main");
  EXPECT_EQ(TextOf(factory->GetFrameworkStringTable()), u"Frame");
  ASSERT_EQ(factory->GetSkins().GetCount(), 1u);
  EXPECT_EQ(factory->GetRegistry().parts.at(u"Face")->Image.path, u"::panel face.png");
}

TEST_F(ControlFactoryTest, AFolderGivesItsThreeFilesAndImagePathsInIt) {
  Testing::TemporaryFolder folder;
  folder.WriteFile("StringTables.xml", TextTable("|PresetEditor", {{"9", "App"}}));
  folder.WriteFile("FrameworkStrings.xml", TextTable("Framework", {{"9", "Frame"}}));
  folder.WriteFile("Skins.xml", SkinDocument(Testing::kEditorSkinBody));
  const String path(folder.Path().c_str());
  ASSERT_EQ(factory->LoadResources(path, 9), S_OK);
  EXPECT_EQ(TextOf(factory->GetApplicationStringTable()), u"App");
  EXPECT_EQ(factory->GetRegistry().parts.at(u"Face")->Image.path, path + u"/panel face.png");
}

TEST_F(ControlFactoryTest, EmptyOrMissingDocumentsAreSkippedForStringsAndFailSkins) {
  Testing::TemporaryFolder folder;
  folder.WriteFile("StringTables.xml", "");
  folder.WriteFile("Skins.xml", "");
  EXPECT_EQ(factory->LoadResources(String(folder.Path().c_str()), 9), E_FAIL);
  EXPECT_FALSE(factory->GetApplicationStringTable());
  EXPECT_EQ(factory->GetSkins().GetCount(), 0u);

  Testing::TemporaryFolder withoutSkins;
  withoutSkins.WriteFile("StringTables.xml", TextTable("|PresetEditor", {{"9", "App"}}));
  EXPECT_EQ(factory->LoadResources(String(withoutSkins.Path().c_str()), 9), E_FAIL) << "no skin file";
  EXPECT_EQ(TextOf(factory->GetApplicationStringTable()), u"App");

  UseResources(TextTable("Framework", {{"9", "Frame"}}), "", "");
  EXPECT_EQ(factory->LoadResources(u"::", 9), E_FAIL) << "no skin resource";
  EXPECT_EQ(factory->LoadSkins(u"::APP_SKINS"), E_FAIL);
}

TEST_F(ControlFactoryTest, ARejectedSkinDocumentFailsWithExpatsErrorAndARejectedStringDocumentIsSkipped) {
  UseResources("<Root><Broken></Root>", TextTable("Framework", {{"9", "Frame"}}), "<Root>\n<Skin Name=\"s\">\n</Root>");
  EXPECT_EQ(factory->LoadResources(u"::", 9), E_FAIL);
  EXPECT_EQ(TextOf(factory->GetFrameworkStringTable()), u"Frame");
  EXPECT_EQ(factory->GetLastParseError().text, u"mismatched tag");
  EXPECT_EQ(factory->GetLastParseError().line, 3u);
  EXPECT_EQ(factory->GetSkins().GetCount(), 1u) << "what was read before the error stays";
}

TEST_F(ControlFactoryTest, ASecondLoadAddsSkinsKeepsFirstDefinitionsAndResetsTheCurrentSkin) {
  UseResources("", "", SkinDocument(R"(<Colorizer Name="C" ColorType="SolidFill" Color="FF0000"/>
      <Skin Name="one"/><Skin Name="two"/>)"));
  ASSERT_EQ(factory->LoadResources(u"::", 9), S_OK);
  factory->SetCurrentSkinIndex(1);
  UseResources("", "", SkinDocument(R"(<Colorizer Name="C" ColorType="SolidFill" Color="00FF00"/>
      <Skin Name="three"/>)"));
  ASSERT_EQ(factory->LoadResources(u"::", 9), S_OK);
  ASSERT_EQ(factory->GetSkins().GetCount(), 3u);
  EXPECT_EQ(factory->GetSkins()[2]->Skin->Name, u"three");
  EXPECT_EQ(factory->GetCurrentSkinIndex(), 0);
  EXPECT_EQ(factory->GetRegistry().colorizers.at(u"C")->ColorValue, Color::FromARGB(0x00FF0000));
}

TEST_F(ControlFactoryTest, ASecondRegistrationKeepsTheFirstFunction) {
  EXPECT_EQ(factory->RegisterControlCreateFunction(u"Framework.Button", &LControlCreation::Create<TestControl>), S_OK);
  EXPECT_EQ(factory->RegisterControlCreateFunction(u"Framework.Button", &CreateOther), S_OK);
  LControlCreateFunction function = nullptr;
  ASSERT_EQ(factory->GetControlCreateFunction(u"Framework.Button", function), S_OK);
  EXPECT_EQ(function, &LControlCreation::Create<TestControl>);
}

TEST_F(ControlFactoryTest, AnUnregisteredClassRaisesAndCachesNothing) {
  LoadEditorSkin();
  const RCPtr<LControlDescriptor> main = factory->FindControlDescriptor(u"mainControl");
  ASSERT_TRUE(main);
  RCPtr<LControl> control;
  try {
    factory->CreateControl(control, main, nullptr);
    FAIL() << "no exception";
  } catch (const std::runtime_error& error) {
    const std::string text = error.what();
    EXPECT_TRUE(text.starts_with("Runtime Error : SV::LControlFactory::GetControlCreateFunction : "
                                 "ControlBase/ControlFactory : Line "))
        << text;
  }
  EXPECT_EQ(main->CreateFunction, nullptr);
}

TEST_F(ControlFactoryTest, CreatingByNameMakesTheDescriptorVisibleAndGivesTheRootWindow) {
  LoadEditorSkin();
  factory->RegisterControlCreateFunction(u"PresetEditor.MainControl", &LControlCreation::Create<TestControl>);
  const RCPtr<LControlDescriptor> main = factory->FindControlDescriptor(u"mainControl");
  main->Layout->IsVisible = false;
  const RCPtr<Testing::StandInRootWindow> window = Testing::StandInRootWindow::Create();
  RCPtr<LControl> control;
  factory->CreateControl(control, u"mainControl", window.Get());
  ASSERT_TRUE(control);
  EXPECT_TRUE(main->Layout->IsVisible);
  EXPECT_EQ(control->GetRootWindow(), window.Get());
  EXPECT_EQ(main->CreateFunction, &LControlCreation::Create<TestControl>) << "cached on first use";
  EXPECT_FALSE(factory->CreateControl(control, u"noSuchControl", window.Get()));
}

TEST_F(ControlFactoryTest, TopLevelDescriptorsAreFoundAmongTheCurrentSkinsDirectChildrenLastFirst) {
  UseResources("", "", SkinDocument(R"(<Skin Name="one"><SubControl Class="C" Name="dup" Z_Order="1"/>
      <SubControl Class="C" Name="dup" Z_Order="2"><SubControl Class="C" Name="nested"/></SubControl></Skin>
      <Skin Name="two"><SubControl Class="C" Name="only2"/></Skin>)"));
  ASSERT_EQ(factory->LoadResources(u"::", 9), S_OK);
  EXPECT_EQ(factory->GetCurrentSkinIndex(), 0);
  EXPECT_EQ(factory->FindControlDescriptor(u"dup")->Layout->Z_Order, 2);
  EXPECT_FALSE(factory->FindControlDescriptor(u"nested"));
  EXPECT_FALSE(factory->FindControlDescriptor(u"only2"));
  factory->SetCurrentSkinIndex(1);
  EXPECT_TRUE(factory->FindControlDescriptor(u"only2"));
  factory->SetCurrentSkinIndex(2);
  EXPECT_FALSE(factory->FindControlDescriptor(u"only2")) << "an index outside the skins finds nothing";
}

TEST_F(ControlFactoryTest, TheSkinFontGivesOnlyWhatTheSkinHas) {
  UseResources("", "", SkinDocument(R"(<Skin Name="half" FontSize="0.5"/><Skin Name="full" FontName="Sans"
      FontSize="12" FontStyle="3"/>)"));
  ASSERT_EQ(factory->LoadResources(u"::", 9), S_OK);
  String name(u"System");
  float size = 8.0f;
  int32_t style = 0;
  EXPECT_EQ(factory->GetSkinFont(name, size, style), S_FALSE);
  EXPECT_EQ(name, u"System");
  EXPECT_EQ(size, 8.0f);
  EXPECT_EQ(style, 0);
  factory->SetCurrentSkinIndex(1);
  EXPECT_EQ(factory->GetSkinFont(name, size, style), S_OK);
  EXPECT_EQ(name, u"Sans");
  EXPECT_EQ(size, 12.0f);
  EXPECT_EQ(style, 3);
  factory->SetCurrentSkinIndex(7);
  EXPECT_EQ(factory->GetSkinFont(name, size, style), S_FALSE);
}

TEST_F(ControlFactoryTest, StringTablesAreNamedByParentClassOrApplicationAndHandedOutAsCopies) {
  UseResources(StringTableDocument(R"(
      <StringTable ID="PresetEditor.DialogAbout|labelProduct"><String ID="TEXT"><Locale LCID="9">product</Locale></String></StringTable>
      <StringTable ID="PresetEditor|mainControl"><String ID="TEXT"><Locale LCID="9">main</Locale></String></StringTable>
      <StringTable ID="|PresetEditor"><String ID="TEXT"><Locale LCID="9">application</Locale></String></StringTable>)"),
               TextTable("Framework", {{"9", "framework"}}), "");
  factory->LoadStrings(u"::APP_STRINGS", u"::FRAMEWORK_STRINGS", 9);
  SetApplicationControlFactory(factory);
  const RCPtr<LControlDescriptor> dialog = LControlDescriptor::Create(u"PresetEditor.DialogAbout", u"about", nullptr);
  RCPtr<LControl> parent(new TestControl(nullptr, u"about"));
  parent->ApplyDescriptor(dialog);
  const RCPtr<LControl> label(new TestControl(parent, u"labelProduct"));
  const RCPtr<LControl> main(new TestControl(nullptr, u"mainControl"));
  SetApplicationControlFactory(nullptr);

  EXPECT_EQ(TextOf(label->GetStringTable()), u"product");
  EXPECT_EQ(TextOf(main->GetStringTable()), u"main");
  EXPECT_EQ(TextOf(factory->GetApplicationStringTable()), u"application");
  EXPECT_EQ(TextOf(factory->GetFrameworkStringTable()), u"framework");
  EXPECT_FALSE(factory->GetStringTable(nullptr, u"unknown"));

  const RCPtr<LStringTable> one = factory->GetFrameworkStringTable();
  const RCPtr<LStringTable> two = factory->GetFrameworkStringTable();
  ASSERT_NE(one.Get(), two.Get());
  one->SetString(u"TEXT", u"changed");
  EXPECT_EQ(TextOf(two), u"framework");
  EXPECT_EQ(TextOf(factory->GetFrameworkStringTable()), u"framework");
}

TEST_F(ControlFactoryTest, TheApplicationElementRenamesTheApplicationAndItsTables) {
  UseResources(StringTableDocument(R"(<Application Name="Other"/>
      <StringTable ID="|Other"><String ID="TEXT"><Locale LCID="9">renamed</Locale></String></StringTable>)"),
               "", SkinDocument(R"(<Skin Name="s"/>)"));
  ASSERT_EQ(factory->LoadResources(u"::", 9), S_OK);
  EXPECT_EQ(factory->GetApplicationName(), u"Other");
  EXPECT_EQ(TextOf(factory->GetApplicationStringTable()), u"renamed");
  EXPECT_EQ(factory->GetSkins()[0]->Name, u"Other");
}

TEST_F(ControlFactoryTest, ApplyingTheSkinFindsTheDescriptorByTheControlsName) {
  LoadEditorSkin();
  EXPECT_EQ(factory->ApplySkinToControl(nullptr), E_FAIL);
  const RCPtr<TestControl> stranger(new TestControl(nullptr, u"stranger"));
  EXPECT_EQ(factory->ApplySkinToControl(RCPtr<LControl>(stranger.Get())), E_FAIL);
  const RCPtr<TestControl> main(new TestControl(nullptr, u"mainControl"));
  EXPECT_EQ(factory->ApplySkinToControl(RCPtr<LControl>(main.Get())), S_OK);
  EXPECT_EQ(main->applied, 1);
  EXPECT_EQ(main->GetDescriptor().Get(), factory->FindControlDescriptor(u"mainControl").Get());
}

TEST_F(ControlFactoryTest, ACloneSharesTheTemplateButTakesItsOwnNameAndLayout) {
  LoadEditorSkin();
  const RCPtr<LControlDescriptor> main = factory->FindControlDescriptor(u"mainControl");
  const RCPtr<LLayoutDescriptor> layout = LLayoutDescriptor::Create();
  const RCPtr<LControlDescriptor> clone = factory->CloneControlDescriptor(main, layout, u"copy");
  EXPECT_EQ(clone->Name, u"copy");
  EXPECT_EQ(clone->Layout.Get(), layout.Get());
  EXPECT_NE(main->Layout.Get(), layout.Get());
  EXPECT_EQ(clone->Skin.Get(), main->Skin.Get());
  EXPECT_EQ(clone->Children.GetCount(), main->Children.GetCount());
}

}  // namespace
}  // namespace SV
