// The editor program as a user meets it, on an X server (Xvfb), a JACK server and the
// simulated controller program of the benchmark's own:
// - launch to first paint: from the start of the process to the first frame its main
//   window presents (the paint log, SV_PAINT_LOG), against a bare Qt widgets window of
//   the same size started the same way (BareQtWindow), in the same run: at most 3x;
// - resident memory at first paint, against the bare window's: at most 2x;
// - idle CPU with the main window open and nothing happening, over 10 s, with the
//   controller connected: at most 0.5 % of one core; the same without a controller
//   plugged in is printed beside it (the editor then holds no port of the JACK server,
//   whose process cycles wake every client with a port), and so is that of a program
//   that holds only an RtMidi input and output connected to the controller
//   (BareRtMidiPorts);
// - Get Preset from the menu command (the Return that takes the entry) to all 24 values
//   shown (the frame of the main window that shows them), against the protocol's own
//   round trip (the device protocol in this process against the same controller, from
//   a random point of the JACK cycle, as GetPresetRoundTripBench measures it): at most
//   1.2x. The time the success box waits for the user's OK is never counted.
// The controller answers within the JACK cycle that brings the request, so that the
// editor and the protocol meet the same cycles.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <fstream>
#include <memory>
#include <optional>
#include <random>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "BenchmarkGoal.h"
#include "DeviceControl/GeneratedCode/Engine/inc/RootModuleEngine.h"
#include "Panel/Engine/PresetEditorCommon/MidiManager.h"
#include "Platform/Midi/MidiServices.h"
#include "Platform/Midi/RtMidiBackend.h"
#include "RateReporter.h"
#include "SVFramework/Midi/DefaultMidiServices.h"
#include "tests/Support/Application/XvfbDisplay.h"
#include "tests/Support/ApplicationStandIn.h"
#include "tests/Support/EndToEnd/ControllerProcess.h"
#include "tests/Support/EndToEnd/EditorPlaces.h"
#include "tests/Support/EndToEnd/PaintLog.h"
#include "tests/Support/EndToEnd/ProgramLaunch.h"
#include "tests/Support/EndToEnd/XSession.h"
#include "tests/Support/Midi/JackServerFixture.h"
#include "tests/Support/TemporaryFolder.h"

namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;
using Testing::EndToEnd::ChildProcess;
using Testing::EndToEnd::PaintLog;
using Testing::EndToEnd::PaintRecord;
using Testing::EndToEnd::PresetValues;

constexpr const char* kEditorTitle = "Corvex Editor";
constexpr const char* kBareTitle = "Bare Qt Window";
constexpr const char* kGetPresetBox = "Retrieve Preset";
constexpr auto kLimit = 30s;
constexpr int kScreenWidth = 1920, kScreenHeight = 1200;
// A frame of the main window after the values arrived is the last one when no other
// follows within this span (an untimed wait).
constexpr auto kSettled = 500ms;
// The Get Preset runs as the reporter names them.
constexpr const char* kProtocolRun = "GetPreset_DeviceProtocol/iterations:40/repeats:3/manual_time";
constexpr const char* kEditorRun = "GetPreset_EditorMenuToValuesShown/iterations:20/repeats:3/manual_time";

// Everything the measurements share, made once for the run.
struct World {
  SV::Testing::XvfbDisplay display{std::to_string(kScreenWidth) + "x" + std::to_string(kScreenHeight) + "x24"};
  SV::Testing::TemporaryFolder home;
  std::unique_ptr<Testing::Midi::JackServer> jack;
  std::unique_ptr<Testing::EndToEnd::ControllerProcess> controller;
  std::unique_ptr<Testing::EndToEnd::XSession> x;
  int launches = 0;
  int editorWidth = 640, editorHeight = 480;
  std::optional<double> editorMegabytes, bareMegabytes;
  // Get Preset rounds timed, and those whose values were on screen as the box appeared.
  int getPresetRounds = 0, valuesBeforeBox = 0;

  bool Start(std::string& error) {
    if (display.Name().empty()) return (error = "Xvfb did not start", false);
    if (home.Path().empty()) return (error = "no temporary folder", false);
    jack = Testing::Midi::JackServer::Start(error);
    if (!jack) return false;
    controller = Testing::EndToEnd::ControllerProcess::Start(SV_CONTROLLER_PROGRAM, error);
    if (!controller || !controller->Answer("during-request")) return false;
    x = Testing::EndToEnd::XSession::Open(display.Name(), error);
    return x != nullptr;
  }
};

