#include "Panel/UI/MidiManagerSource.h"

#include "SVFramework/Application/FrameworkApp.h"

namespace SV {

RCPtr<LMidiManager> GetApplicationMidiManager() {
  auto* source = dynamic_cast<IMidiManagerSource*>(GetFrameworkApp());
  return source ? source->GetMidiManager() : RCPtr<LMidiManager>();
}

}  // namespace SV
