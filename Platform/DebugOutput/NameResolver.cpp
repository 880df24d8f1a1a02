#include "Platform/DebugOutput/NameResolver.h"

#include <arpa/inet.h>
#include <netdb.h>
#include <sys/socket.h>

#include <memory>

namespace Platform::DebugOutput {

std::string NameResolver::ResolveIPv4(const std::string& hostName) {
  if (hostName.empty()) return {};
  addrinfo hints{};
  hints.ai_family = AF_INET;
  hints.ai_socktype = SOCK_DGRAM;
  addrinfo* found = nullptr;
  if (getaddrinfo(hostName.c_str(), nullptr, &hints, &found) != 0 || !found) return {};
  const std::unique_ptr<addrinfo, decltype(&freeaddrinfo)> list(found, &freeaddrinfo);
  const auto* address = reinterpret_cast<const sockaddr_in*>(found->ai_addr);
  char text[INET_ADDRSTRLEN] = {};
  if (!inet_ntop(AF_INET, &address->sin_addr, text, sizeof text)) return {};
  return text;
}

}  // namespace Platform::DebugOutput
