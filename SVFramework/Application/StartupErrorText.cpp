#include "SVFramework/Application/StartupErrorText.h"

#include <atomic>

namespace SV {

namespace {

constexpr const char16_t* kDefaultFormat =
    u"The application encountered problems during startup and will now close.  (Error code = %d)";

std::atomic<StartupErrorFormatProvider> gProvider{nullptr};

bool IsIntegerConversion(char16_t c) { return c == u'd' || c == u'i' || c == u'u' || c == u'x' || c == u'X'; }

// Whether the format takes exactly one argument and that an integer ("%%" takes none),
// so that a text from the string tables cannot make the formatter read a string.
bool TakesOneInteger(const String& format) {
  int integers = 0;
  for (const char16_t* c = format.GetString(); *c; ++c) {
    if (*c != u'%') continue;
    if (*++c == u'%') continue;
    while (*c == u'-' || *c == u'+' || *c == u' ' || *c == u'#' || (*c >= u'0' && *c <= u'9') || *c == u'.') ++c;
    if (!IsIntegerConversion(*c)) return false;
    ++integers;
  }
  return integers == 1;
}

}  // namespace

void SetStartupErrorFormatProvider(StartupErrorFormatProvider provider) {
  gProvider.store(provider, std::memory_order_release);
}

String GetStartupErrorText(int32_t code) {
  const StartupErrorFormatProvider provider = gProvider.load(std::memory_order_acquire);
  const String format = provider ? provider() : String();
  return String::FromFormat(TakesOneInteger(format) ? format.GetString() : kDefaultFormat, code);
}

}  // namespace SV
