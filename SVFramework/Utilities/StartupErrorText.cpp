#include "SVFramework/Utilities/StartupErrorText.h"

#include <atomic>

namespace SV {

namespace {

std::atomic<StartupErrorFormatSource>& FormatSource() {
  static std::atomic<StartupErrorFormatSource> source{nullptr};
  return source;
}

// True when the format's only conversion is one "%d" ("%%" aside): the format comes
// from a string table, and any other conversion would read an argument never passed.
bool HasOneIntegerConversion(const String& format) {
  int32_t conversions = 0;
  const char16_t* text = format.GetString();
  for (int32_t i = 0; text[i] != 0; ++i) {
    if (text[i] != u'%') continue;
    if (text[i + 1] == u'%') {
      ++i;
      continue;
    }
    if (text[i + 1] != u'd') return false;
    ++conversions;
  }
  return conversions == 1;
}

}  // namespace

void SetStartupErrorFormatSource(StartupErrorFormatSource source) {
  FormatSource().store(source, std::memory_order_release);
}

String GetStartupErrorText(int32_t code) {
  if (const StartupErrorFormatSource source = FormatSource().load(std::memory_order_acquire)) {
    const String format = source();
    if (HasOneIntegerConversion(format)) return String::FromFormat(format.GetString(), code);
  }
  return String::FromFormat(
      u"The application encountered problems during startup and will now close.  (Error code = %d)", code);
}

}  // namespace SV
