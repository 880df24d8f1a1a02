#include "SVFramework/ControlBase/LookDescriptor.h"

namespace SV {

RCPtr<LLookDescriptor> LLookDescriptor::Create(const String& name) {
  return RCPtr<LLookDescriptor>(new LLookDescriptor(name));
}

SVRESULT LLookDescriptor::SetClientPart(const RCPtr<LDockedPart>& part) {
  ClientPart = part;
  return S_OK;
}

SVRESULT LLookDescriptor::SetTextProperties(const LookTextProperties& properties,
                                            const RCPtr<LVisualPartDescriptor>& foreground) {
  Text = properties;
  ForegroundPart = foreground;
  HasText = true;
  return S_OK;
}

}  // namespace SV
