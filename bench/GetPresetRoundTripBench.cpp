// The Get Preset round trip over JACK against the simulated controller: through the
// device protocol (LMidiManager::GetPresetFromMidiDevice, from the request to the
// values written into the engine) as the program runs it (the machine's MIDI
// services, ALSA and JACK, with presence polling on) and, in the same run, the same
// request and reply with RtMidi alone (send, wait for the dump). The goal: the
// protocol adds at most 10% to the bare round trip (the ratio of the medians); the
// program exits with 1 when it does not.
//
// The benchmark starts a JACK server of its own (dummy driver, 256 frames at
// 48 kHz). Messages leave and arrive only at JACK's cycles, so each round trip is
// started at a random point of the cycle (the wait before it is not timed): a road
// that starts in step with the cycles would hide its own costs in the wait for the
// next cycle. The controller answers within the cycle that brings the request, so
// that both roads meet the same cycles: a reply sent from the controller's own
// thread leaves one cycle later or two, depending on where the JACK clients happen
// to stand in the server's order, which says nothing about either road. The two
// roads run in repetitions interleaved at random, so that a change of the
// machine's load falls on both; the medians of their repetitions are compared.
#include <benchmark/benchmark.h>

#include <RtMidi.h>

#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include "BenchmarkGoal.h"
#include "DeviceControl/GeneratedCode/Engine/inc/RootModuleEngine.h"
#include "Panel/Engine/PresetEditorCommon/MidiManager.h"
#include "Platform/Midi/JackClientLock.h"
#include "Platform/Midi/MidiServices.h"
#include "Platform/Midi/RtMidiBackend.h"
#include "SVFramework/Midi/DefaultMidiServices.h"
#include "tests/Support/ApplicationStandIn.h"
#include "tests/Support/Controller/SimulatedController.h"
#include "tests/Support/Midi/JackServerFixture.h"

namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;
using Bytes = std::vector<unsigned char>;

// One JACK cycle of the benchmark's server.
constexpr std::chrono::microseconds kCycle = Testing::Midi::kJackCycle;
constexpr int kIterations = 80;
constexpr int kRepetitions = 15;
// The protocol's round trip over the bare one.
constexpr double kGoal = 1.10;
const Bytes kGetPreset{0xF0, 0x7D, 0x7F, 0x31, 0x66, 0x00, 0x01, 0x00, 0xF7};

// The editor's end with RtMidi alone: the controller's ports opened by their JACK
// names, the request sent whole, the dump awaited on a condition variable.
// Its RtMidi objects open and close JACK clients, under the process's lock for that.
class BareEnd {
public:
  ~BareEnd() {
    std::lock_guard lock(Platform::Midi::JackClientLock());
    mInput.reset();
    mOutput.reset();
  }

  bool Open(std::string& error) {
    std::lock_guard lock(Platform::Midi::JackClientLock());
    try {
      mInput = std::make_unique<RtMidiIn>(RtMidi::UNIX_JACK, "Bare End");
      mOutput = std::make_unique<RtMidiOut>(RtMidi::UNIX_JACK, "Bare End");
      mInput->ignoreTypes(false, false, false);
      mInput->setCallback(&BareEnd::OnMessage, this);
      if (!OpenByName(*mInput, "Corvex:midi_out") || !OpenByName(*mOutput, "Corvex:midi_in")) {
        error = "the controller's JACK ports were not found";
        return false;
      }
      return true;
    } catch (const RtMidiError& failure) {
      error = failure.getMessage();
      return false;
    }
  }

  // Sends the request and waits for a dump; false after 10 s without one.
  bool RoundTrip() {
    std::unique_lock lock(mMutex);
    const uint64_t seen = mDumps;
    lock.unlock();
    mOutput->sendMessage(&kGetPreset);
    lock.lock();
    return mArrived.wait_for(lock, 10s, [&] { return mDumps > seen; });
  }

private:
  template <typename Port>
  static bool OpenByName(Port& port, const std::string& name) {
    for (unsigned int number = 0; number < port.getPortCount(); ++number) {
      if (port.getPortName(number) != name) continue;
      port.openPort(number, "bare");
      return port.isPortOpen();
    }
    return false;
  }

  static void OnMessage(double, Bytes* message, void* end) {
    if (message == nullptr || message->size() != 32 || (*message)[4] != 0x53) return;
    auto* self = static_cast<BareEnd*>(end);
    {
      std::lock_guard lock(self->mMutex);
      ++self->mDumps;
    }
    self->mArrived.notify_all();
  }

  std::unique_ptr<RtMidiIn> mInput;
  std::unique_ptr<RtMidiOut> mOutput;
  std::mutex mMutex;
  std::condition_variable mArrived;
  uint64_t mDumps = 0;
};

// Everything both roads need, made once for the run.
struct Setup {
  std::unique_ptr<Testing::Midi::JackServer> server;
  std::unique_ptr<SV::Testing::ApplicationStandIn> application;
  std::unique_ptr<Testing::Controller::SimulatedController> controller;
  SV::RCPtr<SV::LMidiManager> manager;
  BareEnd bare;
  std::mt19937 random{20240601};

