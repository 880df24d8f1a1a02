// Feeds arbitrary bytes to the font-file reader as one font file or collection: it
// never reads outside the bytes (the sanitizers watch), and every pair it reports has
// a family and a lower-cased style.
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "SVFramework/Renderer/FontRenderer/FontFileReader.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  SV::FontFileMemoryBytes bytes(std::string_view(reinterpret_cast<const char*>(data), size));
  SV::FontFileReader::ReadNames(bytes, [](const SV::String& family, const SV::String& style) {
    if (family.IsEmpty() || style.IsEmpty() || !(style.ToLower() == style.GetString())) std::abort();
  });
  return 0;
}
