#include "Platform/Midi/JackClientLock.h"

namespace Platform::Midi {

std::mutex& JackClientLock() {
  // Never freed: see the header.
  static auto* const lock = new std::mutex;
  return *lock;
}

}  // namespace Platform::Midi
