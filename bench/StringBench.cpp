// Copying a string costs a reference count change, not a copy of its characters:
// compare the copy of an empty string with that of a 4 KiB one. Appending one
// character at a time is measured against QString doing the same; the ratio of the
// times ours/QString is printed at the end (above 1: we are slower).
#include <benchmark/benchmark.h>

#include <QString>

#include <cstdio>
#include <map>
#include <string>

#include "BenchmarkGoal.h"
#include "RateReporter.h"
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

}  // namespace

int main(int argc, char** argv) {
  const auto summarise = [](::Bench::BenchmarkGoal& goal, const SV::Bench::RateReporter& reporter) {
    for (const char* count : {"16", "256"}) {
      const std::string ours = std::string("AppendOneCharacter_SV/") + count;
      const std::string theirs = std::string("AppendOneCharacter_QString/") + count;
      goal.Figure(std::string(count) + " one-character appends, ours", reporter.Time(ours), " ns");
      goal.Figure(std::string(count) + " one-character appends, QString", reporter.Time(theirs), " ns");
      goal.Figure(std::string(count) + " one-character appends, ratio ours/QString", reporter.TimeRatio(ours, theirs), "");
    }
  };
  return SV::Bench::RunBenchmarks(argc, argv, "StringBench", summarise);
}
