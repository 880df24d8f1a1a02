#include "Platform/Midi/RtMidiBackend.h"

#include "Platform/Midi/RtMidiApiPorts.h"

#include <algorithm>
#include <cctype>
#include <stdexcept>

namespace Platform::Midi {
namespace {

// A port's identity is its system and RtMidi's full name for it, which carries the
// ALSA client and port numbers or the JACK client and port names: it names that
// very port, and a device plugged in again comes back as another.
std::string PrefixOf(MidiPortApi api) { return api == MidiPortApi::Alsa ? "alsa:" : "jack:"; }

bool ContainsControllerName(std::string name) {
  std::transform(name.begin(), name.end(), name.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return name.find("corvex") != std::string::npos;
}

}  // namespace

RtMidiBackend::RtMidiBackend() : RtMidiBackend(Options{}) {}

RtMidiBackend::RtMidiBackend(Options options) {
  if (ContainsControllerName(options.clientName)) {
    throw std::invalid_argument("RtMidiBackend: the client name must not contain \"Corvex\"");
  }
  for (MidiPortApi api : options.apis) {
    mApis.push_back(std::make_unique<RtMidiApiPorts>(api, options.clientName, options.jackRetry));
  }
}

RtMidiBackend::~RtMidiBackend() = default;

std::vector<MidiPortDescription> RtMidiBackend::ListInputs() { return List(true); }
std::vector<MidiPortDescription> RtMidiBackend::ListOutputs() { return List(false); }

std::vector<MidiPortDescription> RtMidiBackend::List(bool inputs) {
  std::vector<MidiPortDescription> ports;
  bool alsaListed = false;
  for (const auto& api : mApis) {
    std::optional<std::vector<std::string>> rawNames = inputs ? api->ListInputNames() : api->ListOutputNames();
    if (!rawNames) continue;
    if (api->Api() == MidiPortApi::Alsa) alsaListed = true;
    if (api->Api() == MidiPortApi::Jack && alsaListed) {
      std::erase_if(*rawNames, [](const std::string& name) { return MidiPortNaming::IsAlsaBridgePort(name); });
    }
    const std::vector<std::u16string> names = MidiPortNaming::DisplayNames(api->Api(), *rawNames);
    for (size_t index = 0; index < rawNames->size(); ++index) {
      ports.push_back({PrefixOf(api->Api()) + (*rawNames)[index], names[index]});
    }
  }
  return ports;
}

RtMidiApiPorts* RtMidiBackend::ApiOf(const std::string& identity, std::string& rawName) {
  for (const auto& api : mApis) {
    const std::string prefix = PrefixOf(api->Api());
    if (identity.rfind(prefix, 0) == 0) {
      rawName = identity.substr(prefix.size());
      return api.get();
    }
  }
  return nullptr;
}

MMRESULT RtMidiBackend::OpenInput(const std::string& identity, MidiInputSink& sink,
                                  std::unique_ptr<MidiInputConnection>& connection) {
  std::string rawName;
  RtMidiApiPorts* api = ApiOf(identity, rawName);
  return api == nullptr ? MMSYSERR_NODRIVER : api->OpenInput(rawName, sink, connection);
}

MMRESULT RtMidiBackend::OpenOutput(const std::string& identity,
                                   std::unique_ptr<MidiOutputConnection>& connection) {
  std::string rawName;
  RtMidiApiPorts* api = ApiOf(identity, rawName);
  return api == nullptr ? MMSYSERR_NODRIVER : api->OpenOutput(rawName, connection);
}

}  // namespace Platform::Midi
