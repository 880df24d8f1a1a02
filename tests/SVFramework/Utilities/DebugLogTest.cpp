#include "SVFramework/Utilities/DebugLog.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "SVFramework/Utilities/DebugLogDatagramSender.h"
#include "tests/Support/UdpListener.h"

namespace SV {
namespace {

using Testing::UdpListener;

// One piece as it reached an output.
struct Delivery {
  std::string output;
  std::string host;  // "(none)" when no host was passed
  int32_t port = 0;
  std::string text;
  friend bool operator==(const Delivery&, const Delivery&) = default;
  friend std::ostream& operator<<(std::ostream& stream, const Delivery& d) {
    return stream << d.output << " " << d.host << ":" << d.port << " '" << d.text << "'";
  }
};

class DebugLogTest : public ::testing::Test {
protected:
  DebugLog::Outputs RecordingOutputs() {
    return {[this](std::string_view text) { deliveries.push_back({"debugger", "", 0, std::string(text)}); },
            [this](std::string_view text) { deliveries.push_back({"console", "", 0, std::string(text)}); },
            [this](const char* host, int32_t port, std::string_view text) {
              deliveries.push_back({"datagram", host ? host : "(none)", port, std::string(text)});
            }};
  }

  std::vector<Delivery> deliveries;
};

TEST_F(DebugLogTest, WithoutAPortTheTextGoesToTheDebuggerOutputOnly) {
  DebugLog log(RecordingOutputs());
  EXPECT_EQ(log.GetUdpPort(), -1);
  log.Narrow() << "abc" << std::flush;
  EXPECT_EQ(deliveries, (std::vector<Delivery>{{"debugger", "", 0, "abc"}}));
}

TEST_F(DebugLogTest, APortAboveZeroSendsDatagramsToTheStoredHost) {
  DebugLog log(RecordingOutputs());
  log.SetUdpTarget("logger", 5000);
  log.Narrow() << "one" << std::flush;
  log.SetUdpTarget(nullptr, 5001);
  log.Wide() << u"two" << std::flush;
  log.SetUdpTarget("", 5002);
  log.Narrow() << "three" << std::flush;
  log.SetUdpTarget(nullptr, 0);
  log.Narrow() << "four" << std::flush;
  EXPECT_EQ(deliveries, (std::vector<Delivery>{{"datagram", "logger", 5000, "one"},
                                               {"datagram", "logger", 5001, "two"},
                                               {"datagram", "(none)", 5002, "three"},
                                               {"debugger", "", 0, "four"}}));
}

TEST_F(DebugLogTest, TheConsoleTakesBothStreamsAndShowsEachWriteAtOnce) {
  DebugLog log(RecordingOutputs());
  log.SetUdpTarget("logger", 5000);
  log.OpenConsole();
  log.Narrow() << "narrow";
  log.Wide() << u"wide \u00E9";
  EXPECT_TRUE(log.IsConsoleOpen());
  EXPECT_EQ(deliveries, (std::vector<Delivery>{{"console", "", 0, "narrow"}, {"console", "", 0, "wide é"}}));
}

TEST_F(DebugLogTest, DestroyingTheLogFlushesBothStreamsToTheTargetStillSet) {
  {
    DebugLog log(RecordingOutputs());
    log.SetUdpTarget("logger", 5000);
    log.Narrow() << "narrow";
    log.Wide() << u"wide";
  }
  EXPECT_EQ(deliveries, (std::vector<Delivery>{{"datagram", "logger", 5000, "wide"},
                                               {"datagram", "logger", 5000, "narrow"}}));
}

// The log on the real datagram path, with a sender of the test's own.
class DebugLogOverUdp : public ::testing::Test {
protected:
  void SetUp() override {
    ASSERT_NE(listener.Port(), 0);
    log.SetUdpTarget(nullptr, listener.Port());
  }
  void SkipGreeting() {
    for (int i = 0; i < 3; ++i) ASSERT_TRUE(listener.Receive());
  }

  UdpListener listener;
  // No own host name, so that the datagrams go to the listener on 127.0.0.1.
  DebugLogDatagramSender sender{DebugLogDatagramSender::DefaultResolver(), [] { return std::string(); }};
  DebugLog log{{[](std::string_view) {}, [](std::string_view) {},
                [this](const char* host, int32_t port, std::string_view text) { sender.Send(host, port, text); }}};
};

TEST_F(DebugLogOverUdp, ABlockOf2500CharactersSendsTwoFullPiecesAndTheRestAtTheFlush) {
  log.Narrow() << std::string(2500, 'z');
  SkipGreeting();
  EXPECT_EQ(listener.Receive(), std::string(1023, 'z'));
  EXPECT_EQ(listener.Receive(), std::string(1023, 'z'));
  log.Narrow() << std::flush;
  EXPECT_EQ(listener.Receive(), std::string(454, 'z'));
}

TEST_F(DebugLogOverUdp, AnEmptyFlushSendsNoDatagram) {
  log.Narrow() << std::flush;
  log.Narrow() << std::flush;
  log.Narrow() << "marker" << std::flush;
  SkipGreeting();
  EXPECT_EQ(listener.Receive(), "marker");
}

TEST_F(DebugLogOverUdp, WideTextBeyondAsciiArrivesAsUtf8) {
  log.Wide() << u"Stra\u00DFe \u2192 \u6F22\u5B57" << std::flush;
  SkipGreeting();
  EXPECT_EQ(listener.Receive(), "Straße → 漢字");
}

// The only test that uses the process's own log and datagram sender. The sender keeps
// the destination of its first use for the whole process, so the listener lives as
// long (the test may run several times in one process).
TEST(ProcessDebugLog, SetDebugLogTargetSendsTheProcessLogToTheListener) {
  static UdpListener& listener = *new UdpListener;
  ASSERT_NE(listener.Port(), 0);
  SetDebugLogTarget(nullptr, listener.Port());
  DebugLog::Instance().Narrow() << "through the process log" << std::flush;
  SetDebugLogTarget(nullptr, -1);

  std::optional<std::string> datagram;
  for (int i = 0; i < 4 && datagram != "through the process log"; ++i) datagram = listener.Receive();
  EXPECT_EQ(datagram, "through the process log");
}

}  // namespace
}  // namespace SV
