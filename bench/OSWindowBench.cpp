// The OS window on an X server of its own (Xvfb): launch to first paint of a window
// with 200 controls against a bare QRasterWindow that fills itself, idle CPU with the
// 33 ms timer running over 10 s beside the bare window's, and the latency from a
// synthetic press to the presented repaint of the pressed control.
#include <benchmark/benchmark.h>

#include <QDeadlineTimer>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QRasterWindow>
#include <QTimer>

#include <algorithm>
#include <chrono>
#include <ctime>
#include <memory>
#include <optional>

#include "BenchmarkGoal.h"
#include "RateReporter.h"
#include "SVFramework/Application/QtOSWindow.h"
#include "SVFramework/Application/RootWindow.h"
#include "tests/Support/Application/FakeShellApplication.h"
#include "tests/Support/Application/ProbeControl.h"
#include "tests/Support/Application/XvfbDisplay.h"

namespace {

using SV::Testing::ProbeControl;
using SV::Testing::ProbeLog;

// Processes events until `condition` holds or ten seconds have passed.
template <class Condition>
bool WaitFor(Condition condition) {
  QDeadlineTimer deadline(10000);
  while (!condition() && !deadline.hasExpired()) QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 20);
  return condition();
}

// A window of 640 x 480 whose root control holds 199 filled controls in a grid.
struct TestWindow {
  explicit TestWindow(ProbeLog& log) {
    SV::OSWindowOptions options;
    options.clientRect = {20, 20, 640, 480};
    window = static_cast<SV::OSWindow*>(SV::CreateOSWindow(options));
    window->CreateRenderer(SV::RendererType::GdiPlus);
    root = ProbeControl::Make(log, nullptr, u"root", {0, 0, 640, 480});
    root->fill = SV::Color::FromARGB(0xFF203040);
    for (int i = 0; i < 199; ++i) {
      const SV::RCPtr<ProbeControl> child = ProbeControl::Make(
          log, root, SV::String::FromFormat(u"c%d", i), {double(i % 20) * 32 + 1, double(i / 20) * 48 + 1, 30, 46});
      child->fill = SV::Color::FromARGB(0xFF30C060 + static_cast<uint32_t>(i));
    }
    window->GetRootWindow()->SetRootControlObject(root);
  }
  ~TestWindow() {
    window->Close();
    root->Detach();
  }
  SV::OSWindow* window;
  SV::RCPtr<ProbeControl> root;
};

// The bare window: fills itself in its paint event.
class BareWindow : public QRasterWindow {
public:
  bool painted = false;

protected:
  void paintEvent(QPaintEvent*) override {
    QPainter painter(this);
    painter.fillRect(QRect(0, 0, width(), height()), QColor(0x20, 0x30, 0x40));
    painted = true;
  }
};

// Whether a paint reached the controls: the repaint is presented when it returns.
bool Painted(const ProbeLog& log) {
  return std::any_of(log.lines.begin(), log.lines.end(),
                     [](const std::string& line) { return line.find(":Paint") != std::string::npos; });
}

void LaunchToFirstPaint_SV(benchmark::State& state) {
  SV::Testing::FakeShellApplication application;
  for (auto _ : state) {
    ProbeLog log;
    TestWindow test(log);
    test.window->show();
    if (!WaitFor([&] { return Painted(log); })) state.SkipWithError("no paint");
  }
}

void LaunchToFirstPaint_Qt(benchmark::State& state) {
  for (auto _ : state) {
    BareWindow window;
    window.setGeometry(20, 20, 640, 480);
    window.show();
    if (!WaitFor([&] { return window.painted; })) state.SkipWithError("no paint");
  }
}

