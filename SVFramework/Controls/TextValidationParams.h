#pragma once
#include "SVFramework/ObjectBase/RefCountedObject.h"
#include "SVFramework/Utilities/Storage/StringT.h"

namespace SV {

// The payload of "NID_TEXTBOX_VALIDATING" and "NID_TEXTBOX_VALIDATED": the text to
// accept (a handler may replace it), the text when validation began (never changed)
// and whether the text is valid (a handler clears it to refuse). UI thread only.
class LTextValidationParams : public virtual LRefCountedObject {
public:
  explicit LTextValidationParams(const String& current) : text(current), initialText(current) {}
  String ToString() const override { return text; }

  String text;
  const String initialText;
  bool valid = true;
};

}  // namespace SV
