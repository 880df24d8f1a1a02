#pragma once
#include "SVFramework/ControlBase/Control.h"
#include "SVFramework/ControlBase/ControlCreateFunction.h"
#include "SVFramework/ControlBase/ControlDescriptor.h"

namespace SV {

// The one creation sequence of every control class registered with the factory:
// construct with (parent, the descriptor's name), ApplyDescriptor, CreateChildren,
// Initialize, OnDescriptorApplied, and only then mark it created, so that it handles
// notifications. Code may rely on this order. UI thread.
class LControlCreation {
public:
  // The create function of a control class: register `&LControlCreation::Create<C>`.
  // An empty descriptor gives an empty control.
  template <class ControlClass>
  static RCPtr<LControl>& Create(RCPtr<LControl>& out, const RCPtr<LControl>& parent,
                                 const RCPtr<LControlDescriptor>& descriptor) {
    out = nullptr;
    if (!descriptor) return out;
    out = RCPtr<LControl>(new ControlClass(parent, descriptor->Name));
    Build(*out, descriptor);
    return out;
  }

  // The steps after construction.
  static void Build(LControl& control, const RCPtr<LControlDescriptor>& descriptor);
};

}  // namespace SV
