#include "SVFramework/Utilities/DebugLogDatagramSender.h"

#include "Platform/DebugOutput/NameResolver.h"

namespace SV {

namespace {

constexpr const char* kLoopbackAddress = "127.0.0.1";

}  // namespace

DebugLogDatagramSender::DebugLogDatagramSender(Resolver resolve, HostNameSource ownHostName)
    : mResolve(resolve), mOwnHostName(ownHostName) {}

DebugLogDatagramSender::Resolver DebugLogDatagramSender::DefaultResolver() {
  return &::Platform::DebugOutput::NameResolver::ResolveIPv4;
}

DebugLogDatagramSender::HostNameSource DebugLogDatagramSender::DefaultHostNameSource() {
  return &::Platform::DebugOutput::NameResolver::OwnHostName;
}

void DebugLogDatagramSender::Send(const char* host, int32_t port, std::string_view text) {
  MutexLock lock(mLock);
  if (!mSocket.IsOpen()) OpenAndGreet(host, port);
  if (!text.empty()) mSocket.Send(text);
}

bool DebugLogDatagramSender::IsOpen() const {
  MutexLock lock(mLock);
  return mSocket.IsOpen();
}

void DebugLogDatagramSender::OpenAndGreet(const char* host, int32_t port) {
  const std::string address = DestinationAddress(host);
  if (!mSocket.Open(address, port)) return;
  mSocket.Send("*** APPLICATION Launched on ");
  mSocket.Send(address);
  mSocket.Send("***\n");
}

std::string DebugLogDatagramSender::DestinationAddress(const char* host) const {
  if (host && *host) {
    std::string address = mResolve(host);
    if (!address.empty()) return address;
  }
  const std::string ownName = mOwnHostName();
  std::string address = ownName.empty() ? std::string() : mResolve(ownName);
  return address.empty() ? kLoopbackAddress : address;
}

void SendDebugLogDatagram(const char* host, int32_t port, std::string_view text) {
  // Never destroyed: the socket stays open until the process ends, also for the text
  // that static destructors flush.
  static DebugLogDatagramSender& sender = *new DebugLogDatagramSender;
  sender.Send(host, port, text);
}

}  // namespace SV
