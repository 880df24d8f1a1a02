#pragma once
#include "SVFramework/ObjectBase/RefCountedObject.h"
#include "SVFramework/Utilities/Storage/StringT.h"
#include "SVFramework/Utilities/WrapperStringable.h"

namespace SV {

// A copy of the text it is given: the text function of a shared text.
String StringToString(const String& text);

// A shared text: a String that is a taggable shared object and answers itself as its
// text. The payload of text notifications (status text, clipboard text, paths).
using LStringPayload = LWrapperStringable<String, &StringToString, LTaggableObject>;

// A new shared text holding a copy of `text`, handed out with its first reference taken.
// Any thread may call it.
RCPtr<LStringPayload> MakeStringPayload(const String& text);

}  // namespace SV
