#include "Platform/DebugOutput/DebuggerOutput.h"

#include <algorithm>
#include <fstream>
#include <iterator>
#include <string>

#include "Platform/DebugOutput/StandardError.h"

namespace Platform::DebugOutput {

void DebuggerOutput::Write(std::string_view text) {
  if (!text.empty() && IsDebuggerAttached()) StandardError::Write(text);
}

bool DebuggerOutput::IsDebuggerAttached() {
  std::ifstream status("/proc/self/status");
  const std::string text{std::istreambuf_iterator<char>(status), std::istreambuf_iterator<char>()};
  return StatusNamesTracer(text);
}

bool DebuggerOutput::StatusNamesTracer(std::string_view statusText) {
  constexpr std::string_view kLabel = "\nTracerPid:";
  const auto at = statusText.find(kLabel);
  if (at == std::string_view::npos) return false;
  std::string_view rest = statusText.substr(at + kLabel.size());
  rest.remove_prefix(std::min(rest.find_first_not_of(" \t"), rest.size()));
  const auto digits = rest.substr(0, std::min(rest.find_first_not_of("0123456789"), rest.size()));
  return digits.find_first_not_of('0') != std::string_view::npos;
}

}  // namespace Platform::DebugOutput
