#pragma once
#include "tests/Support/Controller/ReplyBehaviour.h"

#include <array>
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <vector>

namespace Testing::Controller {

using Bytes = std::vector<uint8_t>;
// The 24 preset values in ParamID order.
using Preset = std::array<uint8_t, 24>;
// The four firmware bytes of the Identity Reply (positions 9 to 12).
using Firmware = std::array<uint8_t, 4>;

struct GlobalSettingRecord {
  uint8_t command;  // 0A to 0D
  uint8_t value;
  bool operator==(const GlobalSettingRecord&) const = default;
};

// A reply the controller decided to send.
struct PlannedReply {
  Bytes message;
  std::chrono::milliseconds delay;
  bool duringRequest;
};

// What the controller does with the messages it receives, apart from any transport:
// it answers the get-preset request with a dump of its 24 values and the Identity
// Request with an Identity Reply, each as the behaviour set for that request says;
// it stores a well-formed send-preset message and records well-formed global
// settings. A message with a status byte inside its body is not one of these and is
// only counted, as the controller's receiver would drop it. Written independently of
// the editor's message code, so that the two check each other. Not locked: the
// simulated controller guards it.
class ControllerCore {
public:
  static constexpr uint8_t kDevice = 0x00;  // position 2 of the Identity Reply

  ControllerCore();

  // Records the message and returns the replies to it, in order.
  std::vector<PlannedReply> Receive(const Bytes& message);

  void SetPreset(const Preset& preset) { mPreset = preset; }
  const Preset& GetPreset() const { return mPreset; }
  void SetFirmware(const Firmware& firmware) { mFirmware = firmware; }

  // The behaviour for every later request of that kind, once any behaviours set for
  // the next requests are used up.
  void SetBehaviour(ControllerRequest request, const ReplyBehaviour& behaviour);
  // The behaviour for the next `count` requests of that kind (after those set before).
  void SetBehaviourForNext(ControllerRequest request, int count, const ReplyBehaviour& behaviour);

  size_t RequestCount(ControllerRequest request) const { return mRequests[Index(request)]; }
  size_t PresetsStored() const { return mPresetsStored; }
  const std::vector<GlobalSettingRecord>& GlobalSettings() const { return mGlobalSettings; }
  const std::vector<Bytes>& Received() const { return mReceived; }
  size_t UnrecognisedCount() const { return mUnrecognised; }

  // The controller's own messages, whole.
  static Bytes PresetDumpOf(const Preset& preset);
  static Bytes IdentityReplyOf(const Firmware& firmware);
  // A reply in the shape a behaviour asks for.
  static Bytes Shaped(Bytes reply, const ReplyBehaviour& behaviour);

private:
  struct Queued {
    int remaining;
    ReplyBehaviour behaviour;
  };
  struct Behaviours {
    ReplyBehaviour standing;
    std::deque<Queued> next;
  };

  static size_t Index(ControllerRequest request) { return static_cast<size_t>(request); }
  std::vector<PlannedReply> Answer(ControllerRequest request, const Bytes& reply);
  ReplyBehaviour TakeBehaviour(ControllerRequest request);
  bool StorePreset(const Bytes& message);
  bool RecordGlobalSetting(const Bytes& message);

  Preset mPreset{};
  Firmware mFirmware{0, 1, 1, 2};
  std::array<Behaviours, 2> mBehaviours;
  std::array<size_t, 2> mRequests{};
  size_t mPresetsStored = 0;
  std::vector<GlobalSettingRecord> mGlobalSettings;
  std::vector<Bytes> mReceived;
  size_t mUnrecognised = 0;
};

}  // namespace Testing::Controller
