#include "SVFramework/Utilities/DebugLogDatagramSender.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "tests/Support/UdpListener.h"

namespace SV {
namespace {

using Testing::UdpListener;

// Name resolution at the platform edge: "logger" is this machine, nothing else resolves.
std::vector<std::string> gAskedNames;
std::string ResolveOnlyLogger(const std::string& name) {
  gAskedNames.push_back(name);
  return name == "logger" ? "127.0.0.1" : "";
}

class DebugLogDatagramSenderTest : public ::testing::Test {
protected:
  void SetUp() override {
    ASSERT_NE(listener.Port(), 0);
    gAskedNames.clear();
  }

  void ExpectGreeting(const char* address) {
    EXPECT_EQ(listener.Receive(), "*** APPLICATION Launched on ");
    EXPECT_EQ(listener.Receive(), address);
    EXPECT_EQ(listener.Receive(), "***\n");
  }

  UdpListener listener;
  DebugLogDatagramSender sender{&ResolveOnlyLogger};
};

TEST_F(DebugLogDatagramSenderTest, TheFirstSendGreetsTheListenerThenSendsTheText) {
  sender.Send(nullptr, listener.Port(), "hello");
  ExpectGreeting("127.0.0.1");
  EXPECT_EQ(listener.Receive(), "hello");
  EXPECT_TRUE(gAskedNames.empty());
}

TEST_F(DebugLogDatagramSenderTest, LaterSendsGoWithoutAnotherGreeting) {
  sender.Send(nullptr, listener.Port(), "one");
  sender.Send(nullptr, listener.Port(), "two");
  ExpectGreeting("127.0.0.1");
  EXPECT_EQ(listener.Receive(), "one");
  EXPECT_EQ(listener.Receive(), "two");
}

TEST_F(DebugLogDatagramSenderTest, AnEmptyTextOnFirstUseOnlyOpensAndGreets) {
  sender.Send(nullptr, listener.Port(), "");
  EXPECT_TRUE(sender.IsOpen());
  sender.Send(nullptr, listener.Port(), "marker");
  ExpectGreeting("127.0.0.1");
  EXPECT_EQ(listener.Receive(), "marker");
}

TEST_F(DebugLogDatagramSenderTest, AGivenHostIsResolvedAndAnUnresolvableOneFallsBackToLoopback) {
  DebugLogDatagramSender other{&ResolveOnlyLogger};
  sender.Send("logger", listener.Port(), "via logger");
  ExpectGreeting("127.0.0.1");
  EXPECT_EQ(listener.Receive(), "via logger");
  other.Send("nowhere", listener.Port(), "via fallback");
  ExpectGreeting("127.0.0.1");
  EXPECT_EQ(listener.Receive(), "via fallback");
  EXPECT_EQ(gAskedNames, (std::vector<std::string>{"logger", "nowhere"}));
}

TEST_F(DebugLogDatagramSenderTest, TheDestinationStaysWhenALaterCallNamesAnother) {
  UdpListener other;
  sender.Send(nullptr, listener.Port(), "first");
  sender.Send("logger", other.Port(), "second");
  ExpectGreeting("127.0.0.1");
  EXPECT_EQ(listener.Receive(), "first");
  EXPECT_EQ(listener.Receive(), "second");
  EXPECT_TRUE(gAskedNames.empty());
}

TEST_F(DebugLogDatagramSenderTest, ATextThatFindsNoSocketIsDroppedAndTheOpenIsTriedAgain) {
  sender.Send(nullptr, 70000, "dropped");
  EXPECT_FALSE(sender.IsOpen());
  sender.Send(nullptr, listener.Port(), "kept");
  ExpectGreeting("127.0.0.1");
  EXPECT_EQ(listener.Receive(), "kept");
}

}  // namespace
}  // namespace SV
