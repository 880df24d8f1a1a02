#include "Platform/DebugOutput/UdpSocket.h"

#include <arpa/inet.h>
#include <sys/socket.h>
#include <unistd.h>

namespace Platform::DebugOutput {

bool UdpSocket::Open(const std::string& address, int32_t port) {
  Close();
  if (port < 1 || port > 65535) return false;
  sockaddr_in destination{};
  destination.sin_family = AF_INET;
  destination.sin_port = htons(static_cast<uint16_t>(port));
  if (inet_pton(AF_INET, address.c_str(), &destination.sin_addr) != 1) return false;
  mSocket = socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, IPPROTO_UDP);
  if (mSocket < 0) return false;
  mDestination = destination;
  return true;
}

bool UdpSocket::Send(std::string_view bytes) {
  if (!IsOpen()) return false;
  const ssize_t sent = sendto(mSocket, bytes.data(), bytes.size(), MSG_NOSIGNAL,
                              reinterpret_cast<const sockaddr*>(&mDestination), sizeof mDestination);
  return sent == static_cast<ssize_t>(bytes.size());
}

void UdpSocket::Close() {
  if (mSocket >= 0) close(mSocket);
  mSocket = -1;
}

}  // namespace Platform::DebugOutput
