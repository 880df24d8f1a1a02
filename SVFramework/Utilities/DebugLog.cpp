#include "SVFramework/Utilities/DebugLog.h"

#include "Platform/DebugOutput/DebuggerOutput.h"
#include "Platform/DebugOutput/StandardError.h"
#include "SVFramework/Utilities/DebugLogDatagramSender.h"

namespace SV {

DebugLog::Outputs DebugLog::PlatformOutputs() {
  return {&::Platform::DebugOutput::DebuggerOutput::Write, &::Platform::DebugOutput::StandardError::Write,
          &SendDebugLogDatagram};
}

DebugLog::DebugLog(Outputs outputs) : mOutputs(std::move(outputs)) {}

DebugLog& DebugLog::Instance() {
  static DebugLog log;
  return log;
}

void DebugLog::SetUdpTarget(const char* host, int32_t port) {
  if (host) {
    MutexLock lock(mHostLock);
    mHost = host;
  }
  mPort.store(port, std::memory_order_release);
}

void DebugLog::OpenConsole() {
  mConsoleOpen.store(true, std::memory_order_release);
  mNarrowStream.setf(std::ios_base::unitbuf);
  mWideStream.setf(std::ios_base::unitbuf);
}

std::string DebugLog::GetUdpHost() const {
  MutexLock lock(mHostLock);
  return mHost;
}

void DebugLog::ReceiveDebugText(std::string_view utf8Text) {
  if (IsConsoleOpen()) {
    mOutputs.console(utf8Text);
    return;
  }
  const int32_t port = GetUdpPort();
  if (port <= 0) {
    mOutputs.debugger(utf8Text);
    return;
  }
  const std::string host = GetUdpHost();
  mOutputs.datagram(host.empty() ? nullptr : host.c_str(), port, utf8Text);
}

void OpenDebugConsole() { DebugLog::Instance().OpenConsole(); }

void SetDebugLogTarget(const char* host, int32_t port) { DebugLog::Instance().SetUdpTarget(host, port); }


}  // namespace SV