  bool Start(std::string& error) {
    server = Testing::Midi::JackServer::Start(error);
    if (!server) return false;
    SV::SetDefaultMidiServices(
        std::make_shared<Platform::Midi::MidiServices>(std::make_shared<Platform::Midi::RtMidiBackend>()));
    controller = Testing::Controller::SimulatedController::OnJack(error);
    if (!controller) return false;
    controller->SetBehaviour(Testing::Controller::ReplyBehaviour::DuringRequest());
    application = std::make_unique<SV::Testing::ApplicationStandIn>();
    application->StartEngine(SV::RCPtr<SV::LRootModuleEngine>(new SV::LRootModuleEngine()));
    manager = SV::LMidiManager::Create();
    if (!manager->IsConnected()) {
      error = "the device protocol did not open the controller's ports";
      return false;
    }
    manager->ResumeStatusPolling();  // as the application does
    return bare.Open(error);
  }

  // The untimed wait that puts the next round trip at a random point of the cycle.
  void WaitForARandomPointOfTheCycle() {
    std::uniform_int_distribution<int64_t> offset(0, kCycle.count() - 1);
    std::this_thread::sleep_for(std::chrono::microseconds(offset(random)));
  }

  void Stop() {
    manager.Reset();
    application.reset();
    controller.reset();
    SV::SetDefaultMidiServices(nullptr);
  }
};

Setup* gSetup = nullptr;

template <typename RoundTrip>
void Measure(benchmark::State& state, RoundTrip roundTrip) {
  for (auto _ : state) {
    gSetup->WaitForARandomPointOfTheCycle();
    const Clock::time_point start = Clock::now();
    const bool answered = roundTrip();
    state.SetIterationTime(std::chrono::duration<double>(Clock::now() - start).count());
    if (!answered) {
      state.SkipWithError("no dump came");
      break;
    }
  }
}

void GetPreset_RtMidiAlone(benchmark::State& state) {
  Measure(state, [] { return gSetup->bare.RoundTrip(); });
}

void GetPreset_DeviceProtocol(benchmark::State& state) {
  Measure(state, [] { return gSetup->manager->GetPresetFromMidiDevice(0) == 0; });
}

BENCHMARK(GetPreset_RtMidiAlone)
    ->UseManualTime()
    ->Iterations(kIterations)
    ->Repetitions(kRepetitions)
    ->ReportAggregatesOnly(true)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(GetPreset_DeviceProtocol)
    ->UseManualTime()
    ->Iterations(kIterations)
    ->Repetitions(kRepetitions)
    ->ReportAggregatesOnly(true)
    ->Unit(benchmark::kMillisecond);

// Shows the usual report and keeps each road's mean and median time.
class RoadReporter : public benchmark::ConsoleReporter {
public:
  RoadReporter() : ConsoleReporter(Bench::ConsoleOutputOptions()) {}
  void ReportRuns(const std::vector<Run>& runs) override {
    ConsoleReporter::ReportRuns(runs);
    for (const Run& run : runs) {
      if (run.run_type != Run::RT_Aggregate || run.error_occurred) continue;
      milliseconds[run.run_name.function_name + " " + run.aggregate_name] = run.GetAdjustedRealTime();
    }
  }

  std::optional<double> Milliseconds(const std::string& road, const std::string& aggregate) const {
    const auto found = milliseconds.find(road + " " + aggregate);
    if (found == milliseconds.end()) return std::nullopt;
    return found->second;
  }

  std::map<std::string, double> milliseconds;
};

// Prints both roads' figures and judges the ratio of the medians.
int JudgeTheGoal(const RoadReporter& reporter) {
  Bench::BenchmarkGoal goal("GetPresetRoundTripBench");
  for (const char* road : {"GetPreset_RtMidiAlone", "GetPreset_DeviceProtocol"}) {
    goal.Figure(std::string(road) + " median", reporter.Milliseconds(road, "median"), " ms");
    goal.Figure(std::string(road) + " mean", reporter.Milliseconds(road, "mean"), " ms");
  }
  const std::optional<double> bare = reporter.Milliseconds("GetPreset_RtMidiAlone", "median");
  const std::optional<double> protocol = reporter.Milliseconds("GetPreset_DeviceProtocol", "median");
  std::optional<double> ratio;
  if (bare && protocol && *bare > 0) ratio = *protocol / *bare;
  goal.AtMost("device protocol over RtMidi alone, ratio of the medians", ratio, kGoal, "");
  return goal.ExitCode();
}

}  // namespace

int main(int argc, char** argv) {
  // The roads' repetitions interleaved at random, unless the command line says otherwise.
  Bench::BenchmarkArguments arguments(argc, argv, {"--benchmark_enable_random_interleaving=true"});
  benchmark::Initialize(arguments.Count(), arguments.Values());
  Setup setup;
  std::string error;
  if (!setup.Start(error)) {
    std::fprintf(stderr, "GetPresetRoundTripBench: %s\n", error.c_str());
    return 1;
  }
  gSetup = &setup;
  RoadReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  gSetup = nullptr;
  setup.Stop();
  benchmark::Shutdown();
  return JudgeTheGoal(reporter);
}
