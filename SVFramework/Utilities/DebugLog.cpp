#include "SVFramework/Utilities/DebugLog.h"

#include <charconv>

#include "Platform/DebugOutput/DebuggerOutput.h"
#include "Platform/DebugOutput/StandardError.h"
#include "SVFramework/Utilities/DebugLogDatagramSender.h"

namespace SV {

namespace {

constexpr std::string_view kConsoleSwitch = "-DEBUG_CONSOLE";

// The port of a "-DEBUG_CONSOLE:" switch: 1 to 65535 in plain decimal digits, else -1.
int32_t ParsePort(std::string_view digits) {
  int32_t port = -1;
  const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), port);
  const bool whole = !digits.empty() && error == std::errc() && end == digits.data() + digits.size();
  return whole && port >= 1 && port <= 65535 ? port : -1;
}

}  // namespace

DebugLog::Outputs DebugLog::PlatformOutputs() {
  return {&Platform::DebugOutput::DebuggerOutput::Write, &Platform::DebugOutput::StandardError::Write,
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

SVRESULT ApplyDebugConsoleArgument(std::string_view argument, DebugLog& log) {
  if (!argument.starts_with(kConsoleSwitch)) return S_FALSE;
  std::string_view rest = argument.substr(kConsoleSwitch.size());
  if (rest.empty()) {
    log.OpenConsole();
    return S_OK;
  }
  if (rest.front() != ':') return S_FALSE;
  rest.remove_prefix(1);
  const auto colon = rest.find(':');
  const int32_t port = ParsePort(rest.substr(0, colon));
  if (port < 0) return E_INVALIDARG;
  if (colon == std::string_view::npos) {
    log.SetUdpTarget(nullptr, port);
  } else {
    log.SetUdpTarget(std::string(rest.substr(colon + 1)).c_str(), port);
  }
  return S_OK;
}

}  // namespace SV
