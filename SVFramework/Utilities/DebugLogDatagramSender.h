#pragma once
#include <cstdint>
#include <string>
#include <string_view>

#include "Platform/DebugOutput/UdpSocket.h"
#include "SVFramework/Threads/Mutex.h"

namespace SV {

// Sends debug-log text as UDP datagrams (IPv4) to a log listener. The first send opens
// the socket and greets the listener with three datagrams: "*** APPLICATION Launched
// on ", the destination address and "***\n". The destination is fixed by the first
// successful open and kept for the sender's life, whatever later calls name.
// Thread rules: any thread; sends are serialised by the sender's lock.
class DebugLogDatagramSender {
public:
  // Turns a host name into a dotted IPv4 address, or empty when it does not resolve.
  using Resolver = std::string (*)(const std::string& hostName);
  // This machine's own host name, or empty when there is none.
  using HostNameSource = std::string (*)();

  explicit DebugLogDatagramSender(Resolver resolve = DefaultResolver(),
                                  HostNameSource ownHostName = DefaultHostNameSource());
  DebugLogDatagramSender(const DebugLogDatagramSender&) = delete;
  DebugLogDatagramSender& operator=(const DebugLogDatagramSender&) = delete;

  // Until the socket is open, tries to open it towards the port at the first IPv4
  // address of the given host; when no host is given (null or empty) or it does not
  // resolve, of the machine's own host name; when that fails too, 127.0.0.1. Then sends the text as one datagram of exactly its length, when it is not
  // empty. Every failure is silent: an unopened socket is tried again on the next call
  // and the text is dropped; a failed send is dropped.
  void Send(const char* host, int32_t port, std::string_view text);

  bool IsOpen() const;

  static Resolver DefaultResolver();
  static HostNameSource DefaultHostNameSource();

private:
  void OpenAndGreet(const char* host, int32_t port);
  std::string DestinationAddress(const char* host) const;

  mutable Mutex mLock;
  const Resolver mResolve;
  const HostNameSource mOwnHostName;
  ::Platform::DebugOutput::UdpSocket mSocket;
};

// The process's sender (see DebugLogDatagramSender::Send): made on first use and kept
// open until the process ends. Any thread may call it.
void SendDebugLogDatagram(const char* host, int32_t port, std::string_view text);

}  // namespace SV