World* gWorld = nullptr;

// A program started with a fresh paint log, and its first frame. It is closed as a
// user closes it (its single-instance lock and its JACK clients are left in order;
// a JACK client killed inside the JACK library can lock the library's shared state
// for every process of the machine), and killed only when it does not end.
struct Launched {
  std::unique_ptr<ChildProcess> process;
  std::unique_ptr<PaintLog> paints;
  Clock::time_point start;
  std::optional<PaintRecord> firstPaint;

  Launched() = default;
  Launched(Launched&&) = default;
  ~Launched() { Close(); }
  void Close() {
    if (!process || !firstPaint) return;
    gWorld->x->RequestClose(firstPaint->window);
    process->WaitForExit(kLimit);
    process.reset();
  }
};

Launched Launch(const std::string& program, std::vector<std::string> arguments, const std::string& title) {
  Launched launched;
  const std::string log = gWorld->home.PathOf("paints-" + std::to_string(++gWorld->launches) + ".log");
  launched.paints = std::make_unique<PaintLog>(log);
  std::string error;
  launched.start = Clock::now();
  launched.process = Testing::EndToEnd::StartProgram({.program = program,
                                                      .arguments = std::move(arguments),
                                                      .display = gWorld->display.Name(),
                                                      .home = gWorld->home.Path(),
                                                      .dotsPerInch = 96,
                                                      .paintLog = log,
                                                      .logPath = gWorld->home.PathOf("program.log")},
                                                     error);
  if (launched.process) launched.firstPaint = launched.paints->WaitForFirstPaint(title, kLimit);
  return launched;
}

// The process's resident memory now, in MiB (VmRSS).
std::optional<double> ResidentMegabytes(pid_t pid) {
  std::ifstream status("/proc/" + std::to_string(pid) + "/status");
  std::string line;
  while (std::getline(status, line))
    if (line.rfind("VmRSS:", 0) == 0) return std::stod(line.substr(6)) / 1024.0;
  return std::nullopt;
}

// The CPU time of the process's threads so far, in seconds (the scheduler's sum of
// each thread's run time, in milliseconds with six decimals).
double CpuSeconds(pid_t pid) {
  double total = 0;
  std::error_code ignored;
  for (const auto& task : std::filesystem::directory_iterator("/proc/" + std::to_string(pid) + "/task", ignored)) {
    std::ifstream sched(task.path() / "sched");
    std::string line;
    while (std::getline(sched, line)) {
      if (line.rfind("se.sum_exec_runtime", 0) != 0) continue;
      total += std::stod(line.substr(line.find(':') + 1)) * 1e-3;
      break;
    }
  }
  return total;
}

template <class Start>
void MeasureLaunch(benchmark::State& state, Start start, std::optional<double>& megabytes) {
  for (auto _ : state) {
    Launched launched = start();
    if (!launched.firstPaint) {
      state.SkipWithError("no first paint");
      break;
    }
    state.SetIterationTime(std::chrono::duration<double>(launched.firstPaint->time - launched.start).count());
    state.PauseTiming();
    megabytes = ResidentMegabytes(launched.process->Pid());
    launched.Close();
    state.ResumeTiming();
  }
}

Launched LaunchEditor() { return Launch(SV_EDITOR_PROGRAM, {}, kEditorTitle); }

void LaunchToFirstPaint_Editor(benchmark::State& state) {
  MeasureLaunch(state, LaunchEditor, gWorld->editorMegabytes);
}

void LaunchToFirstPaint_BareQt(benchmark::State& state) {
  const auto start = [] {
    return Launch(SV_BARE_QT_PROGRAM,
                  {std::to_string(gWorld->editorWidth), std::to_string(gWorld->editorHeight), kBareTitle}, kBareTitle);
  };
  MeasureLaunch(state, start, gWorld->bareMegabytes);
}

BENCHMARK(LaunchToFirstPaint_Editor)->UseManualTime()->Iterations(5)->Repetitions(3)->Unit(benchmark::kMillisecond);
BENCHMARK(LaunchToFirstPaint_BareQt)->UseManualTime()->Iterations(5)->Repetitions(3)->Unit(benchmark::kMillisecond);

