// The control tree at editor size: 500 controls (a root, 25 panels of 19 children,
// each child placed after its previous sibling) built through the control factory from
// skin descriptors and placed; re-placing the tree after its root is resized, against
// a loop that only visits the same controls, with the ratio. The same tree from a skin
// document with looks: built, placed and painted into a raster surface, each phase per
// control, and hit tests at 1,000 points, per test.
#include <benchmark/benchmark.h>

#include <climits>
#include <cstdio>
#include <memory>
#include <optional>
#include <string>

#include "BenchmarkGoal.h"
#include "RateReporter.h"
#include "SVFramework/ControlBase/ControlCreation.h"
#include "SVFramework/ControlBase/ControlFactory.h"
#include "SVFramework/Renderer/Renderer.h"
#include "tests/Support/Controls/FramePainter.h"
#include "tests/Support/Controls/StandInRootWindow.h"
#include "tests/Support/Renderer/GuiTestApplication.h"
#include "tests/Support/Renderer/RecordingWindowTarget.h"
#include "tests/Support/Skins/SkinFixtures.h"

namespace {

constexpr int kPanels = 25;
constexpr int kChildrenPerPanel = 19;
constexpr int kControls = 1 + kPanels * (1 + kChildrenPerPanel);

// Takes its descriptor's placement record, as skin application will.
class PlacedControl : public SV::LControl {
public:
  using LControl::LControl;
  SVRESULT ApplyDescriptor(const SV::RCPtr<SV::LControlDescriptor>& descriptor) override {
    SetLayout(descriptor->Layout);
    return LControl::ApplyDescriptor(descriptor);
  }
};

SV::String Name(const std::string& text) { return SV::String(text.c_str()); }

SV::RCPtr<SV::LControlDescriptor> Describe(const SV::String& name, SV::LControlDescriptor* parent) {
  SV::RCPtr<SV::LControlDescriptor> descriptor = SV::LControlDescriptor::Create(u"Bench.Placed", name, parent);
  descriptor->Layout = SV::LLayoutDescriptor::Create();
  if (parent) parent->AddChild(descriptor);
  return descriptor;
}

SV::RCPtr<SV::LControlDescriptor> EditorSizedTree() {
  SV::RCPtr<SV::LControlDescriptor> root = Describe(u"root", nullptr);
  root->Layout->Size[0] = {SV::SizeReference::Client, u"", 1.0f, 0};
  root->Layout->Size[1] = {SV::SizeReference::Client, u"", 1.0f, 0};
  for (int panel = 0; panel < kPanels; ++panel) {
    const SV::RCPtr<SV::LControlDescriptor> box = Describe(Name("panel" + std::to_string(panel)), root.Get());
    // A size reference gives the far edge: panel n spans from n / kPanels to
    // (n + 1) / kPanels of the client width.
    box->Layout->Size[0] = {SV::SizeReference::Client, u"", static_cast<float>(panel + 1) / kPanels, 0};
    box->Layout->Placement[0].rel = static_cast<float>(panel) / kPanels;
    box->Layout->Size[1] = {SV::SizeReference::Client, u"", 1.0f, 0};
    for (int child = 0; child < kChildrenPerPanel; ++child) {
      const SV::RCPtr<SV::LControlDescriptor> item = Describe(Name("item" + std::to_string(child)), box.Get());
      if (child == 0) continue;
      SV::LPlacementSpec& y = item->Layout->Placement[1];
      y.reference = SV::PositionReference::NamedControl;
      y.name = Name("item" + std::to_string(child - 1));
      y.rel = 1;
      y.abs = 2;
      item->Layout->Size[0] = {SV::SizeReference::Client, u"", 1.0f, -4};
    }
  }
  return root;
}

// The factory, the descriptors and a window for one benchmark.
struct Bench {
  Bench() {
    factory->RegisterControlCreateFunction(u"Bench.Placed", &SV::LControlCreation::Create<PlacedControl>);
    SV::SetApplicationControlFactory(factory);
  }
  ~Bench() {
    if (tree) tree->Detach();
    SV::SetApplicationControlFactory(nullptr);
  }
  SV::RCPtr<SV::LControl> Build() {
    SV::RCPtr<SV::LControl> control;
    factory->CreateControl(control, descriptors, nullptr);
    return control;
  }
  void BuildAndPlace() {
    tree = Build();
    tree->SetRootWindow(window.Get());
    tree->RecomputePlacement();
  }