void PressToPresentedRepaint_SV(benchmark::State& state) {
  SV::Testing::FakeShellApplication application;
  ProbeLog log;
  TestWindow test(log);
  test.window->show();
  test.window->requestActivate();
  if (!WaitFor([&] { return test.window->isExposed() && test.window->isActive(); })) state.SkipWithError("no window");
  const SV::RCPtr<ProbeControl> target(static_cast<ProbeControl*>(test.root->GetChildAt(0).Get()));
  bool flip = false;
  for (auto _ : state) {
    log.lines.clear();
    flip = !flip;
    target->fill = SV::Color::FromARGB(flip ? 0xFFC02040 : 0xFF30C060);
    QMouseEvent press(QEvent::MouseButtonPress, QPointF(10, 10), test.window->mapToGlobal(QPointF(10, 10)),
                      Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(test.window, &press);
    // The pressed control repaints itself, as a button does on its press.
    target->InvalidateRect({0, 0, 30, 46}, true);
    if (!WaitFor([&] { return Painted(log); })) state.SkipWithError("no repaint");
    QMouseEvent release(QEvent::MouseButtonRelease, QPointF(10, 10), test.window->mapToGlobal(QPointF(10, 10)),
                        Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
    QCoreApplication::sendEvent(test.window, &release);
  }
}

BENCHMARK(LaunchToFirstPaint_SV)->UseRealTime()->Unit(benchmark::kMillisecond)->Iterations(20)->Repetitions(3);
BENCHMARK(LaunchToFirstPaint_Qt)->UseRealTime()->Unit(benchmark::kMillisecond)->Iterations(20)->Repetitions(3);
BENCHMARK(PressToPresentedRepaint_SV)->UseRealTime()->Unit(benchmark::kMicrosecond)->Iterations(200);

double ProcessSeconds() {
  timespec now{};
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
  return double(now.tv_sec) + double(now.tv_nsec) * 1e-9;
}

// CPU time over wall time, in per cent of one core, of the message loop running for
// `seconds` with `idle` after every wake.
template <class Idle>
double IdleCpuPercent(double seconds, Idle idle) {
  const double cpuBefore = ProcessSeconds();
  const auto start = std::chrono::steady_clock::now();
  const auto end = start + std::chrono::duration<double>(seconds);
  while (std::chrono::steady_clock::now() < end) {
    // Sleeps until an event comes: the 33 ms timer at the latest.
    QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    idle();
  }
  const double wall = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  return 100.0 * (ProcessSeconds() - cpuBefore) / wall;
}

std::optional<double> IdleCpu_SV() {
  SV::Testing::FakeShellApplication application;
  ProbeLog log;
  TestWindow test(log);
  test.window->show();
  if (!WaitFor([&] { return Painted(log); })) return std::nullopt;
  return IdleCpuPercent(10.0, [&] {
    for (int pass = 0; pass < 2; ++pass)
      if (!application.Idle(pass == 0)) break;
  });
}

std::optional<double> IdleCpu_Qt() {
  BareWindow window;
  window.setGeometry(20, 20, 640, 480);
  window.show();
  QTimer timer;
  timer.start(33);
  if (!WaitFor([&] { return window.painted; })) return std::nullopt;
  return IdleCpuPercent(10.0, [] {});
}

}  // namespace

int main(int argc, char** argv) {
  SV::Testing::XvfbDisplay display;
  if (display.Name().empty()) {
    std::fprintf(stderr, "OSWindowBench: Xvfb did not start\n");
    return 1;
  }
  setenv("DISPLAY", display.Name().c_str(), 1);
  setenv("QT_QPA_PLATFORM", "xcb", 1);
  setenv("QT_ENABLE_HIGHDPI_SCALING", "0", 1);
  QGuiApplication application(argc, argv);
  const auto summarise = [](::Bench::BenchmarkGoal& goal, const SV::Bench::RateReporter& reporter) {
    goal.AtMost("launch to first paint, 200 controls / bare QRasterWindow",
                reporter.TimeRatio("LaunchToFirstPaint_SV/iterations:20/repeats:3/real_time",
                                   "LaunchToFirstPaint_Qt/iterations:20/repeats:3/real_time"),
                3.0, "");
    goal.Figure("press to presented repaint",
                reporter.Time("PressToPresentedRepaint_SV/iterations:200/real_time"), " us");
    const std::optional<double> bare = IdleCpu_Qt();
    goal.Figure("idle CPU of the bare QRasterWindow with a 33 ms timer over 10 s", bare, " %");
    goal.AtMost("idle CPU with the 33 ms timer over 10 s", IdleCpu_SV(), 0.5, " %");
  };
  return SV::Bench::RunBenchmarks(argc, argv, "OSWindowBench", summarise);
}