// The editor's main window size, for the bare window to match.
bool LearnEditorSize() {
  Launched launched = LaunchEditor();
  if (!launched.firstPaint) return false;
  const std::optional<unsigned long> window = gWorld->x->WaitForWindowTitled(kEditorTitle, kLimit);
  if (!window) return false;
  const Testing::EndToEnd::ScreenRect place = gWorld->x->PlaceOf(*window);
  gWorld->editorWidth = place.width;
  gWorld->editorHeight = place.height;
  return true;
}

// The CPU a running program takes over ten seconds in which nothing happens (it does
// not end by itself), in % of one core.
double IdleCpuPercentOf(ChildProcess& process) {
  const pid_t pid = process.Pid();
  const double before = CpuSeconds(pid);
  const Clock::time_point start = Clock::now();
  process.WaitForExit(10s);
  const double wall = std::chrono::duration<double>(Clock::now() - start).count();
  return 100.0 * (CpuSeconds(pid) - before) / wall;
}

std::optional<double> IdleCpuPercent() {
  Launched launched = LaunchEditor();
  if (!launched.firstPaint) return std::nullopt;
  // Start-up's own work (the first presence poll of the controller) ends first.
  launched.paints->WaitFor([](const PaintRecord&) { return false; }, 0, 2s);
  return IdleCpuPercentOf(*launched.process);
}

// The same for a program that only holds an RtMidi input and output connected to the
// controller over JACK (BareRtMidiPorts), as the editor holds its ports: every JACK
// client with a port is woken by each process cycle of the server.
std::optional<double> IdleCpuPercentOfBareRtMidiPorts() {
  std::string error;
  std::unique_ptr<ChildProcess> ports = ChildProcess::Start(
      {.program = SV_BARE_PORTS_PROGRAM, .arguments = {"Corvex:midi_out", "Corvex:midi_in"}, .environment = {}, .logPath = ""},
      error);
  if (!ports || ports->ReadLine(kLimit) != "ready") return std::nullopt;
  const double percent = IdleCpuPercentOf(*ports);
  // It ends as it was asked to: a JACK client killed inside the JACK library can lock
  // the library's shared state.
  ports->WriteLine("quit");
  ports->WaitForExit(kLimit);
  return percent;
}

std::optional<double> IdleCpuPercentWithoutController() {
  if (!gWorld->controller->Unplug()) return std::nullopt;
  const std::optional<double> percent = IdleCpuPercent();
  gWorld->controller->Plug();
  return percent;
}

// The protocol's own Get Preset round trip, in this process against the same
// controller, from the request to the values written into the engine. Each starts at a
// random point of the JACK cycle, as a user's command does (a round trip started as the
// previous one ends would wait a whole cycle for the next one to begin).
void GetPreset_DeviceProtocol(benchmark::State& state) {
  SV::SetDefaultMidiServices(
      std::make_shared<Platform::Midi::MidiServices>(std::make_shared<Platform::Midi::RtMidiBackend>()));
  {
    SV::Testing::ApplicationStandIn application;
    application.StartEngine(SV::RCPtr<SV::LRootModuleEngine>(new SV::LRootModuleEngine()));
    SV::RCPtr<SV::LMidiManager> manager = SV::LMidiManager::Create();
    if (!manager->IsConnected()) state.SkipWithError("the device protocol did not open the controller's ports");
    manager->ResumeStatusPolling();
    std::mt19937 random{20240601};
    std::uniform_int_distribution<int64_t> phase(0, Testing::Midi::kJackCycle.count() - 1);
    for (auto _ : state) {
      std::this_thread::sleep_for(std::chrono::microseconds(phase(random)));
      const Clock::time_point start = Clock::now();
      if (manager->GetPresetFromMidiDevice(0) != 0) state.SkipWithError("no dump came");
      state.SetIterationTime(std::chrono::duration<double>(Clock::now() - start).count());
    }
    manager.Reset();
  }
  SV::SetDefaultMidiServices(nullptr);
}

BENCHMARK(GetPreset_DeviceProtocol)->UseManualTime()->Iterations(40)->Repetitions(3)->Unit(benchmark::kMillisecond);

// Two presets that differ in every value the screen shows.
PresetValues PresetNumber(int which) {
  if (which % 2 == 0) return {1, 45, 1, 64, 7, 66, 4, 67, 5, 0, 1, 0, 1, 0, 1, 0, 9, 1, 0, 1, 0, 1, 0, 1};
  return {0, 35, 0, 52, 2, 70, 12, 80, 3, 1, 0, 1, 0, 1, 0, 1, 14, 0, 1, 0, 1, 0, 1, 0};
}