  SV::RCPtr<SV::LControlFactory> factory = SV::LControlFactory::Create(u"PresetEditor");
  SV::RCPtr<SV::LControlDescriptor> descriptors = EditorSizedTree();
  SV::RCPtr<SV::Testing::StandInRootWindow> window = SV::Testing::StandInRootWindow::Create({1024, 700});
  SV::RCPtr<SV::LControl> tree;
};

// Building and placing, for either tree: a bench with Build, a window and a tree.
template <class TreeBench>
void BuildTreeOf(benchmark::State& state) {
  TreeBench bench;
  for (auto _ : state) benchmark::DoNotOptimize(bench.Build().Get());
  state.SetItemsProcessed(state.iterations() * kControls);
}

// Placing from a window of 1 x 1 to the full size; the shrinking is not timed.
template <class TreeBench>
void PlaceTreeOf(benchmark::State& state) {
  TreeBench bench;
  bench.tree = bench.Build();
  bench.tree->SetRootWindow(bench.window.Get());
  for (auto _ : state) {
    bench.window->clientSize = {1024, 700};
    bench.tree->RecomputePlacement();
    state.PauseTiming();
    bench.window->clientSize = {1, 1};
    bench.tree->RecomputePlacement();
    bench.window->invalidated.clear();
    state.ResumeTiming();
  }
  state.SetItemsProcessed(state.iterations() * kControls);
}

void ReplaceAfterResize(benchmark::State& state) {
  Bench bench;
  bench.BuildAndPlace();
  int width = 1024;
  for (auto _ : state) {
    width = width == 1024 ? 1000 : 1024;
    bench.window->clientSize = {width, 700};
    bench.tree->RecomputePlacement();
    bench.window->invalidated.clear();
  }
  state.SetItemsProcessed(state.iterations() * kControls);
}

double VisitAll(const SV::LControl& control) {
  double sum = control.GetRect().width;
  for (uint32_t index = 0; index < control.GetChildCount(); ++index) sum += VisitAll(*control.GetChildAt(index));
  return sum;
}

void VisitTree(benchmark::State& state) {
  Bench bench;
  bench.BuildAndPlace();
  for (auto _ : state) benchmark::DoNotOptimize(VisitAll(*bench.tree));
  state.SetItemsProcessed(state.iterations() * kControls);
}

// The editor-sized tree as a skin document: panels with a top bar over a client fill,
// items with a face and a label area, every control with its look list.
std::string SkinnedTreeDocument() {
  std::string controls;
  for (int panel = 0; panel < kPanels; ++panel) {
    controls += "<SubControl Class=\"Bench.Skinned\" Name=\"panel" + std::to_string(panel) +
                "\" XPositionAbs=\"" + std::to_string(panel * 40) +
                "\" XSizeAbs=\"38\" YSizeToControl=\"Parent\" YSizeRel=\"0.97\">"
                "<Skin Name=\"panel\" LookList=\"Panels\"/>";
    for (int child = 0; child < kChildrenPerPanel; ++child) {
      controls += "<SubControl Class=\"Bench.Skinned\" Name=\"item" + std::to_string(child) + "\" LayoutOrder=\"" +
                  std::to_string(child) + "\" XSizeAbs=\"30\" YSizeAbs=\"24\"";
      if (child > 0)
        controls += " YPositionToControl=\"item" + std::to_string(child - 1) + "\" YPositionRel=\"1\" YPositionAbs=\"2\"";
      controls += "><Skin Name=\"item\" LookList=\"Items\"/></SubControl>";
    }
    controls += "</SubControl>";
  }
  return SV::Testing::SkinDocument(R"(<Application Name="PresetEditor"/>
<Colorizers>
  <Colorizer Name="Grey" ColorType="SolidFill" Color="FF808080"/>
  <Colorizer Name="Blue" ColorType="SolidFill" Color="FF2040C0"/>
  <Colorizer Name="Face" ColorType="SolidFill" Color="C0E0E0E0"/>
  <Colorizer Name="Ink" ColorType="SolidFill" Color="FF000000"/>
</Colorizers>
<Parts>
  <Part Name="Fill" Width="8" Height="8" ResizeType="Stretch" ColorizerName="Grey"/>
  <Part Name="Bar" Width="8" Height="4" ResizeType="Stretch" ColorizerName="Blue"/>
  <Part Name="Face" Width="8" Height="8" ResizeType="Tile" ColorizerName="Face"/>
  <Part Name="Ink" Width="1" Height="1" ResizeType="Stretch" ColorizerName="Ink"/>
</Parts>
<Looks>
  <Look Name="Panel">
    <ClientPart Name="Fill" OffsetLeft="2" OffsetTop="6" OffsetRight="-2" OffsetBottom="-2"/>
    <NonClientParts><NonClientPart Name="Bar" OffsetLeft="0" OffsetTop="0" OffsetRight="0" Height="4"/></NonClientParts>
  </Look>
  <Look Name="Item">
    <ClientPart Name="Face" OffsetLeft="0" OffsetTop="0" OffsetRight="0" OffsetBottom="0"/>
    <TextProperties TextLeftRel="0" TextLeftAbs="2" TextRightRel="1" TextRightAbs="-2" TextHAlign="0.5"
                    TextTopRel="0" TextTopAbs="0" TextBottomRel="1" TextBottomAbs="0" TextVAlign="0.5"
                    TextForegroundPart="Ink"/>
  </Look>
</Looks>
<LookLists>
  <LookList Name="Panels" NumLooks="1"><Look Name="Panel" Index="0"/></LookList>
  <LookList Name="Items" NumLooks="1"><Look Name="Item" Index="0"/></LookList>
</LookLists>
<Skins><Skin Name="Standard">
  <SubControl Class="Bench.Skinned" Name="root" XSizeToControl="Client" XSizeRel="1" YSizeToControl="Client" YSizeRel="1">
    <Skin Name="root" LookList="Panels"/>)" + controls + R"(
  </SubControl>
</Skin></Skins>)");
}

// The skinned tree, its factory and a window of 1024 x 700 with a raster surface.
struct SkinnedBench {
  SkinnedBench() {
    SV::Testing::EnsureGuiApplication();
    factory->RegisterControlCreateFunction(u"Bench.Skinned", &SV::LControlCreation::Create<SV::LControl>);
    auto resources = std::make_shared<SV::Testing::MemoryResources>();
    resources->Add("SVXML", "APP_SKINS", SkinnedTreeDocument());
    factory->SetResourceSource(resources);
    factory->LoadResources(u"::", 9);
    SV::SetApplicationControlFactory(factory);
    renderer->InitRenderContextInfo({0, 0, 1024, 700}, &target, 0, context);
    dirty.AddRect({0, 0, 1024, 700});
  }
  ~SkinnedBench() {
    if (tree) tree->Detach();
    SV::SetApplicationControlFactory(nullptr);
  }
  SV::RCPtr<SV::LControl> Build() {
    SV::RCPtr<SV::LControl> control;
    factory->CreateControl(control, u"root", nullptr);
    return control;
  }
  void BuildAndPlace() {
    tree = Build();
    tree->SetRootWindow(window.Get());
    tree->RecomputePlacement();
  }
  void Paint() {
    renderer->RenderStart(context);
    SV::Testing::PaintFrame(renderer, tree, dirty);
    renderer->RenderFinish(context);
  }

