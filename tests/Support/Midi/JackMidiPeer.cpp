#include "tests/Support/Midi/JackMidiPeer.h"

#include "Platform/Midi/JackClientLock.h"

#include <jack/jack.h>
#include <jack/midiport.h>

namespace Testing::Midi {

std::unique_ptr<JackMidiPeer> JackMidiPeer::Create(const std::string& clientName, std::string& error,
                                                   Listener listener) {
  std::unique_ptr<JackMidiPeer> peer(new JackMidiPeer());
  peer->mListener = std::move(listener);
  // A peer that failed half-way is destroyed only after Join has let the lock go.
  if (!peer->Join(clientName, error)) return nullptr;
  return peer;
}

bool JackMidiPeer::Join(const std::string& clientName, std::string& error) {
  std::lock_guard lock(Platform::Midi::JackClientLock());
  jack_status_t status{};
  mClient = jack_client_open(clientName.c_str(), static_cast<jack_options_t>(JackNoStartServer | JackUseExactName),
                             &status);
  if (mClient == nullptr) {
    error = "the peer could not join the JACK server (status " + std::to_string(status) + ")";
    return false;
  }
  mInput = jack_port_register(mClient, "midi_in", JACK_DEFAULT_MIDI_TYPE, JackPortIsInput, 0);
  mOutput = jack_port_register(mClient, "midi_out", JACK_DEFAULT_MIDI_TYPE, JackPortIsOutput, 0);
  if (mInput == nullptr || mOutput == nullptr) {
    error = "the peer could not register its ports";
    return false;
  }
  jack_set_process_callback(mClient, &JackMidiPeer::Process, this);
  if (jack_activate(mClient) != 0) {
    error = "the peer could not be activated";
    return false;
  }
  return true;
}

// The process callback never takes the lock, so closing under it cannot wait for
// a cycle that waits for the lock.
JackMidiPeer::~JackMidiPeer() {
  if (mClient == nullptr) return;
  std::lock_guard lock(Platform::Midi::JackClientLock());
  jack_deactivate(mClient);
  jack_client_close(mClient);
}

void JackMidiPeer::Send(std::vector<uint8_t> message) {
  std::lock_guard lock(mMutex);
  mOutgoing.push_back(std::move(message));
}

std::vector<std::vector<uint8_t>> JackMidiPeer::WaitForReceived(size_t count, std::chrono::milliseconds limit) {
  std::unique_lock lock(mMutex);
  mChanged.wait_for(lock, limit, [&] { return mReceived.size() >= count; });
  return mReceived;
}

bool JackMidiPeer::WaitUntilSent(std::chrono::milliseconds limit) {
  std::unique_lock lock(mMutex);
  return mChanged.wait_for(lock, limit, [&] { return mOutgoing.empty(); });
}

std::string JackMidiPeer::InputPortName() const { return jack_port_name(mInput); }
std::string JackMidiPeer::OutputPortName() const { return jack_port_name(mOutput); }

int JackMidiPeer::Process(jack_nframes_t frames, void* peer) {
  auto& self = *static_cast<JackMidiPeer*>(peer);
  self.ReadInput(frames);
  self.WriteOutput(frames);
  return 0;
}

void JackMidiPeer::ReadInput(jack_nframes_t frames) {
  void* buffer = jack_port_get_buffer(mInput, frames);
  const uint32_t count = jack_midi_get_event_count(buffer);
  if (count == 0) return;
  std::vector<std::vector<uint8_t>> arrived;
  {
    std::lock_guard lock(mMutex);
    for (uint32_t index = 0; index < count; ++index) {
      jack_midi_event_t event{};
      if (jack_midi_event_get(&event, buffer, index) != 0) continue;
      mReceived.emplace_back(event.buffer, event.buffer + event.size);
      if (mListener) arrived.push_back(mReceived.back());
    }
    mChanged.notify_all();
  }
  for (const std::vector<uint8_t>& message : arrived) mListener(message);
}

// Writes as many queued messages as the cycle's buffer takes; the rest waits for
// the next cycle. A message larger than any event can be is dropped.
void JackMidiPeer::WriteOutput(jack_nframes_t frames) {
  void* buffer = jack_port_get_buffer(mOutput, frames);
  jack_midi_clear_buffer(buffer);
  std::lock_guard lock(mMutex);
  if (mOutgoing.empty()) return;
  while (!mOutgoing.empty()) {
    const std::vector<uint8_t>& message = mOutgoing.front();
    if (message.size() > jack_midi_max_event_size(buffer) && jack_midi_get_event_count(buffer) > 0) break;
    if (message.size() <= jack_midi_max_event_size(buffer) &&
        jack_midi_event_write(buffer, 0, message.data(), message.size()) != 0) {
      break;
    }
    mOutgoing.pop_front();
  }
  mChanged.notify_all();
}

}  // namespace Testing::Midi

