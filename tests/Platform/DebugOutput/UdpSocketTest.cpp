#include "Platform/DebugOutput/UdpSocket.h"

#include <gtest/gtest.h>

#include "tests/Support/UdpListener.h"

namespace Platform::DebugOutput {
namespace {

TEST(UdpSocket, SendsEachTextAsOneDatagramOfExactlyItsLength) {
  SV::Testing::UdpListener listener;
  ASSERT_NE(listener.Port(), 0);
  UdpSocket socket;
  ASSERT_TRUE(socket.Open("127.0.0.1", listener.Port()));

  EXPECT_TRUE(socket.Send("first"));
  EXPECT_TRUE(socket.Send(std::string_view("with\0zero", 9)));
  EXPECT_EQ(listener.Receive(), "first");
  EXPECT_EQ(listener.Receive(), std::string("with\0zero", 9));
}

TEST(UdpSocket, RefusesAddressesAndPortsThatAreNotValid) {
  struct Case { const char* address; int32_t port; const char* what; };
  const Case cases[] = {
      {"127.0.0.1", 0, "port 0"},
      {"127.0.0.1", -1, "negative port"},
      {"127.0.0.1", 65536, "port above 65535"},
      {"localhost", 5000, "a name, not an address"},
      {"", 5000, "empty address"},
      {"::1", 5000, "an IPv6 address"},
  };
  for (const Case& c : cases) {
    UdpSocket socket;
    EXPECT_FALSE(socket.Open(c.address, c.port)) << c.what;
    EXPECT_FALSE(socket.IsOpen()) << c.what;
    EXPECT_FALSE(socket.Send("text")) << c.what;
  }
}

TEST(UdpSocket, AClosedSocketSendsNothing) {
  SV::Testing::UdpListener listener;
  UdpSocket socket;
  ASSERT_TRUE(socket.Open("127.0.0.1", listener.Port()));
  socket.Close();
  EXPECT_FALSE(socket.IsOpen());
  EXPECT_FALSE(socket.Send("lost"));
}

}  // namespace
}  // namespace Platform::DebugOutput
