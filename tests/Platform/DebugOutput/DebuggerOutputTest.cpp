#include "Platform/DebugOutput/DebuggerOutput.h"

#include <gtest/gtest.h>

namespace Platform::DebugOutput {
namespace {

TEST(DebuggerOutput, ATracerIsSeenOnlyWhenTheStatusNamesANonZeroTracerPid) {
  struct Case { const char* status; bool traced; const char* what; };
  const Case cases[] = {
      {"Name:\ttest\nState:\tR\nTracerPid:\t0\nUid:\t1000\n", false, "no tracer"},
      {"Name:\ttest\nTracerPid:\t4711\nUid:\t1000\n", true, "traced by 4711"},
      {"Name:\ttest\nTracerPid:  00012\n", true, "leading zeros and spaces"},
      {"Name:\ttest\nTracerPid:\t000\n", false, "zero written with several digits"},
      {"Name:\ttest\nUid:\t1000\n", false, "no TracerPid line"},
      {"Name:\tTracerPid: 99\nTracerPid:\t0\n", false, "the label inside another line does not count"},
      {"Name:\ttest\nTracerPid:\t", false, "cut off after the label"},
  };
  for (const Case& c : cases) EXPECT_EQ(DebuggerOutput::StatusNamesTracer(c.status), c.traced) << c.what;
}

}  // namespace
}  // namespace Platform::DebugOutput
