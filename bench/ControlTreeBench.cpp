// The control tree at editor size: 500 controls (a root, 25 panels of 19 children,
// each child placed after its previous sibling) built through the control factory from
// skin descriptors and placed; re-placing the tree after its root is resized, against
// a loop that only visits the same controls, with the ratio.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <optional>
#include <string>

#include "BenchmarkGoal.h"
#include "RateReporter.h"
#include "SVFramework/ControlBase/ControlCreation.h"
#include "SVFramework/ControlBase/ControlFactory.h"
#include "tests/Support/Controls/StandInRootWindow.h"

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
    box->Layout->Size[0] = {SV::SizeReference::Client, u"", 1.0f / kPanels, 0};
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

void BuildTree(benchmark::State& state) {
  Bench bench;
  for (auto _ : state) benchmark::DoNotOptimize(bench.Build().Get());
  state.SetItemsProcessed(state.iterations() * kControls);
}

void PlaceTree(benchmark::State& state) {
  Bench bench;
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

BENCHMARK(BuildTree)->Unit(benchmark::kMicrosecond);
BENCHMARK(PlaceTree)->Unit(benchmark::kMicrosecond);
BENCHMARK(ReplaceAfterResize)->Unit(benchmark::kMicrosecond);
BENCHMARK(VisitTree)->Unit(benchmark::kMicrosecond);

void PrintSummary(::Bench::BenchmarkGoal& goal, const SV::Bench::RateReporter& reporter) {
  const auto perControl = [](double rate) { return rate > 0 ? std::optional<double>(1e9 / rate) : std::nullopt; };
  goal.Figure("build, per control", perControl(reporter.Rate("BuildTree")), " ns");
  goal.Figure("place, per control", perControl(reporter.Rate("PlaceTree")), " ns");
  const double replace = reporter.Rate("ReplaceAfterResize"), visit = reporter.Rate("VisitTree");
  goal.Figure("re-place after a resize, per control", perControl(replace), " ns");
  goal.Figure("visiting alone, per control", perControl(visit), " ns");
  goal.Figure("ratio re-place/visit", replace > 0 && visit > 0 ? std::optional<double>(visit / replace) : std::nullopt,
              "");
}

}  // namespace

int main(int argc, char** argv) {
  return SV::Bench::RunBenchmarks(argc, argv, "ControlTreeBench", PrintSummary);
}