  SV::RCPtr<SV::LControlFactory> factory = SV::LControlFactory::Create(u"PresetEditor");
  SV::RCPtr<SV::Testing::StandInRootWindow> window = SV::Testing::StandInRootWindow::Create({1024, 700});
  SV::Testing::RecordingWindowTarget target{1024, 700};
  SV::RCPtr<SV::LRenderer> renderer = SV::LRenderer::Create(SV::RendererType::GdiPlus, {0, 0, 1024, 700}, &target);
  SV::RCPtr<SV::LRenderContextInfo> context;
  SV::Region dirty;
  SV::RCPtr<SV::LControl> tree;
};

void PaintSkinnedTree(benchmark::State& state) {
  SkinnedBench bench;
  bench.BuildAndPlace();
  for (auto _ : state) bench.Paint();
  state.SetItemsProcessed(state.iterations() * kControls);
}

constexpr int kHitPoints = 1000;

void HitTestSkinnedTree(benchmark::State& state) {
  SkinnedBench bench;
  bench.BuildAndPlace();
  int64_t hits = 0;
  for (auto _ : state) {
    for (int point = 0; point < kHitPoints; ++point) {
      SV::PointT<int32_t> local;
      int32_t depth = INT32_MIN;
      hits += bench.tree->HitTest({(point * 37) % 1024, (point * 53) % 700}, true, local, depth) ? 1 : 0;
    }
  }
  benchmark::DoNotOptimize(hits);
  state.SetItemsProcessed(state.iterations() * kHitPoints);
}

BENCHMARK(BuildTreeOf<Bench>)->Name("BuildTree")->Unit(benchmark::kMicrosecond);
BENCHMARK(PlaceTreeOf<Bench>)->Name("PlaceTree")->Unit(benchmark::kMicrosecond);
BENCHMARK(ReplaceAfterResize)->Unit(benchmark::kMicrosecond);
BENCHMARK(VisitTree)->Unit(benchmark::kMicrosecond);
BENCHMARK(BuildTreeOf<SkinnedBench>)->Name("BuildSkinnedTree")->Unit(benchmark::kMicrosecond);
BENCHMARK(PlaceTreeOf<SkinnedBench>)->Name("PlaceSkinnedTree")->Unit(benchmark::kMicrosecond);
BENCHMARK(PaintSkinnedTree)->Unit(benchmark::kMicrosecond);
BENCHMARK(HitTestSkinnedTree)->Unit(benchmark::kMicrosecond);

void PrintSummary(::Bench::BenchmarkGoal& goal, const SV::Bench::RateReporter& reporter) {
  const auto perControl = [](double rate) { return rate > 0 ? std::optional<double>(1e9 / rate) : std::nullopt; };
  goal.Figure("build, per control", perControl(reporter.Rate("BuildTree")), " ns");
  goal.Figure("place, per control", perControl(reporter.Rate("PlaceTree")), " ns");
  const double replace = reporter.Rate("ReplaceAfterResize"), visit = reporter.Rate("VisitTree");
  goal.Figure("re-place after a resize, per control", perControl(replace), " ns");
  goal.Figure("visiting alone, per control", perControl(visit), " ns");
  goal.Figure("skinned tree: build, per control", perControl(reporter.Rate("BuildSkinnedTree")), " ns");
  goal.Figure("skinned tree: place, per control", perControl(reporter.Rate("PlaceSkinnedTree")), " ns");
  goal.Figure("skinned tree: paint into a surface, per control", perControl(reporter.Rate("PaintSkinnedTree")),
              " ns");
  goal.Figure("skinned tree: hit test, per point", perControl(reporter.Rate("HitTestSkinnedTree")), " ns");
  goal.Figure("ratio re-place/visit", replace > 0 && visit > 0 ? std::optional<double>(visit / replace) : std::nullopt,
              "");
}

}  // namespace

int main(int argc, char** argv) {
  return SV::Bench::RunBenchmarks(argc, argv, "ControlTreeBench", PrintSummary);
}
