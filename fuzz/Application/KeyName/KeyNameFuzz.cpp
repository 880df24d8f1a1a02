#include "SVFramework/System/Keys/KeyCode.h"

#include <cstdlib>
#include <string>

// Reads arbitrary bytes as a key binding text (UTF-8, as string tables hold them) and
// prints the result both ways. A parsed key with a known virtual key and no Cmd bit
// must read back from its identifier text to the same code word.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  SV::String text;
  text.AssignUTF8(bytes.c_str(), static_cast<int32_t>(bytes.size()));
  const SV::KeyCode key = SV::KeyCode::Parse(text);
  SV::KeyCode::GetDisplayText(key);
  const SV::String identifierText = SV::KeyCode::ToString(key);
  const bool printable = !key.IsNoKey() && key.GetVirtualKey() != 0 && (key.code & SV::KeyCode::kCmd) == 0;
  if (printable && identifierText.View().find(u"VKEY_") != std::u16string_view::npos &&
      SV::KeyCode::Parse(identifierText).code != key.code)
    std::abort();
  return 0;
}
