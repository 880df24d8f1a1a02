// Converts arbitrary bytes from UTF-8 to UTF-16 and back; what converted cleanly
// must come back byte for byte, and nothing may be read or written out of bounds.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "SVFramework/Utilities/Storage/StringT.h"
#include "SVFramework/Utilities/Storage/UtfConversion.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::vector<char> bytes(data, data + size);  // an exact-size copy: overreads are caught
  SV::RCPtr<SV::LIBuffer> wide;
  const SVRESULT fromResult = SV::ConvertFromUTF8(wide, bytes.empty() ? nullptr : bytes.data(),
                                                  static_cast<int32_t>(size));
  const auto* units = static_cast<const char16_t*>(wide->GetData());
  SV::RCPtr<SV::LIBuffer> narrow;
  SV::ConvertToUTF8(narrow, units, -1);
  const auto* back = static_cast<const char*>(narrow->GetData());
  const size_t clean = size ? strnlen(bytes.data(), size) : 0;
  if (fromResult == 0 && size > 0 && clean == size && std::memcmp(back, bytes.data(), size) != 0) std::abort();

  const SV::String text(units);
  const SV::NarrowString roundTrip = text.ToUTF8();
  if (SV::String(roundTrip.GetString()) != text) std::abort();
  return 0;
}
