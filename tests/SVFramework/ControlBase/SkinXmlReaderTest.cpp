#include "SVFramework/ControlBase/SkinXmlReader.h"

#include <gtest/gtest.h>

#include <string>

#include "tests/Support/Skins/SkinFixtures.h"

namespace SV {
namespace {

using Testing::SkinDocument;
using Testing::StringTableDocument;

class SkinXmlReaderTest : public ::testing::Test {
protected:
  SkinXmlReaderTest() : reader(registry) {
    registry.applicationName = u"Startup";
    registry.baseFolder = u"/skins/";
  }

  // Skins are read in English, as after string tables that settled on it.
  SVRESULT ParseSkin(const std::string& document) {
    reader.BeginStringDocument(9);
    reader.BeginSkinDocument();
    return reader.Parse(document.data(), document.size());
  }
  SVRESULT ParseStrings(const std::string& document, int32_t language) {
    reader.BeginStringDocument(language);
    return reader.Parse(document.data(), document.size());
  }
  const LControlDescriptor& Skin(uint32_t index = 0) { return *registry.skins[index]; }
  const LControlDescriptor& TopLevel(uint32_t index, uint32_t skin = 0) { return *Skin(skin).Children[index]; }
  String Text(const char16_t* table, const char16_t* id) {
    const auto& entries = registry.stringTables[table];
    const auto found = entries.find(id);
    return found == entries.end() ? String(u"<absent>") : found->second;
  }

