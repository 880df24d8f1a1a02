// Copying a string costs a reference count change, not a copy of its characters:
// compare the copy of an empty string with that of a 4 KiB one.
#include <benchmark/benchmark.h>

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

}  // namespace
