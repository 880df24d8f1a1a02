#include "SVFramework/Utilities/DebugLogDatagramSender.h"

#include "Platform/DebugOutput/NameResolver.h"

namespace SV {

namespace {

constexpr const char* kLoopbackAddress = "127.0.0.1";

}  // namespace

DebugLogDatagramSender::DebugLogDatagramSender(Resolver resolve) : mResolve(resolve) {}

DebugLogDatagramSender::Resolver DebugLogDatagramSender::DefaultResolver() {
  return &Platform::DebugOutput::NameResolver::ResolveIPv4;
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
  std::string address = host && *host ? mResolve(host) : std::string();
  if (address.empty()) address = kLoopbackAddress;
  if (!mSocket.Open(address, port)) return;
  mSocket.Send("*** APPLICATION Launched on ");
  mSocket.Send(address);
  mSocket.Send("***\n");
}

void SendDebugLogDatagram(const char* host, int32_t port, std::string_view text) {
  // Never destroyed: the socket stays open until the process ends, also for the text
  // that static destructors flush.
  static DebugLogDatagramSender& sender = *new DebugLogDatagramSender;
  sender.Send(host, port, text);
}

}  // namespace SV
