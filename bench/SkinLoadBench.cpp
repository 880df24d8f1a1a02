// Loading the three documents of a skin the size of the editor's (about 400
// controls, 200 looks, 300 strings in nine languages; the string tables in UTF-16
// with a byte-order mark, the skin in UTF-8) through the control factory, against
// expat alone parsing the same bytes with empty handlers. The ratio factory/expat is
// printed at the end (goal: at most 3). Then the time per control of creating a tree
// of 1,000 controls through the factory.
#include <benchmark/benchmark.h>

#include <expat.h>

#include <cstdio>
#include <memory>
#include <optional>
#include <string>

#include "BenchmarkGoal.h"
#include "RateReporter.h"
#include "SVFramework/ControlBase/ControlCreation.h"
#include "SVFramework/ControlBase/ControlFactory.h"
#include "tests/Support/Skins/SkinFixtures.h"

namespace {

constexpr int kLooks = 200;
constexpr int kPanels = 40;
constexpr int kControlsPerPanel = 9;
constexpr int kStrings = 300;
constexpr int kControlsCreated = 1000;
constexpr const char* kLanguages[] = {"0x0009", "0x000A", "0x0007", "0x000C", "0x0010",
                                      "0x0011", "0x0012", "0x7C04", "0x0004"};

std::string N(int value) { return std::to_string(value); }

std::string SkinBody() {
  std::string body = "<Application Name=\"PresetEditor\"/><Colorizers>";
  for (int i = 0; i < 20; ++i)
    body += "<Colorizer Name=\"C" + N(i) + "\" ColorType=\"SolidFill\" Color=\"0xFF" + N(100000 + i) + "\"/>\n";
  body += "</Colorizers><Parts>";
  for (int i = 0; i < 100; ++i)
    body += "<Part Name=\"P" + N(i) + "\" Width=\"16\" Height=\"16\" ResizeType=\"Tile\" ImageFile=\"Parts" + N(i % 8) +
            ".png\" ImageLocX=\"" + N(i * 16) + "\" ImageLocY=\"0\" ColorizerName=\"C" + N(i % 20) + "\"/>\n";
  body += "</Parts><Looks>";
  for (int i = 0; i < kLooks; ++i)
    body += "<Look Name=\"L" + N(i) + "\"><ClientPart Name=\"P" + N(i % 100) +
            "\" OffsetLeft=\"2\" OffsetTop=\"2\" OffsetRight=\"2\" OffsetBottom=\"2\"/>"
            "<TextProperties TextLeftRel=\"0\" TextLeftAbs=\"4\" TextRightRel=\"1\" TextRightAbs=\"-4\" "
            "TextHAlign=\"0.5\" TextTopRel=\"0\" TextTopAbs=\"0\" TextBottomRel=\"1\" TextBottomAbs=\"0\" "
            "TextVAlign=\"0.5\" TextForegroundPart=\"P1\"/><NonClientParts>"
            "<NonClientPart Name=\"P2\" OffsetLeft=\"0\" OffsetTop=\"0\" Width=\"2\" Height=\"2\"/>"
            "<NonClientPart Name=\"P3\" OffsetRight=\"0\" OffsetBottom=\"0\" Width=\"2\" Height=\"2\"/>"
            "</NonClientParts></Look>\n";
  body += "</Looks><LookLists>";
  for (int i = 0; i < 50; ++i) {
    body += "<LookList Name=\"LL" + N(i) + "\" NumLooks=\"4\">";
    for (int k = 0; k < 4; ++k) body += "<Look Name=\"L" + N((i * 4 + k) % kLooks) + "\" Index=\"" + N(k) + "\"/>";
    body += "</LookList>\n";
  }
  body += "</LookLists><Skins><Skin Name=\"Standard\" FontName=\"Sans\" FontSize=\"9\">"
          "<SubControl Class=\"PresetEditor.MainControl\" Name=\"mainControl\" XSizeAbs=\"1024\" YSizeAbs=\"700\">"
          "<Skin Name=\"main\" LookList=\"LL0\"/>";
  for (int p = 0; p < kPanels; ++p) {
    body += "<SubControl Class=\"Framework.Panel\" Name=\"panel" + N(p) + "\" LayoutOrder=\"" + N(kPanels - p) +
            "\" XPositionToControl=\"Client\" XPositionRel=\"0.1\" XPositionAbs=\"4\" YPositionToControl=\"panel" +
            N(p + 1) + "\" XSizeRel=\"0.8\" YSizeAbs=\"80\"><Skin Name=\"panel\" LookList=\"LL" + N(p % 50) + "\"/>";
    for (int c = 0; c < kControlsPerPanel; ++c)
      body += "<SubControl Class=\"Framework.Button\" Name=\"button" + N(c) + "\" LayoutOrder=\"" + N(c) +
              "\" TabStop=\"" + N(c) + "\" XPositionToControl=\"button" + N(c + 1) +
              "\" XPositionAbs=\"4\" XSizeAbs=\"64\" YSizeAbs=\"20\" FontName=\"Sans\" FontSize=\"8\">"
              "<Skin Name=\"button\" LookList=\"LL" + N(c) + "\"/><CreateParamList>"
              "<CreateParam ID=\"VALUE_RANGE\" Type=\"String\">0,127</CreateParam></CreateParamList></SubControl>\n";
    body += "</SubControl>\n";
  }
  return body + "</SubControl></Skin></Skins>";
}

std::string Utf16StringDocument(int strings, const std::string& table) {
  std::string body = "<Application Name=\"PresetEditor\"/><StringTable ID=\"" + table + "\">";
  for (int i = 0; i < strings; ++i) {
    body += "<String ID=\"TEXT_" + N(i) + "\">";
    for (const char* language : kLanguages)
      body += std::string("<Locale LCID=\"") + language + "\">Text number " + N(i) + " in " + language + "</Locale>";
    body += "</String>\n";
  }
  std::string document = SV::Testing::StringTableDocument(body + "</StringTable>");
  document.replace(document.find("UTF-8"), 5, "UTF-16");
  return SV::Testing::Utf16LittleEndianWithMark(document);
}

struct EditorDocuments {
  std::string applicationStrings = Utf16StringDocument(kStrings, "|PresetEditor");
  std::string frameworkStrings = Utf16StringDocument(60, "Framework");
  std::string skins = SV::Testing::SkinDocument(SkinBody());
};

const EditorDocuments& Documents() {
  static const EditorDocuments documents;
  return documents;
}

void XMLCALL IgnoreStart(void*, const XML_Char*, const XML_Char**) {}
void XMLCALL IgnoreEnd(void*, const XML_Char*) {}
void XMLCALL IgnoreText(void*, const XML_Char*, int) {}

bool ExpatAlone(const std::string& document) {
  XML_Parser parser = XML_ParserCreate(nullptr);
  XML_SetElementHandler(parser, IgnoreStart, IgnoreEnd);
  XML_SetCharacterDataHandler(parser, IgnoreText);
  const bool parsed = XML_Parse(parser, document.data(), static_cast<int>(document.size()), XML_TRUE) == XML_STATUS_OK;
  XML_ParserFree(parser);
  return parsed;
}

void LoadEditorSkin_Factory(benchmark::State& state) {
  auto resources = std::make_shared<SV::Testing::MemoryResources>();
  resources->Add("SVXML", "APP_STRINGS", Documents().applicationStrings);
  resources->Add("SVXML", "FRAMEWORK_STRINGS", Documents().frameworkStrings);
  resources->Add("SVXML", "APP_SKINS", Documents().skins);
  for (auto _ : state) {
    const SV::RCPtr<SV::LControlFactory> factory = SV::LControlFactory::Create(u"PresetEditor");
    factory->SetResourceSource(resources);
    if (factory->LoadResources(u"::", 9) != SV::S_OK) state.SkipWithError("load failed");
    benchmark::DoNotOptimize(factory->GetSkins().GetCount());
  }
  state.SetItemsProcessed(state.iterations());
}

void LoadEditorSkin_ExpatAlone(benchmark::State& state) {
  for (auto _ : state) {
    const bool parsed = ExpatAlone(Documents().applicationStrings) && ExpatAlone(Documents().frameworkStrings) &&
                        ExpatAlone(Documents().skins);
    if (!parsed) state.SkipWithError("expat rejected a document");
  }
  state.SetItemsProcessed(state.iterations());
}

class PlainControl : public SV::LControl {
public:
  using LControl::LControl;
};

void CreateThousandControls(benchmark::State& state) {
  const SV::RCPtr<SV::LControlFactory> factory = SV::LControlFactory::Create(u"PresetEditor");
  factory->RegisterControlCreateFunction(u"Bench.Plain", &SV::LControlCreation::Create<PlainControl>);
  SV::SetApplicationControlFactory(factory);
  const auto root = SV::LControlDescriptor::Create(u"Bench.Plain", u"root", nullptr);
  for (int i = 1; i < kControlsCreated; ++i)
    root->AddChild(SV::LControlDescriptor::Create(u"Bench.Plain", SV::String(N(i).c_str()), root.Get()));
  for (auto _ : state) {
    SV::RCPtr<SV::LControl> control;
    factory->CreateControl(control, root, nullptr);
    benchmark::DoNotOptimize(control.Get());
  }
  SV::SetApplicationControlFactory(nullptr);
  state.SetItemsProcessed(state.iterations() * kControlsCreated);
}

BENCHMARK(LoadEditorSkin_Factory)->Unit(benchmark::kMillisecond);
BENCHMARK(LoadEditorSkin_ExpatAlone)->Unit(benchmark::kMillisecond);
BENCHMARK(CreateThousandControls)->Unit(benchmark::kMillisecond);

void PrintSummary(Bench::BenchmarkGoal& goal, const SV::Bench::RateReporter& reporter) {
  const double factory = reporter.Rate("LoadEditorSkin_Factory"), expat = reporter.Rate("LoadEditorSkin_ExpatAlone");
  const auto measured = [](double value, bool ok) { return ok ? std::optional<double>(value) : std::nullopt; };
  goal.Figure("editor skin load through the factory", measured(1e3 / factory, factory > 0), " ms");
  goal.Figure("editor skin load, expat alone", measured(1e3 / expat, expat > 0), " ms");
  goal.AtMost("editor skin load, ratio factory/expat", measured(expat / factory, factory > 0 && expat > 0), 3.0, "");
  const double create = reporter.Rate("CreateThousandControls");
  goal.Figure("control creation through the factory", measured(1e9 / create, create > 0), " ns per control");
}

}  // namespace

int main(int argc, char** argv) {
  return SV::Bench::RunBenchmarks(argc, argv, "SkinLoadBench", PrintSummary);
}
