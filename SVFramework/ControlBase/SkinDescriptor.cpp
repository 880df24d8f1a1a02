#include "SVFramework/ControlBase/SkinDescriptor.h"

namespace SV {

RCPtr<LSkinDescriptor> LSkinDescriptor::Create(const String& name) {
  return RCPtr<LSkinDescriptor>(new LSkinDescriptor(name));
}

}  // namespace SV
