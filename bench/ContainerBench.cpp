// A pool and a queue in steady use do not touch the heap: the cost of making and
// dropping a pooled object (with and without the pool's lock) against a heap object,
// and of passing elements through a locked queue. No goal is set for these figures.
#include <benchmark/benchmark.h>

#include <string>
#include <utility>
#include <vector>

#include "BenchmarkGoal.h"
#include "SVFramework/ObjectBase/RefCountedObject.h"
#include "SVFramework/Utilities/Storage/PooledObject.h"
#include "SVFramework/Utilities/Storage/RCPtrQueue.h"

namespace {

class HeapObject : public virtual SV::LRefCountedObject {
public:
  int value = 0;
};

class LockedPooledObject : public virtual SV::LRefCountedObject, public SV::PooledObject<LockedPooledObject, 4, true> {
public:
  int value = 0;
};

class UnlockedPooledObject : public virtual SV::LRefCountedObject,
                             public SV::PooledObject<UnlockedPooledObject, 4, false> {
public:
  int value = 0;
};

template <class Object>
void MakeAndDrop(benchmark::State& state) {
  for (auto _ : state) {
    SV::RCPtr<Object> object(new Object);
    benchmark::DoNotOptimize(object.Get());
  }
}
BENCHMARK(MakeAndDrop<HeapObject>);
BENCHMARK(MakeAndDrop<LockedPooledObject>);
BENCHMARK(MakeAndDrop<UnlockedPooledObject>);

void QueuePass(benchmark::State& state) {
  SV::Mutex lock;
  SV::RCPtrQueue<HeapObject> queue(&lock);
  const SV::RCPtr<HeapObject> element(new HeapObject);
  for (auto _ : state) {
    for (int i = 0; i < state.range(0); ++i) queue.Enqueue(element);
    while (queue.GetCount() > 0) benchmark::DoNotOptimize(queue.Dequeue().Get());
  }
  state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(QueuePass)->Arg(16)->Arg(255)->Arg(1000);

// Shows the usual report and keeps each run's time per iteration.
class FigureReporter : public benchmark::ConsoleReporter {
public:
  FigureReporter() : ConsoleReporter(Bench::ConsoleOutputOptions()) {}
  void ReportRuns(const std::vector<Run>& runs) override {
    ConsoleReporter::ReportRuns(runs);
    for (const Run& run : runs) {
      if (run.run_type == Run::RT_Iteration && !run.error_occurred) {
        figures.emplace_back(run.benchmark_name(), run.GetAdjustedRealTime());
        units.push_back(std::string(" ") + benchmark::GetTimeUnitString(run.time_unit));
      }
    }
  }

  std::vector<std::pair<std::string, double>> figures;
  std::vector<std::string> units;
};

}  // namespace

int main(int argc, char** argv) {
  Bench::BenchmarkArguments arguments(argc, argv, {});
  benchmark::Initialize(arguments.Count(), arguments.Values());
  FigureReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();
  Bench::BenchmarkGoal goal("ContainerBench");
  for (size_t index = 0; index < reporter.figures.size(); ++index) {
    goal.Figure(reporter.figures[index].first, reporter.figures[index].second, reporter.units[index].c_str());
  }
  return goal.ExitCode();
}
