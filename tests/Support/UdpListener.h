#pragma once
#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>
#include <cstdint>
#include <optional>
#include <string>

namespace SV::Testing {

// A UDP socket bound to a loopback address (127.0.0.1 unless another of 127.0.0.0/8
// is given) on a port the system picks, for tests that receive datagrams. Waits are
// bounded polls on the socket, never sleeps.
class UdpListener {
public:
  explicit UdpListener(const char* loopbackAddress = "127.0.0.1") {
    mSocket = socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, IPPROTO_UDP);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    socklen_t length = sizeof address;
    if (mSocket < 0 || inet_pton(AF_INET, loopbackAddress, &address.sin_addr) != 1 || bind(mSocket, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
        getsockname(mSocket, reinterpret_cast<sockaddr*>(&address), &length) != 0)
      return;
    mPort = ntohs(address.sin_port);
  }
  ~UdpListener() {
    if (mSocket >= 0) close(mSocket);
  }
  UdpListener(const UdpListener&) = delete;
  UdpListener& operator=(const UdpListener&) = delete;

  // The bound port, or 0 when the socket could not be bound.
  int32_t Port() const { return mPort; }

  // The next datagram, or nothing when none arrives within the timeout.
  std::optional<std::string> Receive(std::chrono::milliseconds timeout = std::chrono::seconds(10)) {
    pollfd waiting{mSocket, POLLIN, 0};
    if (poll(&waiting, 1, static_cast<int>(timeout.count())) != 1) return std::nullopt;
    std::string datagram(65536, '\0');
    const ssize_t size = recv(mSocket, datagram.data(), datagram.size(), 0);
    if (size < 0) return std::nullopt;
    datagram.resize(static_cast<size_t>(size));
    return datagram;
  }

private:
  int mSocket = -1;
  int32_t mPort = 0;
};

}  // namespace SV::Testing