  SkinRegistry registry;
  SkinXmlReader reader;
};

TEST_F(SkinXmlReaderTest, TheEditorSkinFillsEveryRegistry) {
  ASSERT_EQ(ParseSkin(SkinDocument(Testing::kEditorSkinBody)), S_OK);
  EXPECT_EQ(registry.applicationName, u"PresetEditor");

  const RCPtr<LColorizer> fade = registry.colorizers[u"Fade"];
  ASSERT_TRUE(fade);
  EXPECT_EQ(fade->ColorType, ColorizerType::LinearGradient);
  EXPECT_EQ(fade->GradientEndColor, Color::FromARGB(0x00FFFFFF));
  EXPECT_EQ(fade->GradientStartY, 0.5f);
  EXPECT_EQ(registry.colorizers[u"Red"]->ColorValue, Color::FromARGB(0x00FF0000));

  const RCPtr<LVisualPartDescriptor> face = registry.parts[u"Face"];
  ASSERT_TRUE(face);
  EXPECT_EQ(face->Image.path, u"/skins/panel face.png");
  EXPECT_EQ(face->Image.X, 1);
  EXPECT_EQ(face->Image.Height, 20);
  EXPECT_EQ(face->Mask.path, u"/skins/Mask.PNG");
  EXPECT_EQ(face->Mask.Y, 4);
  EXPECT_EQ(face->Resize, ResizeType::Tile);
  EXPECT_EQ(face->AlphaModulation, 0.5f);
  EXPECT_EQ(face->Colorizer.Get(), fade.Get());
  const RCPtr<LVisualPartDescriptor> fill = registry.parts[u"Fill"];
  ASSERT_TRUE(fill);
  EXPECT_FALSE(fill->IsImagePart());
  EXPECT_EQ(fill->PartSize.height, 5);
  EXPECT_EQ(fill->Resize, ResizeType::Center);
}

TEST_F(SkinXmlReaderTest, TheEditorSkinBuildsLooksAndTheirLookList) {
  ASSERT_EQ(ParseSkin(SkinDocument(Testing::kEditorSkinBody)), S_OK);
  const RCPtr<LLookDescriptor> look = registry.looks[u"ButtonUp"];
  ASSERT_TRUE(look && look->ClientPart);
  EXPECT_EQ(look->ClientPart->GivenOffsets, LDockedPart::kAllOffsetsGiven);
  EXPECT_EQ(look->ClientPart->OffsetBottom, 4);
  EXPECT_EQ(look->ClientPart->WidthGiven, 0);
  EXPECT_TRUE(look->HasText);
  EXPECT_EQ(look->Text.TextRightAbs, -2);
  EXPECT_EQ(look->Text.TextLeftRel, 0.1f);
  EXPECT_EQ(look->ForegroundPart.Get(), registry.parts[u"Fill"].Get());
  ASSERT_EQ(look->NonClientParts.GetCount(), 1u);
  const LDockedPart& corner = *look->NonClientParts[0];
  EXPECT_EQ(corner.GivenOffsets, LDockedPart::kLeftGiven | LDockedPart::kBottomGiven);
  EXPECT_EQ(corner.WidthGiven, 1);
  EXPECT_EQ(corner.HeightGiven, 0);

  const RCPtr<LLookList> list = registry.lookLists[u"Button"];
  ASSERT_TRUE(list);
  ASSERT_EQ(list->GetCount(), 3u);
  EXPECT_FALSE((*list)[0]);
  EXPECT_EQ((*list)[1].Get(), look.Get());
  EXPECT_FALSE((*list)[2]);
}

TEST_F(SkinXmlReaderTest, TheEditorSkinDescribesItsControls) {
  ASSERT_EQ(ParseSkin(SkinDocument(Testing::kEditorSkinBody)), S_OK);
  ASSERT_EQ(registry.skins.GetCount(), 1u);
  const LControlDescriptor& root = Skin();
  EXPECT_TRUE(root.IsSkinRoot());
  EXPECT_EQ(root.Name, u"PresetEditor");
  EXPECT_FALSE(root.Layout);
  EXPECT_EQ(root.Skin->FontName, u"Sans");
  EXPECT_EQ(root.Skin->FontSize, 9.0f);
  EXPECT_EQ(root.Skin->FontStyle, 1);

  const LControlDescriptor& main = TopLevel(0);
  EXPECT_EQ(main.ClassName, u"PresetEditor.MainControl");
  EXPECT_EQ(main.Parent, &root);
  EXPECT_EQ(main.Layout->TabStop, 0) << "TabStop is not read for a top-level control";
  EXPECT_TRUE(main.Layout->IsVisible) << "IsVisible is not read for a top-level control";
  EXPECT_EQ(main.Layout->Size[0].abs, 640.0);
  EXPECT_EQ(main.Skin->LookList.Get(), registry.lookLists[u"Button"].Get());

  ASSERT_EQ(main.Children.GetCount(), 2u);
  const LControlDescriptor& first = *main.Children[0];
  const LControlDescriptor& second = *main.Children[1];
  EXPECT_EQ(first.Name, u"first");
  EXPECT_EQ(first.Layout->TabStop, 5);
  EXPECT_EQ(first.Layout->Placement[0].reference, PositionReference::NamedControl);
  EXPECT_EQ(first.Layout->Placement[0].name, u"second");
  EXPECT_FALSE(first.Skin) << "a SubControl without a nested Skin has none";
  EXPECT_EQ(second.Name, u"second");
  EXPECT_EQ(second.Skin->FontName, u"Liberation Sans");
  EXPECT_EQ(second.Skin->FontSize, 10.0f);
  String text;
  ASSERT_TRUE(second.CreateParams && second.CreateParams->GetString(u"TEXT", text));
  EXPECT_EQ(text, u"a&b");
}

TEST_F(SkinXmlReaderTest, SiblingsAreOrderedByLayoutOrderKeepingDocumentOrderAmongEquals) {
  ASSERT_EQ(ParseSkin(SkinDocument(R"(<Skin Name="s"><SubControl Class="C" Name="top">
      <SubControl Class="C" Name="b" LayoutOrder="1"/>
      <SubControl Class="C" Name="a" LayoutOrder="0"/>
      <SubControl Class="C" Name="c" LayoutOrder="1"/>
      <SubControl Class="C" Name="minus" LayoutOrder="-6"/>
    </SubControl>
    <SubControl Class="C" Name="second" LayoutOrder="-1"/></Skin>)")),
            S_OK);
  const LControlDescriptor& top = TopLevel(0);
  ASSERT_EQ(top.Children.GetCount(), 4u);
  EXPECT_EQ(top.Children[0]->Name, u"minus");
  EXPECT_EQ(top.Children[1]->Name, u"a");
  EXPECT_EQ(top.Children[2]->Name, u"b");
  EXPECT_EQ(top.Children[3]->Name, u"c");
  EXPECT_EQ(TopLevel(1).Name, u"second") << "a skin's own children stay in document order";
}

TEST_F(SkinXmlReaderTest, LayoutAttributesFillTheRecord) {
  ASSERT_EQ(ParseSkin(SkinDocument(R"(<Skin Name="s"><SubControl Class="C" Name="top"><SubControl Class="C" Name="c"
      ClipToParent="False" Z_Order="3" TabStop="-1" IsVisible="False" XPlacementAnchor="0.5" YIsDocked="True"
      XPositionToControl="Parent" YPositionToControl="Active Window" XPositionRel="0.25" YPositionAbs="-7"
      XSizeToControl="Client" YSizeToControl="knob" XSizeRel="1" XSizeAbs="-4" XMinSizeToControl="Children"
      XMinSizeAbs="10" YMaxSizeToControl="Self" YMaxSizeRel="2" TextDecoration="underline"
      TextOverflowXType="Wrap" TextOverflowYType="Wrap"/></SubControl></Skin>)")),
            S_OK);
  const LLayoutDescriptor& layout = *TopLevel(0).Children[0]->Layout;
  EXPECT_FALSE(layout.ClipToParent);
  EXPECT_EQ(layout.Z_Order, 3);
  EXPECT_EQ(layout.TabStop, -1);
  EXPECT_FALSE(layout.IsVisible);
  EXPECT_EQ(layout.Placement[0].anchor, 0.5f);
  EXPECT_TRUE(layout.Placement[1].docked);
  EXPECT_EQ(layout.Placement[0].reference, PositionReference::Parent);
  EXPECT_EQ(layout.Placement[1].reference, PositionReference::Client);
  EXPECT_EQ(layout.Placement[0].rel, 0.25f);
  EXPECT_EQ(layout.Placement[1].abs, -7.0);
  EXPECT_EQ(layout.Size[0].reference, SizeReference::Client);
  EXPECT_EQ(layout.Size[1].reference, SizeReference::NamedControl);
  EXPECT_EQ(layout.Size[1].name, u"knob");
  EXPECT_EQ(layout.Size[0].abs, -4.0);
  EXPECT_TRUE(layout.MinSize[0].namesControl);
  EXPECT_EQ(layout.MinSize[0].name, u"Children");
  EXPECT_EQ(layout.MinSize[0].abs, 10.0);
  EXPECT_FALSE(layout.MaxSize[1].namesControl);
  EXPECT_EQ(layout.MaxSize[1].rel, 2.0f);
  EXPECT_EQ(layout.TextDecoration, u"underline");
  EXPECT_EQ(layout.TextOverflowXType, TextOverflow::Wrap);
  EXPECT_EQ(layout.TextOverflowYType, TextOverflow::Clip) << "Wrap is no word for Y";
}

TEST_F(SkinXmlReaderTest, ResourceDefinitionsThatCannotStandAreDroppedOrDowngraded) {
  ASSERT_EQ(ParseSkin(SkinDocument(R"(
      <Colorizer Name="Half" ColorType="LinearGradient" Color="00FF00" GradientEndColor="FFFFFF"
                 GradientStartX="0" GradientStartY="0" GradientEndX="1"/>
      <Colorizer Name="NoColor" ColorType="SolidFill"/>
      <Part Name="Nothing" Width="4" Height="4" ResizeType="Tile"/>
      <Part Name="NoLocY" Width="4" Height="4" ResizeType="Centre" ImageFile="a.png" ImageLocX="0" ColorizerName="Half"/>
      <Part Name="UnknownColorizer" Width="4" Height="4" ResizeType="Tile" ColorizerName="Later"/>
      <Colorizer Name="Later" ColorType="SolidFill" Color="000000"/>)")),
            S_OK);
  const RCPtr<LColorizer> half = registry.colorizers[u"Half"];
  ASSERT_TRUE(half);
  EXPECT_EQ(half->ColorType, ColorizerType::SolidFill);
  EXPECT_EQ(half->GradientEndColor, Color());
  EXPECT_EQ(half->GradientEndX, 0.0f);
  EXPECT_FALSE(registry.colorizers.count(u"NoColor"));
  EXPECT_FALSE(registry.parts.count(u"Nothing"));
  EXPECT_FALSE(registry.parts.count(u"UnknownColorizer")) << "a name is looked up when the part is read";
  const RCPtr<LVisualPartDescriptor> noLocY = registry.parts[u"NoLocY"];
  ASSERT_TRUE(noLocY);
  EXPECT_FALSE(noLocY->IsImagePart());
  EXPECT_EQ(noLocY->Resize, ResizeType::Stretch);
}

TEST_F(SkinXmlReaderTest, AFirstDefinitionOfANameStays) {
  ASSERT_EQ(ParseSkin(SkinDocument(R"(<Colorizer Name="C" ColorType="SolidFill" Color="FF0000"/>
      <Colorizer Name="C" ColorType="SolidFill" Color="00FF00"/>)")),
            S_OK);
  EXPECT_EQ(registry.colorizers[u"C"]->ColorValue, Color::FromARGB(0x00FF0000));
}

TEST_F(SkinXmlReaderTest, ElementsOutsideTheirContextAreIgnoredWithoutHarm) {
  struct Case {
    const char* what;
    const char* body;
  };
  const Case cases[] = {
      {"ClientPart before any Look",
       R"(<Part Name="P" Width="1" Height="1" ResizeType="Tile" ImageFile="p.png" ImageLocX="0" ImageLocY="0"/>
          <ClientPart Name="P" OffsetLeft="0" OffsetTop="0" OffsetRight="0" OffsetBottom="0"/>)"},
      {"TextProperties before any Look",
       R"(<Part Name="P" Width="1" Height="1" ResizeType="Tile" ImageFile="p.png" ImageLocX="0" ImageLocY="0"/>
          <TextProperties TextLeftRel="0" TextLeftAbs="0" TextRightRel="0" TextRightAbs="0" TextHAlign="0"
            TextTopRel="0" TextTopAbs="0" TextBottomRel="0" TextBottomAbs="0" TextVAlign="0" TextForegroundPart="P"/>)"},
      {"NonClientPart before any Look",
       R"(<Part Name="P" Width="1" Height="1" ResizeType="Tile" ImageFile="p.png" ImageLocX="0" ImageLocY="0"/>
          <NonClientPart Name="P"/>)"},
      {"FontXLat with no skin", R"(<FontLocale LCID="0"/><FontXLat Name="Arial" XLat="Sans"/>)"},
      {"FontXLat in a control without a skin",
       R"(<FontLocale LCID="0"/><Skin Name="s"><SubControl Class="C" Name="c"><FontXLat Name="A" XLat="B"/></SubControl></Skin>)"},
      {"LookList in a control without a skin",
       R"(<Skin Name="s"><SubControl Class="C" Name="c"><LookList Name="L" NumLooks="2"/></SubControl></Skin>)"},
      {"Look reference without a look list", R"(<Look Name="X" Index="0"/>)"},
      {"CreateParam outside a list", R"(<CreateParam ID="A">value</CreateParam>)"},
      {"CreateParamList end outside a control", R"(<CreateParamList><CreateParam ID="A">v</CreateParam></CreateParamList>)"},
  };
  for (const Case& c : cases) {
    SkinRegistry fresh;
    SkinXmlReader freshReader(fresh);
    freshReader.BeginSkinDocument();
    const std::string document = SkinDocument(c.body);
    EXPECT_EQ(freshReader.Parse(document.data(), document.size()), S_OK) << c.what;
  }
}

TEST_F(SkinXmlReaderTest, ALookListInAControlWithoutSkinIsStillRegistered) {
  ASSERT_EQ(ParseSkin(SkinDocument(R"(<Looks><Look Name="A"/></Looks><Skin Name="s"><SubControl Class="C" Name="c">
      <LookList Name="L" NumLooks="2"><Look Name="A" Index="0"/></LookList></SubControl></Skin>)")),
            S_OK);
  ASSERT_TRUE(registry.lookLists.count(u"L"));
  EXPECT_TRUE((*registry.lookLists[u"L"])[0]);
  EXPECT_FALSE(TopLevel(0).Skin);
}

TEST_F(SkinXmlReaderTest, ASubControlOutsideAnySkinFailsTheLoadCleanly) {
  EXPECT_EQ(ParseSkin(SkinDocument(R"(<SubControl Class="C" Name="stray"/>)")), E_FAIL);
  EXPECT_NE(reader.GetLastError().text.ToUTF8().View().find("Bad Subcontrol Element"), std::string::npos);
  EXPECT_EQ(ParseSkin(SkinDocument(R"(<LookLists/><Skin Name="s"/><LookLists/><SubControl Class="C" Name="x"/>)")),
            E_FAIL);
}

TEST_F(SkinXmlReaderTest, ASubControlWithoutClassOrNameFailsButEarlierSkinsStay) {
  for (const char* element : {R"(<SubControl Name="n"/>)", R"(<SubControl Class="C"/>)"}) {
    SkinRegistry fresh;
    SkinXmlReader freshReader(fresh);
    freshReader.BeginSkinDocument();
    const std::string document =
        SkinDocument(std::string(R"(<Skin Name="first"><SubControl Class="C" Name="a"/></Skin><Skin Name="second">)") +
                     element + "</Skin>");
    EXPECT_EQ(freshReader.Parse(document.data(), document.size()), E_FAIL) << element;
    ASSERT_EQ(fresh.skins.GetCount(), 2u);
    EXPECT_EQ(fresh.skins[0]->Children.GetCount(), 1u);
    EXPECT_TRUE(freshReader.GetLastError().text.ToUTF8().View().starts_with(
        "Runtime Error : Bad Subcontrol Element : SV::LControlFactory::XMLStartElement : "
        "ControlBase/SkinControlElements : Line "));
    EXPECT_EQ(freshReader.GetLastError().line, 3u);
  }
}

TEST_F(SkinXmlReaderTest, LookReferencesOutsideTheListAndImpossibleListSizesAreIgnored) {
  ASSERT_EQ(ParseSkin(SkinDocument(R"(<Looks><Look Name="A"/></Looks>
      <LookLists>
        <LookList Name="Two" NumLooks="2">
          <Look Name="A" Index="-1"/><Look Name="A" Index="2"/><Look Name="A" Index="99999"/><Look Name="A" Index="1"/>
        </LookList>
        <LookList Name="Negative" NumLooks="-6"><Look Name="A" Index="0"/></LookList>
        <LookList Name="Huge" NumLooks="2147483647"><Look Name="A" Index="2000000000"/></LookList>
      </LookLists>)")),
            S_OK);
  const RCPtr<LLookList> two = registry.lookLists[u"Two"];
  ASSERT_EQ(two->GetCount(), 2u);
  EXPECT_FALSE((*two)[0]);
  EXPECT_TRUE((*two)[1]);
  EXPECT_FALSE(registry.lookLists.count(u"Negative"));
  EXPECT_FALSE(registry.lookLists.count(u"Huge"));
}

TEST_F(SkinXmlReaderTest, CreateParamValuesKeepEveryPieceExpatHandsOver) {
  ASSERT_EQ(ParseSkin(SkinDocument(R"(<Skin Name="s"><SubControl Class="C" Name="c"><CreateParamList>
        <CreateParam ID="OWN_LINE" Type="String">
          value
        </CreateParam>
        <CreateParam ID="ENTITY">a&amp;b&lt;c</CreateParam>
        <CreateParam ID="REPLACED">first</CreateParam>
        <CreateParam ID="REPLACED">second</CreateParam>
        <CreateParam ID="EMPTY"></CreateParam>
      </CreateParamList></SubControl></Skin>)")),
            S_OK);
  const RCPtr<LStringTable> parameters = TopLevel(0).CreateParams;
  ASSERT_TRUE(parameters);
  String text;
  ASSERT_TRUE(parameters->GetString(u"OWN_LINE", text));
  EXPECT_EQ(text.Trim(), u"value");
  ASSERT_TRUE(parameters->GetString(u"ENTITY", text));
  EXPECT_EQ(text, u"a&b<c");
  ASSERT_TRUE(parameters->GetString(u"REPLACED", text));
  EXPECT_EQ(text, u"second");
  EXPECT_FALSE(parameters->GetString(u"EMPTY", text));
}

TEST_F(SkinXmlReaderTest, ANestedSkinTakesThePendingFontAndTranslation) {
  ASSERT_EQ(ParseSkin(SkinDocument(R"(<Skin Name="s"><FontLocale LCID="9"/><FontXLat Name="Arial" XLat="Sans"/>
      <FontLocale LCID="7"/><FontXLat Name="Verdana" XLat="Other"/>
      <SubControl Class="C" Name="a" FontName="Arial" FontSize="11" FontStyle="0x2" FontInheritsFromParent="True"
                  FontSizeIsRelative="True"><Skin Name="a"/></SubControl>
      <SubControl Class="C" Name="b" FontName="Verdana" FontSizeIsRelative="True"><Skin Name="b"/></SubControl>
    </Skin>)")),
            S_OK);
  const LSkinDescriptor& a = *TopLevel(0).Skin;
  EXPECT_EQ(a.FontName, u"Sans");
  EXPECT_EQ(a.FontSize, 11.0f);
  EXPECT_EQ(a.FontStyle, 2);
  EXPECT_TRUE(a.FontInheritsFromParent);
  EXPECT_TRUE(a.FontSizeIsRelative);
  const LSkinDescriptor& b = *TopLevel(1).Skin;
  EXPECT_EQ(b.FontName, u"Verdana") << "the translation of another language does not apply";
  EXPECT_FALSE(b.FontSizeIsRelative) << "no FontSize makes the size absolute";
  EXPECT_EQ(b.FontStyle, -1);
}

TEST_F(SkinXmlReaderTest, ExpatErrorsFailWithTheirTextAndLineAndKeepWhatCameBefore) {
  const std::string document = "<?xml version=\"1.0\"?>\n<Root>\n<Colorizer Name=\"C\" ColorType=\"SolidFill\" "
                               "Color=\"FF0000\"/>\n<Open>\n</Root>\n";
  EXPECT_EQ(ParseSkin(document), E_FAIL);
  EXPECT_EQ(reader.GetLastError().text, u"mismatched tag");
  EXPECT_EQ(reader.GetLastError().line, 5u);
  EXPECT_TRUE(registry.colorizers.count(u"C"));
}

TEST_F(SkinXmlReaderTest, AnEmptyBufferIsNeverParsed) {
  const char nothing[1] = {'<'};
  EXPECT_EQ(reader.Parse(nothing, 0), E_FAIL);
  EXPECT_EQ(reader.Parse(nullptr, 0), E_FAIL);
  EXPECT_EQ(registry.skins.GetCount(), 0u);
}

TEST_F(SkinXmlReaderTest, TheRootElementIsIgnoredEvenWhenItIsApplication) {
  ASSERT_EQ(ParseSkin(R"(<Application Name="Root"><Application Name="Inner"/></Application>)"), S_OK);
  EXPECT_EQ(registry.applicationName, u"Inner");
  ASSERT_EQ(ParseSkin(R"(<Application Name="Root"/>)"), S_OK);
  EXPECT_EQ(registry.applicationName, u"Inner");
}

TEST_F(SkinXmlReaderTest, StringTablesKeepOnlyTheChosenLanguage) {
  ASSERT_EQ(ParseStrings(StringTableDocument(R"(<StringTable ID="T">
      <String ID="BOTH"><Locale LCID="0x0009">Hello</Locale><Locale LCID="0x0007">Hallo</Locale></String>
      <String ID="OTHER_ONLY"><Locale LCID="0x0007">Nur</Locale></String>
      <String ID="EMPTY"><Locale LCID="9"></Locale></String>
      <String ID="TWICE"><Locale LCID="9">one</Locale><Locale LCID="9">two</Locale></String>
      <String ID="MIXED"><Locale LCID="9">a &amp; <Ignored/>b</Locale> after</String>
      <String><Locale LCID="9">stays with MIXED</Locale></String>
    </StringTable>)"),
                         9),
            S_OK);
  EXPECT_EQ(reader.GetMatchedCount(), 6);
  EXPECT_EQ(Text(u"T", u"BOTH"), u"Hello");
  EXPECT_EQ(Text(u"T", u"OTHER_ONLY"), u"<absent>");
  EXPECT_EQ(Text(u"T", u"EMPTY"), u"");
  EXPECT_EQ(Text(u"T", u"TWICE"), u"onetwo");
  EXPECT_EQ(Text(u"T", u"MIXED"), u"a & stays with MIXED") << "every end tag closes the entry";
}

TEST_F(SkinXmlReaderTest, TablesOfOneNameMergeAcrossDocuments) {
  ASSERT_EQ(ParseStrings(StringTableDocument(R"(<StringTable ID="T"><String ID="A"><Locale LCID="9">a</Locale></String></StringTable>)"), 9), S_OK);
  ASSERT_EQ(ParseStrings(StringTableDocument(R"(<StringTable ID="T"><String ID="B"><Locale LCID="9">b</Locale></String></StringTable>)"), 9), S_OK);
  EXPECT_EQ(Text(u"T", u"A"), u"a");
  EXPECT_EQ(Text(u"T", u"B"), u"b");
}

TEST_F(SkinXmlReaderTest, ALocaleBeforeAnyStringTableOrWithoutLcidIsIgnored) {
  ASSERT_EQ(ParseStrings(StringTableDocument(R"(<String ID="A"><Locale LCID="9">lost</Locale></String>
      <StringTable ID="T"><String ID="B"><Locale>no lcid</Locale></String></StringTable>)"),
                         9),
            S_OK);
  EXPECT_EQ(reader.GetMatchedCount(), 0);
  EXPECT_EQ(Text(u"T", u"B"), u"<absent>");
}

TEST_F(SkinXmlReaderTest, AStringTableInUtf16WithAByteOrderMarkReads) {
  const std::string document = Testing::Utf16LittleEndianWithMark(
      "<?xml version=\"1.0\" encoding=\"UTF-16\"?>\n<Root><Application Name=\"Ed\"/><StringTable ID=\"T\">"
      "<String ID=\"A\"><Locale LCID=\"0x0007\">Grüße</Locale></String></StringTable></Root>");
  ASSERT_EQ(ParseStrings(document, 7), S_OK);
  EXPECT_EQ(Text(u"T", u"A"), u"Grüße");
  EXPECT_EQ(registry.applicationName, u"Ed");
}

TEST_F(SkinXmlReaderTest, SkinElementsMeanNothingInStringModeAndTheReverse) {
  ASSERT_EQ(ParseStrings(SkinDocument(Testing::kEditorSkinBody), 9), S_OK);
  EXPECT_EQ(registry.skins.GetCount(), 0u);
  EXPECT_TRUE(registry.colorizers.empty());
  ASSERT_EQ(ParseSkin(StringTableDocument(R"(<StringTable ID="T"><String ID="A"><Locale LCID="0">x</Locale></String></StringTable>)")), S_OK);
  EXPECT_TRUE(registry.stringTables.empty());
}

TEST_F(SkinXmlReaderTest, DeepNestingFailsCleanlyAndUnknownDeepElementsLoad) {
  std::string controls = "<Skin Name=\"s\">";
  for (int i = 0; i < 10000; ++i) controls += "<SubControl Class=\"C\" Name=\"c\">";
  for (int i = 0; i < 10000; ++i) controls += "</SubControl>";
  controls += "</Skin>";
  EXPECT_EQ(ParseSkin(SkinDocument(controls)), E_FAIL);

  std::string unknown;
  for (int i = 0; i < 10000; ++i) unknown += "<Deep>";
  for (int i = 0; i < 10000; ++i) unknown += "</Deep>";
  EXPECT_EQ(ParseSkin(SkinDocument(unknown)), S_OK);
}

TEST_F(SkinXmlReaderTest, AnAttributeOfOneMebibyteLoads) {
  const std::string name(1 << 20, 'n');
  ASSERT_EQ(ParseSkin(SkinDocument("<Skin Name=\"s\"><SubControl Class=\"C\" Name=\"" + name + "\"/></Skin>")), S_OK);
  EXPECT_EQ(TopLevel(0).Name.GetLength(), 1 << 20);
}

TEST_F(SkinXmlReaderTest, AHundredThousandStringsLoad) {
  std::string body = "<StringTable ID=\"T\">";
  for (int i = 0; i < 100000; ++i)
    body += "<String ID=\"S" + std::to_string(i) + "\"><Locale LCID=\"9\">" + std::to_string(i) + "</Locale></String>";
  body += "</StringTable>";
  ASSERT_EQ(ParseStrings(StringTableDocument(body), 9), S_OK);
  EXPECT_EQ(registry.stringTables[u"T"].size(), 100000u);
  EXPECT_EQ(Text(u"T", u"S99999"), u"99999");
}

}  // namespace
}  // namespace SV
