#pragma once
#include <benchmark/benchmark.h>

#include <map>
#include <string>
#include <vector>

namespace SV::Bench {

// The usual console report that also keeps each benchmark's items per second, so
// that a program can print ratios between benchmarks of the same run.
class RateReporter : public benchmark::ConsoleReporter {
public:
  void ReportRuns(const std::vector<Run>& runs) override {
    ConsoleReporter::ReportRuns(runs);
    for (const Run& run : runs) {
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

private:
  std::map<std::string, double> mRates;
};

}  // namespace SV::Bench
