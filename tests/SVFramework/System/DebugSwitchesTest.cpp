#include "SVFramework/System/DebugSwitches.h"

#include <gtest/gtest.h>

#include <string>

namespace SV {
namespace {

using Action = DebugSwitches::Action;

struct SwitchCase {
  const char* name;
  std::string commandLine;
  Action action;
  int32_t port;
  const char* host;
};

// Each row: a whole command line and what its debug switches ask for.
const SwitchCase kSwitchCases[] = {
    {"NoSwitch", "/opt/corvex/editor file.corvex", Action::kNone, 0, ""},
    {"EmptyLine", "", Action::kNone, 0, ""},
    {"Console", "editor -DEBUG_CONSOLE", Action::kConsole, 0, ""},
    {"ConsoleInAnyCase", "editor -debug_Console", Action::kConsole, 0, ""},
    {"PortOnly", "editor -DEBUG_CONSOLE:9000", Action::kUdpTarget, 9000, ""},
    {"PortAndHostUpperCased", "editor -debug_console:9000:loghost", Action::kUdpTarget, 9000, "LOGHOST"},
    {"HostEndsAtSpace", "editor -DEBUG_CONSOLE:5000:myhost other", Action::kUdpTarget, 5000, "MYHOST"},
    {"FirstTargetSwitchCounts", "e -DEBUG_CONSOLE:5000 -DEBUG_CONSOLE:6000", Action::kUdpTarget, 5000, ""},
    {"EmptyHostKeepsHost", "editor -DEBUG_CONSOLE:5000:", Action::kUdpTarget, 5000, ""},
    {"UnresolvableHostIsStillTaken", "e -DEBUG_CONSOLE:5000:no-such-host.invalid", Action::kUdpTarget, 5000,
     "NO-SUCH-HOST.INVALID"},
    {"ColonAloneDoesNothing", "editor -DEBUG_CONSOLE:", Action::kNone, 0, ""},
    {"OneCharacterPortDoesNothing", "editor -DEBUG_CONSOLE:5", Action::kNone, 0, ""},
    {"PortAbove65535DoesNothing", "editor -DEBUG_CONSOLE:99999", Action::kNone, 0, ""},
    {"HugePortDoesNothing", "editor -DEBUG_CONSOLE:99999999999999999999999", Action::kNone, 0, ""},
    {"PortZeroDoesNothing", "editor -DEBUG_CONSOLE:00", Action::kNone, 0, ""},
    {"PortWithoutDigitsDoesNothing", "editor -DEBUG_CONSOLE:ab:host", Action::kNone, 0, ""},
    {"DigitsThenLettersTakeTheDigits", "editor -DEBUG_CONSOLE:80ab", Action::kUdpTarget, 80, ""},
    {"EmptyPortBeforeHostDoesNothing", "editor -DEBUG_CONSOLE::host", Action::kNone, 0, ""},
    {"UnknownSwitchesAreIgnored", "editor -VERBOSE -X:1 --", Action::kNone, 0, ""},
    {"SwitchInsideLongerWordCounts", "editor -DEBUG_CONSOLEX", Action::kConsole, 0, ""},
    {"BinaryBytes", std::string("\xff\x00-DEBUG_CONSOLE:\x80\x81", 19), Action::kNone, 0, ""},
};

void PrintTo(const SwitchCase& row, std::ostream* out) { *out << row.name; }

class DebugSwitchesParse : public testing::TestWithParam<SwitchCase> {};

TEST_P(DebugSwitchesParse, ReadsWhatTheSwitchesAskFor) {
  const DebugSwitches switches = DebugSwitches::Parse(GetParam().commandLine);
  EXPECT_EQ(switches.action, GetParam().action);
  EXPECT_EQ(switches.port, GetParam().port);
  EXPECT_EQ(switches.host, GetParam().host);
}

INSTANTIATE_TEST_SUITE_P(CommandLines, DebugSwitchesParse, testing::ValuesIn(kSwitchCases),
                         [](const testing::TestParamInfo<SwitchCase>& info) { return std::string(info.param.name); });

// A log whose outputs go nowhere, so that applying switches touches no real target.
class DebugSwitchesApply : public testing::Test {
protected:
  DebugLog mLog{DebugLog::Outputs{[](std::string_view) {}, [](std::string_view) {},
                                  [](const char*, int32_t, std::string_view) {}}};
};

TEST_F(DebugSwitchesApply, ConsoleSwitchOpensTheConsole) {
  EXPECT_EQ(DebugSwitches::Parse("editor -DEBUG_CONSOLE").ApplyTo(mLog), S_OK);
  EXPECT_TRUE(mLog.IsConsoleOpen());
}

TEST_F(DebugSwitchesApply, TargetSwitchSetsPortAndHostOrKeepsTheHost) {
  mLog.SetUdpTarget("keep.example", 1);
  EXPECT_EQ(DebugSwitches::Parse("editor -DEBUG_CONSOLE:5000").ApplyTo(mLog), S_OK);
  EXPECT_EQ(mLog.GetUdpPort(), 5000);
  EXPECT_EQ(mLog.GetUdpHost(), "keep.example");
  EXPECT_EQ(DebugSwitches::Parse("editor -DEBUG_CONSOLE:6000:myhost").ApplyTo(mLog), S_OK);
  EXPECT_EQ(mLog.GetUdpPort(), 6000);
  EXPECT_EQ(mLog.GetUdpHost(), "MYHOST");
}

TEST_F(DebugSwitchesApply, BadPortLeavesTheLogAsItWas) {
  mLog.SetUdpTarget("keep.example", 1234);
  EXPECT_EQ(DebugSwitches::Parse("editor -DEBUG_CONSOLE:99999:other").ApplyTo(mLog), S_FALSE);
  EXPECT_EQ(mLog.GetUdpPort(), 1234);
  EXPECT_EQ(mLog.GetUdpHost(), "keep.example");
  EXPECT_FALSE(mLog.IsConsoleOpen());
}

}  // namespace
}  // namespace SV
