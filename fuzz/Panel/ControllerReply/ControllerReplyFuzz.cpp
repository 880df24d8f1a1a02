#include "Panel/Engine/PresetEditorCommon/ControllerMessages.h"

#include "SVFramework/Utilities/Storage/Array.h"

#include <cstdlib>

// Reads arbitrary bytes as a message from the controller and checks what the
// recognisers promise: a dump gives 24 one-byte data values, a firmware version is
// two digits or more on each side of a point, framing gives F0 ... F7.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using SV::ControllerMessages;
  SV::Array<signed char> message;
  for (size_t index = 0; index < size; ++index) message.Append(static_cast<signed char>(data[index]));

  SV::Array<SV::ParamValue> values;
  if (ControllerMessages::ParsePresetDump(message, 0, values) == SV::S_OK) {
    if (!ControllerMessages::IsPresetDump(message) || values.GetCount() != 24) std::abort();
    for (const SV::ParamValue& value : values) {
      uint32_t bytes = 0;
      const void* payload = value.value.GetData(bytes);
      if (bytes != 1 || *static_cast<const uint8_t*>(payload) >= 0x80) std::abort();
    }
  }
  SV::String version;
  if (ControllerMessages::ParseIdentityReply(message, version) == SV::S_OK) {
    if (version.GetLength() < 5 || version.Find(u'.') < 2) std::abort();
  }
  if (ControllerMessages::FrameSystemExclusive(message) == SV::S_OK) {
    if (static_cast<uint8_t>(message[0]) != 0xF0 || static_cast<uint8_t>(message[message.GetCount() - 1]) != 0xF7) {
      std::abort();
    }
  }
  return 0;
}
