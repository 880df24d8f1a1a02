#include "tests/Support/Midi/MidiServicesWatch.h"

namespace Testing::Midi {

using Platform::Midi::MidiBackend;
using Platform::Midi::MidiServices;

MidiServicesWatch::MidiServicesWatch() : mState(std::make_shared<State>()) {}

std::shared_ptr<MidiServices> MidiServicesWatch::Make(std::shared_ptr<MidiBackend> backend) {
  {
    std::lock_guard lock(mState->mutex);
    mState->made = true;
  }
  auto destroy = [state = mState](MidiServices* services) {
    delete services;
    {
      std::lock_guard lock(state->mutex);
      state->destroyed = true;
    }
    state->changed.notify_all();
  };
  return std::shared_ptr<MidiServices>(new MidiServices(std::move(backend)), destroy);
}

bool MidiServicesWatch::WaitUntilDestroyed(std::chrono::milliseconds limit) const {
  std::unique_lock lock(mState->mutex);
  return mState->changed.wait_for(lock, limit, [this] { return !mState->made || mState->destroyed; });
}

}  // namespace Testing::Midi