// The last frame that `accepts` from `from` on, once no other followed for a while.
std::optional<PaintRecord> LastFrameOnceSettled(PaintLog& paints, size_t from,
                                                const std::function<bool(const PaintRecord&)>& accepts) {
  std::optional<PaintRecord> last;
  while (true) {
    const size_t seen = paints.Records().size();
    const std::optional<PaintRecord> next =
        paints.WaitFor(accepts, std::max(from, seen), std::chrono::duration_cast<std::chrono::milliseconds>(kSettled));
    if (!next) return last;
    last = next;
    from = paints.Records().size();
  }
}

// The frame of the main window by which every changed pixel had been painted: for each
// pixel of `changed` (screen coordinates) the first of the window's frames from `from`
// on and no later than `until` whose area holds it, and the latest of those. Nothing
// when a changed pixel was painted by none of them.
std::optional<PaintRecord> FrameThatPaintedEveryChange(const PaintLog& paints, uint64_t main, size_t from,
                                                       Clock::time_point until,
                                                       const Testing::EndToEnd::ScreenRect& place,
                                                       const std::vector<std::pair<int, int>>& changed) {
  std::vector<PaintRecord> frames;
  const std::vector<PaintRecord> records = paints.Records();
  for (size_t index = from; index < records.size(); ++index)
    if (records[index].window == main && records[index].time <= until) frames.push_back(records[index]);
  size_t latest = 0;
  for (const auto& [px, py] : changed) {
    const auto first = std::find_if(frames.begin(), frames.end(), [&](const PaintRecord& frame) {
      return frame.area.Contains(px - place.x, py - place.y);
    });
    if (first == frames.end()) return std::nullopt;
    latest = std::max(latest, static_cast<size_t>(first - frames.begin()));
  }
  if (frames.empty()) return std::nullopt;
  return frames[latest];
}

// One Get Preset, with the File menu shown at the entry: from the Return that takes it
// to the frame of the main window that shows the values. `before` is the screen in the
// window's place just before the command. When the values are on screen as the success
// box appears (the screen outside the box does not change once the box is closed and
// the window has settled), that is the frame by which every pixel that changed since
// `before` had been painted; otherwise it is the window's last frame after the OK, and
// the box's wait for the user is left out.
std::optional<std::chrono::duration<double>> TimeOneGetPreset(Launched& launched, unsigned long main,
                                                              const std::vector<uint32_t>& before) {
  Testing::EndToEnd::XSession& x = *gWorld->x;
  const Testing::EndToEnd::ScreenRect place = x.PlaceOf(main);
  const size_t framesAtCommand = launched.paints->Records().size();
  const Clock::time_point command = Clock::now();
  x.PressKey("Return");
  const std::optional<unsigned long> box = x.WaitForWindowTitled(kGetPresetBox, kLimit);
  const Clock::time_point boxShown = Clock::now();
  if (!box) return std::nullopt;
  const Testing::EndToEnd::ScreenRect boxPlace = x.PlaceOf(*box);
  const std::vector<uint32_t> withBox = x.Grab(place);
  const std::optional<PaintRecord> valuesFrame = FrameThatPaintedEveryChange(
      *launched.paints, main, framesAtCommand, boxShown, place, Testing::EndToEnd::ChangedPixels(before, withBox, place, boxPlace));
  const size_t framesBeforeOk = launched.paints->Records().size();
  x.Focus(*box);
  const Clock::time_point ok = Clock::now();
  x.PressKey("Return");
  const std::optional<PaintRecord> settled = LastFrameOnceSettled(
      *launched.paints, framesBeforeOk, [main](const PaintRecord& record) { return record.window == main; });
  ++gWorld->getPresetRounds;
  if (valuesFrame && Testing::EndToEnd::ChangedPixels(withBox, x.Grab(place), place, boxPlace).empty()) {
    ++gWorld->valuesBeforeBox;
    return valuesFrame->time - command;
  }
  if (!settled) return std::nullopt;
  return (boxShown - command) + (settled->time - ok);
}

