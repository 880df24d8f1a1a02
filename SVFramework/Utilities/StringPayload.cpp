#include "SVFramework/Utilities/StringPayload.h"

namespace SV {

String StringToString(const String& text) { return text; }

RCPtr<LStringPayload> MakeStringPayload(const String& text) { return LStringPayload::Create(text); }

}  // namespace SV
