// Copying a string costs a reference count change, not a copy of its characters:
// compare the copy of an empty string with that of a 4 KiB one. Appending one
// character at a time is measured against QString doing the same; the ratio of the
// times ours/QString is printed at the end (above 1: we are slower).
#include <benchmark/benchmark.h>

#include <QString>

#include <cstdio>
#include <map>
#include <string>

#include "SVFramework/Utilities/Storage/StringT.h"

namespace {

SV::String TextOfLength(size_t length) { return SV::String(std::u16string(length, u'x').c_str()); }

void CopyString(benchmark::State& state) {
  const SV::String source = TextOfLength(static_cast<size_t>(state.range(0)));
  for (auto _ : state) {
    SV::String copy(source);
    benchmark::DoNotOptimize(copy);
  }
}
BENCHMARK(CopyString)->Arg(0)->Arg(4096);

void AssignString(benchmark::State& state) {
  const SV::String source = TextOfLength(static_cast<size_t>(state.range(0)));
  SV::String target;
  for (auto _ : state) {
    target = source;
    benchmark::DoNotOptimize(target);
    target = SV::String();
  }
}
BENCHMARK(AssignString)->Arg(0)->Arg(4096);

void AppendCharacters(benchmark::State& state) {
  const SV::String piece(u"abcdefgh");
  for (auto _ : state) {
    SV::String text;
    for (int i = 0; i < state.range(0); ++i) text.Append(piece);
    benchmark::DoNotOptimize(text);
  }
  state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(AppendCharacters)->Arg(16)->Arg(256);

// Builds a text of range(0) characters, one append per character.
void AppendOneCharacter_SV(benchmark::State& state) {
  for (auto _ : state) {
    SV::String text;
    for (int i = 0; i < state.range(0); ++i) text.AppendWChar(u'x');
    benchmark::DoNotOptimize(text.GetString());
  }
  state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(AppendOneCharacter_SV)->Arg(16)->Arg(256);

void AppendOneCharacter_QString(benchmark::State& state) {
  for (auto _ : state) {
    QString text;
    for (int i = 0; i < state.range(0); ++i) text.append(QChar(u'x'));
    benchmark::DoNotOptimize(text.constData());
  }
  state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(AppendOneCharacter_QString)->Arg(16)->Arg(256);

// Shows the usual console report and keeps each benchmark's time per run for the
// ratios; with repetitions the median is used.
class RatioReporter : public benchmark::ConsoleReporter {
public:
  void ReportRuns(const std::vector<Run>& runs) override {
    ConsoleReporter::ReportRuns(runs);
    for (const Run& run : runs) mNanoseconds[run.benchmark_name()] = run.GetAdjustedRealTime();
  }
  void PrintRatio(const char* what, const std::string& ours, const std::string& theirs) const {
    const double oursTime = TimeOf(ours), theirTime = TimeOf(theirs);
    if (oursTime <= 0 || theirTime <= 0) return;
    std::printf("%-26s ours %9.0f ns  QString %9.0f ns  ratio ours/QString %.2f\n", what, oursTime, theirTime,
                oursTime / theirTime);
  }

private:
  double TimeOf(const std::string& name) const {
    for (const std::string& key : {name + "_median", name}) {
      const auto found = mNanoseconds.find(key);
      if (found != mNanoseconds.end()) return found->second;
    }
    return 0;
  }

  std::map<std::string, double> mNanoseconds;
};

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  reporter.PrintRatio("16 one-character appends", "AppendOneCharacter_SV/16", "AppendOneCharacter_QString/16");
  reporter.PrintRatio("256 one-character appends", "AppendOneCharacter_SV/256", "AppendOneCharacter_QString/256");
  benchmark::Shutdown();
  return 0;
}