void GetPreset_EditorMenuToValuesShown(benchmark::State& state) {
  Launched launched = LaunchEditor();
  Testing::EndToEnd::XSession& x = *gWorld->x;
  const std::optional<unsigned long> main = x.WaitForWindowTitled(kEditorTitle, kLimit);
  if (!launched.firstPaint || !main) {
    state.SkipWithError("the editor did not show");
    return;
  }
  int round = 0;
  for (auto _ : state) {
    gWorld->controller->SetPreset(PresetNumber(++round));
    const Testing::EndToEnd::ScreenRect place = x.PlaceOf(*main);
    // Keys go to the focused window, which the closed box may have left nowhere.
    x.Focus(*main);
    // The command starts from the menu on the screen with the entry selected.
    const size_t framesBeforeMenu = launched.paints->Records().size();
    x.Click(place.x + Testing::EndToEnd::kFileMenuTitle.x, place.y + Testing::EndToEnd::kFileMenuTitle.y);
    // The pointer waits in the screen's far corner, so that no hover or tooltip changes
    // the screen.
    x.MoveMouse(kScreenWidth - 1, kScreenHeight - 1);
    for (int step = 0; step < DownStepsTo(Testing::EndToEnd::FileCommand::GetPreset); ++step) x.PressKey("Down");
    if (!LastFrameOnceSettled(*launched.paints, framesBeforeMenu, [](const PaintRecord&) { return true; })) {
      state.SkipWithError("the File menu did not show");
      break;
    }
    const std::vector<uint32_t> before = x.Grab(place);
    const std::optional<std::chrono::duration<double>> time = TimeOneGetPreset(launched, *main, before);
    if (!time) {
      state.SkipWithError("no success box, or the values were never shown");
      break;
    }
    state.SetIterationTime(time->count());
  }
}

BENCHMARK(GetPreset_EditorMenuToValuesShown)->UseManualTime()->Iterations(20)->Repetitions(3)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  World world;
  std::string error;
  if (!world.Start(error)) {
    std::fprintf(stderr, "EditorEndToEndBench: %s\n", error.c_str());
    return 1;
  }
  gWorld = &world;
  if (!LearnEditorSize()) std::fprintf(stderr, "EditorEndToEndBench: the editor's main window did not show\n");
  const auto summarise = [](::Bench::BenchmarkGoal& goal, const SV::Bench::RateReporter& reporter) {
    goal.Figure("editor launch to first paint",
                reporter.Time("LaunchToFirstPaint_Editor/iterations:5/repeats:3/manual_time"), " ms");
    goal.Figure("bare Qt window launch to first paint",
                reporter.Time("LaunchToFirstPaint_BareQt/iterations:5/repeats:3/manual_time"), " ms");
    goal.AtMost("launch to first paint, editor / bare Qt window",
                reporter.TimeRatio("LaunchToFirstPaint_Editor/iterations:5/repeats:3/manual_time",
                                   "LaunchToFirstPaint_BareQt/iterations:5/repeats:3/manual_time"),
                3.0, "");
    goal.Figure("editor resident memory at first paint", gWorld->editorMegabytes, " MiB");
    goal.Figure("bare Qt window resident memory at first paint", gWorld->bareMegabytes, " MiB");
    std::optional<double> memoryRatio;
    if (gWorld->editorMegabytes && gWorld->bareMegabytes && *gWorld->bareMegabytes > 0)
      memoryRatio = *gWorld->editorMegabytes / *gWorld->bareMegabytes;
    goal.AtMost("resident memory at first paint, editor / bare Qt window", memoryRatio, 2.0, "");
    goal.AtMost("idle CPU with the main window open over 10 s", IdleCpuPercent(), 0.5, " % of one core");
    goal.Figure("idle CPU over 10 s with no controller plugged in", IdleCpuPercentWithoutController(),
                " % of one core");
    goal.Figure("idle CPU over 10 s of RtMidi's input and output alone, connected to the controller",
                IdleCpuPercentOfBareRtMidiPorts(), " % of one core");
    const std::optional<double> protocol = reporter.Time(kProtocolRun);
    const std::optional<double> editor = reporter.Time(kEditorRun);
    goal.Figure("Get Preset, the protocol's round trip", protocol, " ms");
    goal.Figure("Get Preset, menu command to values shown", editor, " ms");
    std::optional<double> shownBeforeBox;
    if (gWorld->getPresetRounds > 0) shownBeforeBox = 100.0 * gWorld->valuesBeforeBox / gWorld->getPresetRounds;
    goal.Figure("Get Preset rounds whose values were on screen as the success box appeared", shownBeforeBox, " %");
    goal.AtMost("Get Preset, menu command to values shown / protocol round trip",
                reporter.TimeRatio(kEditorRun, kProtocolRun), 1.2, "");
  };
  const int code = SV::Bench::RunBenchmarks(argc, argv, "EditorEndToEndBench", summarise);
  gWorld = nullptr;
  return code;
}
