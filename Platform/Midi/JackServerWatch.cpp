#include "Platform/Midi/JackServerWatch.h"

#include <jack/jack.h>

#include <mutex>
#include <thread>

namespace Platform::Midi {
namespace {

void IgnoreLibraryMessage(const char*) {}

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
  jack_status_t status{};
  jack_client_t* client = jack_client_open(clientName.c_str(), JackNoStartServer, &status);
  if (client == nullptr) return nullptr;
  std::unique_ptr<JackServerWatch> watch(new JackServerWatch(client));
  jack_on_shutdown(client, &JackServerWatch::OnShutdown, watch.get());
  return watch;
}

JackServerWatch::JackServerWatch(jack_client_t* client) : mClient(client) {}

JackServerWatch::~JackServerWatch() { jack_client_close(mClient); }

void JackServerWatch::WaitForNextCycle(std::chrono::milliseconds limit) const {
  const jack_nframes_t now = jack_frame_time(mClient);
  const auto deadline = std::chrono::steady_clock::now() + limit;
  // Frame times wrap around: compare by the signed difference.
  while (static_cast<int32_t>(jack_last_frame_time(mClient) - now) < 0 &&
         std::chrono::steady_clock::now() < deadline && !ServerGone()) {
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
}

std::optional<std::string> JackServerWatch::PortStamp(const std::string& portName) const {
  const jack_port_t* port = jack_port_by_name(mClient, portName.c_str());
  if (port == nullptr) return std::nullopt;
  const std::string clientName = portName.substr(0, portName.find(':'));
  char* clientUuid = jack_get_uuid_for_client_name(mClient, clientName.c_str());
  if (clientUuid == nullptr) return std::nullopt;
  std::string stamp = std::string(clientUuid) + "." + std::to_string(jack_port_uuid(port));
  jack_free(clientUuid);
  return stamp;
}

void JackServerWatch::OnShutdown(void* watch) {
  static_cast<JackServerWatch*>(watch)->mServerGone.store(true);
}

}  // namespace Platform::Midi
