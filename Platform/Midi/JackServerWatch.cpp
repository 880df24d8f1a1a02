#include "Platform/Midi/JackServerWatch.h"

#include "Platform/Midi/JackClientLock.h"

#include <jack/jack.h>

#include <mutex>
#include <thread>

namespace Platform::Midi {
namespace {

void IgnoreLibraryMessage(const char*) {}

jack_client_t* OpenClient(const std::string& clientName) {
  std::lock_guard lock(JackClientLock());
  jack_status_t status{};
  return jack_client_open(clientName.c_str(), JackNoStartServer, &status);
}

}  // namespace

void JackServerWatch::SilenceLibraryMessages() {
  static std::once_flag silenced;
  std::call_once(silenced, [] {
    jack_set_error_function(IgnoreLibraryMessage);
    jack_set_info_function(IgnoreLibraryMessage);
  });
}

std::unique_ptr<JackServerWatch> JackServerWatch::Connect(const std::string& clientName) {
  SilenceLibraryMessages();
  jack_client_t* client = OpenClient(clientName);
  if (client == nullptr) return nullptr;
  std::unique_ptr<JackServerWatch> watch(new JackServerWatch(client));
  jack_on_shutdown(client, &JackServerWatch::OnShutdown, watch.get());
  return watch;
}

JackServerWatch::JackServerWatch(jack_client_t* client) : mClient(client) {}

JackServerWatch::~JackServerWatch() {
  std::lock_guard lock(JackClientLock());
  jack_client_close(mClient);
}

void JackServerWatch::WaitForNextCycle(std::chrono::milliseconds limit) const {
  const jack_nframes_t now = jack_frame_time(mClient);
  const auto deadline = std::chrono::steady_clock::now() + limit;
  // Frame times wrap around: compare by the signed difference.
  while (static_cast<int32_t>(jack_last_frame_time(mClient) - now) < 0 &&
         std::chrono::steady_clock::now() < deadline && !ServerGone()) {
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
}

std::vector<std::string> JackServerWatch::MidiPortNames(bool sending) const {
  std::lock_guard lock(mQueryMutex);
  std::vector<std::string> names;
  const char** ports =
      jack_get_ports(mClient, nullptr, JACK_DEFAULT_MIDI_TYPE, sending ? JackPortIsOutput : JackPortIsInput);
  if (ports == nullptr) return names;
  for (const char** name = ports; *name != nullptr; ++name) names.emplace_back(*name);
  jack_free(ports);
  return names;
}

std::vector<std::string> JackServerWatch::ConnectionsOf(const std::string& portName) const {
  std::lock_guard lock(mQueryMutex);
  std::vector<std::string> names;
  const jack_port_t* port = jack_port_by_name(mClient, portName.c_str());
  if (port == nullptr) return names;
  const char** connections = jack_port_get_all_connections(mClient, port);
  if (connections == nullptr) return names;
  for (const char** name = connections; *name != nullptr; ++name) names.emplace_back(*name);
  jack_free(connections);
  return names;
}

bool JackServerWatch::AreConnected(const std::string& portName, const std::string& otherPortName) const {
  std::lock_guard lock(mQueryMutex);
  const jack_port_t* port = jack_port_by_name(mClient, portName.c_str());
  return port != nullptr && jack_port_connected_to(port, otherPortName.c_str()) != 0;
}

void JackServerWatch::OnShutdown(void* watch) {
  static_cast<JackServerWatch*>(watch)->mServerGone.store(true);
}

}  // namespace Platform::Midi
