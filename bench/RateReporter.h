#pragma once
#include <benchmark/benchmark.h>

#include "BenchmarkGoal.h"

#include <map>
#include <optional>
#include <string>
#include <vector>

namespace SV::Bench {

// The usual console report (colours only on a terminal) that also keeps each
// benchmark's items per second and time per iteration, so that a program can print
// ratios between benchmarks of the same run. For the program's main thread.
class RateReporter : public benchmark::ConsoleReporter {
public:
  RateReporter() : ConsoleReporter(::Bench::ConsoleOutputOptions()) {}
  void ReportRuns(const std::vector<Run>& runs) override {
    ConsoleReporter::ReportRuns(runs);
    for (const Run& run : runs) {
      mTimes[run.benchmark_name()] = run.GetAdjustedRealTime();
      const auto rate = run.counters.find("items_per_second");
      if (rate != run.counters.end() && run.run_type == Run::RT_Iteration)
        mRates[run.benchmark_name()] = rate->second.value;
    }
  }
  // Items per second of the named benchmark; 0 when it did not run.
  double Rate(const std::string& name) const {
    const auto found = mRates.find(name);
    return found == mRates.end() ? 0.0 : found->second;
  }

  // Real time per iteration of the named benchmark, in its time unit (the median's
  // when it was repeated); nothing when it did not run.
  std::optional<double> Time(const std::string& name) const {
    for (const std::string& key : {name + "_median", name}) {
      const auto found = mTimes.find(key);
      if (found != mTimes.end() && found->second > 0) return found->second;
    }
    return std::nullopt;
  }
  // The time of `numerator` over that of `denominator`; nothing unless both ran.
  std::optional<double> TimeRatio(const std::string& numerator, const std::string& denominator) const {
    const std::optional<double> a = Time(numerator), b = Time(denominator);
    if (!a || !b) return std::nullopt;
    return *a / *b;
  }

private:
  std::map<std::string, double> mRates;
  std::map<std::string, double> mTimes;
};

// The main of a benchmark program: runs its benchmarks with the usual report, then
// hands the rates and times and the program's goals to `summarise`
// (void(::Bench::BenchmarkGoal&, const RateReporter&)); returns the exit code that the
// goals decide.
template <class Summarise>
int RunBenchmarks(int argc, char** argv, const char* program, Summarise summarise) {
  ::Bench::BenchmarkArguments arguments(argc, argv, {});
  benchmark::Initialize(arguments.Count(), arguments.Values());
  RateReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  ::Bench::BenchmarkGoal goal(program);
  summarise(goal, reporter);
  benchmark::Shutdown();
  return goal.ExitCode();
}

}  // namespace SV::Bench
