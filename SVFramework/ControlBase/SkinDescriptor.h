#pragma once
#include <cstdint>

#include "SVFramework/ControlBase/LookDescriptor.h"
#include "SVFramework/ObjectBase/RefCountedObject.h"
#include "SVFramework/Utilities/Storage/StringT.h"

namespace SV {

// The skin of one control, or of a whole skin: its look list (may be empty: the
// control then has no looks) and its font. An empty font name, a size below 1 and a
// style of -1 each mean "none of its own". Immutable after loading; shared freely.
class LSkinDescriptor : public virtual LRefCountedObject {
public:
  static RCPtr<LSkinDescriptor> Create(const String& name);

  bool HasFontSize() const { return FontSize >= 1.0f; }
  bool HasFontStyle() const { return FontStyle != -1; }

  String Name;
  RCPtr<LLookList> LookList;
  bool FontInheritsFromParent = false;
  bool FontSizeIsRelative = false;
  String FontName;
  float FontSize = 0.0f;
  int32_t FontStyle = -1;

protected:
  explicit LSkinDescriptor(const String& name) : Name(name) {}
};

}  // namespace SV
