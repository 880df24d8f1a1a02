// The widgets driven as the OS window drives them: a slider's thumb dragged through the
// root window, 100 pointer moves from press to release, per move (hit handling, the
// drag's projection onto the track, the thumb's re-placement and the value's
// notification). No goal: the figure is printed.
#include <benchmark/benchmark.h>

#include <optional>
#include <string>

#include "BenchmarkGoal.h"
#include "RateReporter.h"
#include "SVFramework/Controls/Slider.h"
#include "tests/Support/Widgets/WidgetHarness.h"

namespace {

constexpr int kMovesPerDrag = 100;

constexpr const char* kSliderLooks =
    R"(<Colorizers><Colorizer Name="Grey" ColorType="SolidFill" Color="FF808080"/></Colorizers>
<Parts><Part Name="Fill" Width="4" Height="4" ResizeType="Stretch" ColorizerName="Grey"/></Parts>
<Looks><Look Name="Fill"><ClientPart Name="Fill" OffsetLeft="0" OffsetTop="0" OffsetRight="0" OffsetBottom="0"/></Look></Looks>
<LookLists>
  <LookList Name="Solid" NumLooks="3"><Look Name="Fill" Index="0"/><Look Name="Fill" Index="1"/><Look Name="Fill" Index="2"/></LookList>
  <LookList Name="Thumb" NumLooks="14"><Look Name="Fill" Index="0"/><Look Name="Fill" Index="1"/>
    <Look Name="Fill" Index="2"/><Look Name="Fill" Index="3"/><Look Name="Fill" Index="4"/><Look Name="Fill" Index="5"/>
    <Look Name="Fill" Index="6"/></LookList>
</LookLists>)";

// A horizontal slider of 400 pixels with markers 10 x 20 at both ends of its track.
constexpr const char* kSlider =
    R"(<SubControl Class="Framework.Slider" Name="slider" XPositionAbs="20" YPositionAbs="20" XSizeAbs="400" YSizeAbs="20">
  <Skin Name="slider" LookList="Solid"/>
  <SubControl Class="Framework.Button" Name="thumbStart" XSizeAbs="10" YSizeAbs="20"><Skin Name="m" LookList="Thumb"/></SubControl>
  <SubControl Class="Framework.Button" Name="thumbEnd" XPositionAbs="390" XSizeAbs="10" YSizeAbs="20"><Skin Name="m" LookList="Thumb"/></SubControl>
</SubControl>)";

void DragSliderThumb(benchmark::State& state) {
  SV::Testing::WidgetHarness harness;
  harness.Build(kSlider, kSliderLooks);
  const SV::RCPtr<SV::LSlider> slider = harness.Find<SV::LSlider>(u"slider");
  if (!slider || !slider->GetThumb()) {
    state.SkipWithError("the slider was not built");
    return;
  }
  for (auto _ : state) {
    slider->SetNormalizedValue(0);
    const SV::PointT<int32_t> grab = harness.At(slider->GetThumb());
    harness.Press(grab);
    for (int move = 1; move <= kMovesPerDrag; ++move) harness.MoveTo({grab.x + move * 3, grab.y + move % 7});
    harness.Release({grab.x + kMovesPerDrag * 3, grab.y});
    benchmark::DoNotOptimize(slider->GetNormalizedValue());
  }
  if (slider->GetNormalizedValue() == 0) state.SkipWithError("the drag did not move the thumb");
  state.SetItemsProcessed(state.iterations() * kMovesPerDrag);
}

BENCHMARK(DragSliderThumb)->Unit(benchmark::kMicrosecond);

void PrintSummary(Bench::BenchmarkGoal& goal, const SV::Bench::RateReporter& reporter) {
  const double moves = reporter.Rate("DragSliderThumb");
  goal.Figure("slider drag through the root window", moves > 0 ? std::optional<double>(1e9 / moves) : std::nullopt,
              " ns per move");
}

}  // namespace

int main(int argc, char** argv) { return SV::Bench::RunBenchmarks(argc, argv, "WidgetBench", PrintSummary); }
