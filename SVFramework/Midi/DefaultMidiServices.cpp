#include "SVFramework/Midi/DefaultMidiServices.h"

#include <mutex>

#include "Platform/Midi/MidiServices.h"
#include "Platform/Midi/RtMidiBackend.h"

namespace SV {
namespace {

struct DefaultServices {
  std::mutex lock;
  std::shared_ptr<::Platform::Midi::MidiServices> services;
};

// Never destroyed: port managers may still be released while the process ends.
DefaultServices& Defaults() {
  static auto* defaults = new DefaultServices;
  return *defaults;
}

}  // namespace

std::shared_ptr<::Platform::Midi::MidiServices> GetDefaultMidiServices() {
  DefaultServices& defaults = Defaults();
  std::lock_guard lock(defaults.lock);
  if (!defaults.services) {
    defaults.services =
        std::make_shared<::Platform::Midi::MidiServices>(std::make_shared<::Platform::Midi::RtMidiBackend>());
  }
  return defaults.services;
}

void SetDefaultMidiServices(std::shared_ptr<::Platform::Midi::MidiServices> services) {
  DefaultServices& defaults = Defaults();
  std::lock_guard lock(defaults.lock);
  defaults.services = std::move(services);
}

}  // namespace SV
