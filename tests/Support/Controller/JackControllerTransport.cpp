#include "tests/Support/Controller/JackControllerTransport.h"

namespace Testing::Controller {

JackControllerTransport::JackControllerTransport(std::string clientName, Receiver receiver)
    : mClientName(std::move(clientName)), mLink(std::make_shared<Link>()) {
  mLink->receiver = std::move(receiver);
}

JackControllerTransport::~JackControllerTransport() {
  StopReceiving();
  Disappear();
}

bool JackControllerTransport::Appear(std::string& error) {
  uint64_t generation = 0;
  {
    std::lock_guard lock(mLink->mutex);
    if (mLink->peer) return true;
    generation = ++mLink->generation;
  }
  // Opened without the lock: the new client's process thread may already want it.
  auto listener = [link = mLink, generation](const std::vector<uint8_t>& message) {
    std::lock_guard lock(link->mutex);
    if (link->receiver && link->peer && link->generation == generation) link->receiver(message);
  };
  std::unique_ptr<Midi::JackMidiPeer> peer = Midi::JackMidiPeer::Create(mClientName, error, listener);
  if (!peer) return false;
  std::lock_guard lock(mLink->mutex);
  mLink->peer = std::move(peer);
  return true;
}

void JackControllerTransport::Disappear() {
  std::unique_ptr<Midi::JackMidiPeer> leaving;
  {
    std::lock_guard lock(mLink->mutex);
    leaving = std::move(mLink->peer);
    ++mLink->generation;
  }
  // Closed without the lock: closing waits for the process thread, which may be
  // waiting for the lock in the listener.
  leaving.reset();
}

bool JackControllerTransport::IsPresent() const {
  std::lock_guard lock(mLink->mutex);
  return mLink->peer != nullptr;
}

bool JackControllerTransport::Send(const std::vector<uint8_t>& message) {
  std::lock_guard lock(mLink->mutex);
  if (!mLink->peer) return false;
  mLink->peer->Send(message);
  return true;
}

void JackControllerTransport::StopReceiving() {
  std::lock_guard lock(mLink->mutex);
  mLink->receiver = nullptr;
}

}  // namespace Testing::Controller
