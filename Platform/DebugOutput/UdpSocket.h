#pragma once
#include <netinet/in.h>

#include <cstdint>
#include <string>
#include <string_view>

namespace Platform::DebugOutput {

// An IPv4 UDP socket aimed at one destination; closed when destroyed.
// Thread rules: not locked, one thread at a time.
class UdpSocket {
public:
  UdpSocket() = default;
  ~UdpSocket() { Close(); }
  UdpSocket(const UdpSocket&) = delete;
  UdpSocket& operator=(const UdpSocket&) = delete;

  // Opens the socket aimed at a dotted IPv4 address and a port (1 to 65535). False,
  // and the socket stays closed, when the address or port is not valid or the
  // platform gives no socket. Opening an open socket closes it first.
  bool Open(const std::string& address, int32_t port);
  bool IsOpen() const { return mSocket >= 0; }
  // Sends the bytes as one datagram; false when the socket is closed or the send failed.
  bool Send(std::string_view bytes);
  void Close();

private:
  int mSocket = -1;
  sockaddr_in mDestination{};
};

}  // namespace Platform::DebugOutput
