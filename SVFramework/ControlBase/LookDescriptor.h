#pragma once
#include <cstdint>

#include "SVFramework/ControlBase/DockedPart.h"
#include "SVFramework/ControlBase/VisualPartDescriptor.h"
#include "SVFramework/ObjectBase/RefCountedObject.h"
#include "SVFramework/Utilities/Storage/LRCPtrArray.h"
#include "SVFramework/Utilities/Storage/RCPtrArray.h"
#include "SVFramework/Utilities/Storage/StringT.h"

namespace SV {

// Where a look draws its label text: left, right, top and bottom edges as a fraction
// of the look's size plus pixels, the alignments, and the part whose colour the
// text takes.
struct LookTextProperties {
  float TextLeftRel = 0.0f;
  int32_t TextLeftAbs = 0;
  float TextRightRel = 0.0f;
  int32_t TextRightAbs = 0;
  float TextHAlign = 0.0f;
  float TextTopRel = 0.0f;
  int32_t TextTopAbs = 0;
  float TextBottomRel = 0.0f;
  int32_t TextBottomAbs = 0;
  float TextVAlign = 0.0f;
};

// One look of the skin: a client part, non-client parts in document order and, when
// HasText is set, where its label text goes. Filled while the skin loads, then
// immutable; shared freely.
class LLookDescriptor : public virtual LRefCountedObject {
public:
  static RCPtr<LLookDescriptor> Create(const String& name);

  SVRESULT SetClientPart(const RCPtr<LDockedPart>& part);
  // Stores the text placement and its colour part and sets HasText.
  SVRESULT SetTextProperties(const LookTextProperties& properties, const RCPtr<LVisualPartDescriptor>& foreground);

  String Name;
  RCPtr<LDockedPart> ClientPart;
  RCPtrArray<LDockedPart, 1, 0> NonClientParts;
  bool HasText = false;
  LookTextProperties Text;
  RCPtr<LVisualPartDescriptor> ForegroundPart;

protected:
  explicit LLookDescriptor(const String& name) : Name(name) {}
};

// The looks a control may show, by index; made with a fixed number of slots, any of
// which may stay empty. Shared by every skin that names it.
using LLookList = LRCPtrArray<LLookDescriptor, 1, 0>;

}  // namespace SV
