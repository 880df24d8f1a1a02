#pragma once
#include "SVFramework/ObjectBase/RefCountedObject.h"

namespace SV {

class LControl;
class LControlDescriptor;

// Makes a new control of one class from a descriptor, below `parent` (may be empty),
// fully built (see LControlCreation), and returns it in `out`, which it also returns.
// Registered with the factory under the class name.
using LControlCreateFunction = RCPtr<LControl>& (*)(RCPtr<LControl>& out, const RCPtr<LControl>& parent,
                                                     const RCPtr<LControlDescriptor>& descriptor);

}  // namespace SV
