#pragma once
#include <cstdint>
#include <string>
#include <string_view>

#include "SVFramework/ObjectBase/SVResult.h"
#include "SVFramework/Utilities/DebugLog.h"

namespace SV {

// The debug switches of the program's command line, read from the whole command line
// (UTF-8) in any letter case:
// - "-DEBUG_CONSOLE" sends the debug log to standard error;
// - "-DEBUG_CONSOLE:<port>[:<host>]" sends it as UDP datagrams to the port (1 to
//   65535) on the host (upper-cased; the log's own host when none is given).
// Only the first "-DEBUG_CONSOLE:" counts; the port text ends at ":" or a space and
// must have at least two characters. A port outside 1 to 65535 changes nothing.
// Any text is accepted. Called on the UI thread at start-up.
struct DebugSwitches {
  enum class Action { kNone, kConsole, kUdpTarget };

  Action action = Action::kNone;
  int32_t port = 0;
  std::string host;  // empty: keep the log's host

  static DebugSwitches Parse(std::string_view commandLine);
  // Applies the parsed switches to the log; S_OK when something was applied, S_FALSE
  // when the command line holds no usable switch.
  SVRESULT ApplyTo(DebugLog& log) const;
};

// Applies the debug switches of a command line to the process's debug log.
SVRESULT ApplyDebugSwitches(std::string_view commandLine);

}  // namespace SV
