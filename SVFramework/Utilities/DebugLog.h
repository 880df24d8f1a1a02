#pragma once
#include <atomic>
#include <cstdint>
#include <functional>
#include <ostream>
#include <string>
#include <string_view>

#include "SVFramework/ObjectBase/SVResult.h"
#include "SVFramework/Threads/Mutex.h"
#include "SVFramework/Utilities/DebugStream.h"
#include "SVFramework/Utilities/DebugTextTarget.h"

namespace SV {

// The process-wide debug log: a narrow (UTF-8) and a wide (UTF-16) stream whose text
// goes out in pieces of at most 1023 characters (see basic_debugbuf) to one target:
// - the console (standard error) once OpenConsole was called; the streams then pass
//   on after every write, as an unbuffered stream would;
// - otherwise, with a UDP port above 0, datagrams to that port on the UDP host (when
//   none is set or it does not resolve, on the machine's own host name, else on
//   127.0.0.1);
// - otherwise the debugger's output, which only an attached debugger shows.
// Thread rules: the streams are not locked, so the log is written from one thread at
// a time; the target may be changed from any thread.
class DebugLog final : private IDebugTextTarget {
public:
  // The three places text can go, all taking UTF-8; tests put recorders here.
  struct Outputs {
    std::function<void(std::string_view)> debugger;
    std::function<void(std::string_view)> console;
    std::function<void(const char* host, int32_t port, std::string_view text)> datagram;
  };
  // The platform's debugger output, standard error and the process's datagram sender.
  static Outputs PlatformOutputs();

  // A log on the given outputs, with no host, port -1 (debugger output), no console.
  explicit DebugLog(Outputs outputs = PlatformOutputs());
  // Flushes the wide and then the narrow stream while the target is still set.
  ~DebugLog() override = default;
  DebugLog(const DebugLog&) = delete;
  DebugLog& operator=(const DebugLog&) = delete;

  // The one log of the process, made on first use and destroyed at exit.
  static DebugLog& Instance();

  std::ostream& Narrow() { return mNarrowStream; }
  std::basic_ostream<char16_t>& Wide() { return mWideStream; }

  // Stores the host when one is given (an empty text stores "no host") and the port in
  // every case; a port of 0 or less selects the debugger output.
  void SetUdpTarget(const char* host, int32_t port);
  // Sends both streams to standard error from now on.
  void OpenConsole();

  std::string GetUdpHost() const;
  int32_t GetUdpPort() const { return mPort.load(std::memory_order_acquire); }
  bool IsConsoleOpen() const { return mConsoleOpen.load(std::memory_order_acquire); }

private:
  void ReceiveDebugText(std::string_view utf8Text) override;

  const Outputs mOutputs;
  mutable Mutex mHostLock;
  std::string mHost;  // guarded by mHostLock
  std::atomic<int32_t> mPort{-1};
  std::atomic<bool> mConsoleOpen{false};
  // Declared last so that they are destroyed first, flushing to a target still set.
  basic_dostream<char> mNarrowStream{*this};
  basic_dostream<char16_t> mWideStream{*this};
};

// Sends the process's debug log to standard error (the "-DEBUG_CONSOLE" switch).
void OpenDebugConsole();

// Sets the process's debug-log UDP target: the host when one is given (else the host
// stays), the port in every case; a port above 0 sends the log as UDP datagrams.
void SetDebugLogTarget(const char* host, int32_t port);

}  // namespace SV
