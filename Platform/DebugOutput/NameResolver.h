#pragma once
#include <string>

namespace Platform::DebugOutput {

// Turns host names into IPv4 addresses. Any thread may call it; a lookup may wait on
// the system's name service.
class NameResolver {
public:
  // The first IPv4 address of the host name as dotted text ("127.0.0.1"), or empty
  // when the name is empty or does not resolve. A dotted address resolves to itself.
  static std::string ResolveIPv4(const std::string& hostName);
  // This machine's own host name, or empty when the system gives none that fits in
  // 64 characters.
  static std::string OwnHostName();
};

}  // namespace Platform::DebugOutput
