#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "Platform/IniFileManager/Format/IniParser.h"

// Feeds bytes to the settings-file parser; whatever it accepts must be written back
// in a form that parses again to the same text.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const auto document = IniFile::IniParser::Parse(std::string_view(reinterpret_cast<const char*>(data), size));
  if (!document) return 0;
  const std::string written = document->Serialise();
  const auto reread = IniFile::IniParser::Parse(written);
  if (!reread || reread->Serialise() != written) std::abort();
  return 0;
}
