#include "SVFramework/Utilities/DebugLogDatagramSender.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "tests/Support/UdpListener.h"

namespace SV {
namespace {

using Testing::UdpListener;

// Name resolution at the platform edge: "logger" is 127.0.0.1, "own-machine" is
// 127.0.0.2 (also loopback on Linux), nothing else resolves.
std::vector<std::string> gAskedNames;
std::string ResolveOnlyKnownNames(const std::string& name) {
  gAskedNames.push_back(name);
  if (name == "logger") return "127.0.0.1";
  return name == "own-machine" ? "127.0.0.2" : "";
}

// The machine's own host name as the test sets it; none by default.
std::string gOwnHostName;
std::string OwnHostName() { return gOwnHostName; }

class DebugLogDatagramSenderTest : public ::testing::Test {
protected:
  void SetUp() override {
    ASSERT_NE(listener.Port(), 0);
    gAskedNames.clear();
    gOwnHostName.clear();
  }

  void ExpectGreeting(const char* address) { ExpectGreetingAt(listener, address); }
  static void ExpectGreetingAt(UdpListener& at, const char* address) {
    EXPECT_EQ(at.Receive(), "*** APPLICATION Launched on ");
    EXPECT_EQ(at.Receive(), address);
    EXPECT_EQ(at.Receive(), "***\n");
  }

  UdpListener listener;
  DebugLogDatagramSender sender{&ResolveOnlyKnownNames, &OwnHostName};
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

TEST_F(DebugLogDatagramSenderTest, TheGivenHostComesFirstThenTheMachinesOwnNameThenLoopback) {
  struct Case {
    const char* what;
    const char* host;
    const char* ownHostName;
    const char* destination;
    std::vector<std::string> askedNames;
  };
  const Case cases[] = {
      {"a host that resolves", "logger", "own-machine", "127.0.0.1", {"logger"}},
      {"no host: the own name", nullptr, "own-machine", "127.0.0.2", {"own-machine"}},
      {"an empty host: the own name", "", "own-machine", "127.0.0.2", {"own-machine"}},
      {"a host that does not resolve: the own name", "nowhere", "own-machine", "127.0.0.2", {"nowhere", "own-machine"}},
      {"an own name that does not resolve: loopback", "nowhere", "lost-machine", "127.0.0.1", {"nowhere", "lost-machine"}},
      {"no own name: loopback", nullptr, "", "127.0.0.1", {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    gAskedNames.clear();
    gOwnHostName = c.ownHostName;
    UdpListener at(c.destination);
    ASSERT_NE(at.Port(), 0);
    DebugLogDatagramSender fresh{&ResolveOnlyKnownNames, &OwnHostName};
    fresh.Send(c.host, at.Port(), "text");
    ExpectGreetingAt(at, c.destination);
    EXPECT_EQ(at.Receive(), "text");
    EXPECT_EQ(gAskedNames, c.askedNames);
  }
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
