#pragma once
// The goals of one benchmark program: each goal is printed with its figure and
// whether it was met, figures without a goal are printed as they are, and the
// program's exit code tells whether every goal was met and whether every figure could
// be measured. A goal whose figure was not measured (the benchmark failed, or was
// filtered out) counts as missed. Colour codes only when standard output is a
// terminal. For the program's main thread.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdio>
#include <optional>
#include <string>
#include <vector>

namespace Bench {

// What a console reporter of the program's own shows: colours only on a terminal.
inline benchmark::ConsoleReporter::OutputOptions ConsoleOutputOptions() {
  return isatty(fileno(stdout)) != 0 ? benchmark::ConsoleReporter::OO_Defaults
                                     : benchmark::ConsoleReporter::OO_Tabular;
}

// A benchmark program's command line with defaults put in front of the given
// arguments (which therefore still win): the program's own, and no colour codes when
// standard output is not a terminal (Google Benchmark decides by TERM alone).
class BenchmarkArguments {
public:
  BenchmarkArguments(int argc, char** argv, std::vector<std::string> defaults) : mStrings(std::move(defaults)) {
    if (isatty(fileno(stdout)) == 0) mStrings.insert(mStrings.begin(), "--benchmark_color=false");
    mValues.push_back(argv[0]);
    for (std::string& text : mStrings) mValues.push_back(text.data());
    for (int index = 1; index < argc; ++index) mValues.push_back(argv[index]);
    mCount = static_cast<int>(mValues.size());
    mValues.push_back(nullptr);
  }
  BenchmarkArguments(const BenchmarkArguments&) = delete;
  BenchmarkArguments& operator=(const BenchmarkArguments&) = delete;

  int* Count() { return &mCount; }
  char** Values() { return mValues.data(); }

private:
  std::vector<std::string> mStrings;
  std::vector<char*> mValues;
  int mCount = 0;
};

class BenchmarkGoal {
public:
  explicit BenchmarkGoal(std::string program) : mProgram(std::move(program)), mColour(isatty(fileno(stdout)) != 0) {}

  // A figure that has no goal.
  void Figure(const std::string& what, std::optional<double> value, const char* unit) {
    if (value) {
      std::printf("%s: %s %.3f%s\n", mProgram.c_str(), what.c_str(), *value, unit);
    } else {
      std::printf("%s: %s not measured\n", mProgram.c_str(), what.c_str());
    }
  }

  // The goal that the figure be at most (at least) the limit.
  bool AtMost(const std::string& what, std::optional<double> value, double limit, const char* unit) {
    return Judge(what, value, limit, unit, "at most", value && *value <= limit);
  }
  bool AtLeast(const std::string& what, std::optional<double> value, double limit, const char* unit) {
    return Judge(what, value, limit, unit, "at least", value && *value >= limit);
  }

  // Prints the verdict: 0 when every goal was met (also when none was stated), 2 when
  // a goal's figure could not be measured (the benchmark itself failed), else 1.
  int ExitCode() const {
    if (mGoals == 0) {
      std::printf("%s: no goal stated, figures only\n", mProgram.c_str());
      return 0;
    }
    std::printf("%s: %d of %d goals met\n", mProgram.c_str(), mGoals - mMissed, mGoals);
    if (mUnmeasured > 0) return 2;
    return mMissed == 0 ? 0 : 1;
  }

private:
  bool Judge(const std::string& what, std::optional<double> value, double limit, const char* unit,
             const char* relation, bool met) {
    ++mGoals;
    if (!met) ++mMissed;
    if (!value) ++mUnmeasured;
    const char* verdict = met ? "met" : "MISSED";
    const char* colour = !mColour ? "" : met ? "\033[32m" : "\033[31m";
    const char* plain = mColour ? "\033[0m" : "";
    if (value) {
      std::printf("%s: %s %.3f%s (goal: %s %.3f%s): %s%s%s\n", mProgram.c_str(), what.c_str(), *value, unit,
                  relation, limit, unit, colour, verdict, plain);
    } else {
      std::printf("%s: %s not measured (goal: %s %.3f%s): %s%s%s\n", mProgram.c_str(), what.c_str(), relation,
                  limit, unit, colour, verdict, plain);
    }
    return met;
  }

  std::string mProgram;
  bool mColour;
  int mGoals = 0;
  int mMissed = 0;
  int mUnmeasured = 0;
};

}  // namespace Bench
