#include "Platform/DebugOutput/NameResolver.h"

#include <arpa/inet.h>
#include <netdb.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cstring>
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

std::string NameResolver::OwnHostName() {
  char name[64] = {};
  if (gethostname(name, sizeof name) != 0) return {};
  const size_t length = strnlen(name, sizeof name);
  return length < sizeof name ? std::string(name, length) : std::string();  // cut: not the name
}

}  // namespace Platform::DebugOutput
