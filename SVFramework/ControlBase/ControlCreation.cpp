#include "SVFramework/ControlBase/ControlCreation.h"

namespace SV {

void LControlCreation::Build(LControl& control, const RCPtr<LControlDescriptor>& descriptor) {
  control.ApplyDescriptor(descriptor);
  control.CreateChildren(descriptor);
  control.Initialize();
  control.OnDescriptorApplied();
  control.MarkCreated();
}

}  // namespace SV
