#include "tests/Support/Controller/ControllerCore.h"

#include <algorithm>

namespace Testing::Controller {
namespace {

constexpr uint8_t kStart = 0xF0;
constexpr uint8_t kEnd = 0xF7;

const Bytes kGetPresetRequest{0xF0, 0x7D, 0x7F, 0x31, 0x66, 0x00, 0x01, 0x00, 0xF7};
const Bytes kSendPresetHeader{0xF0, 0x7D, 0x7F, 0x31, 0x5E, 0x00, 0x19};
const Bytes kDumpHeader{0xF0, 0x7D, 0x7F, 0x31, 0x53, 0x00, 0x19};
constexpr size_t kPresetMessageLength = 32;
constexpr size_t kIdentityReplyLength = 35;

bool IsDataByte(uint8_t byte) { return byte < 0x80; }

bool StartsWith(const Bytes& message, const Bytes& start) {
  return message.size() >= start.size() && std::equal(start.begin(), start.end(), message.begin());
}

// Framed by F0 and F7 with only data bytes between.
bool IsWellFormed(const Bytes& message) {
  return message.size() >= 2 && message.front() == kStart && message.back() == kEnd &&
         std::all_of(message.begin() + 1, message.end() - 1, IsDataByte);
}

// The universal Identity Request, to every device (7F) or to this one.
bool IsIdentityRequest(const Bytes& message) {
  return message.size() == 6 && message[0] == kStart && message[1] == 0x7E &&
         (message[2] == 0x7F || message[2] == ControllerCore::kDevice) && message[3] == 0x06 &&
         message[4] == 0x01 && message[5] == kEnd;
}

Bytes WithRealtimeBytes(Bytes message) {
  message.insert(message.end() - 1, 0xF8);
  if (message.size() > 13) message.insert(message.begin() + 13, 0xFE);
  if (message.size() > 5) message.insert(message.begin() + 5, 0xF8);
  return message;
}

}  // namespace

ControllerCore::ControllerCore() = default;

std::vector<PlannedReply> ControllerCore::Receive(const Bytes& message) {
  mReceived.push_back(message);
  if (message == kGetPresetRequest) return Answer(ControllerRequest::GetPreset, PresetDumpOf(mPreset));
  if (IsIdentityRequest(message)) return Answer(ControllerRequest::Identity, IdentityReplyOf(mFirmware));
  if (!StorePreset(message) && !RecordGlobalSetting(message)) ++mUnrecognised;
  return {};
}

void ControllerCore::SetBehaviour(ControllerRequest request, const ReplyBehaviour& behaviour) {
  mBehaviours[Index(request)].standing = behaviour;
}

void ControllerCore::SetBehaviourForNext(ControllerRequest request, int count, const ReplyBehaviour& behaviour) {
  if (count > 0) mBehaviours[Index(request)].next.push_back({count, behaviour});
}

Bytes ControllerCore::PresetDumpOf(const Preset& preset) {
  Bytes dump = kDumpHeader;
  dump.insert(dump.end(), preset.begin(), preset.end());
  dump.push_back(kEnd);
  return dump;
}

Bytes ControllerCore::IdentityReplyOf(const Firmware& firmware) {
  // Universal non-real-time, general information, identity reply; the manufacturer,
  // family and model bytes before the version, zeros after it.
  Bytes reply{kStart, 0x7E, kDevice, 0x06, 0x02, 0x7D, 0x31, 0x00, 0x01};
  reply.insert(reply.end(), firmware.begin(), firmware.end());
  reply.resize(kIdentityReplyLength - 1, 0x00);
  reply.push_back(kEnd);
  return reply;
}

Bytes ControllerCore::Shaped(Bytes reply, const ReplyBehaviour& behaviour) {
  switch (behaviour.shape) {
    case ReplyShape::Whole:
      break;
    case ReplyShape::Malformed:
      ++reply[4];
      break;
    case ReplyShape::Truncated:
      reply.resize(std::min(behaviour.truncatedLength, reply.size() - 2));
      reply.push_back(kEnd);
      break;
  }
  return behaviour.realtimeBytesInside ? WithRealtimeBytes(std::move(reply)) : reply;
}

std::vector<PlannedReply> ControllerCore::Answer(ControllerRequest request, const Bytes& reply) {
  ++mRequests[Index(request)];
  const ReplyBehaviour behaviour = TakeBehaviour(request);
  if (!behaviour.answers) return {};
  const PlannedReply planned{Shaped(reply, behaviour), behaviour.delay, behaviour.duringRequest};
  return std::vector<PlannedReply>(static_cast<size_t>(std::max(behaviour.copies, 0)), planned);
}

ReplyBehaviour ControllerCore::TakeBehaviour(ControllerRequest request) {
  Behaviours& behaviours = mBehaviours[Index(request)];
  if (behaviours.next.empty()) return behaviours.standing;
  const ReplyBehaviour behaviour = behaviours.next.front().behaviour;
  if (--behaviours.next.front().remaining == 0) behaviours.next.pop_front();
  return behaviour;
}

bool ControllerCore::StorePreset(const Bytes& message) {
  if (message.size() != kPresetMessageLength || !StartsWith(message, kSendPresetHeader) || !IsWellFormed(message)) {
    return false;
  }
  std::copy(message.begin() + static_cast<std::ptrdiff_t>(kSendPresetHeader.size()), message.end() - 1,
            mPreset.begin());
  ++mPresetsStored;
  return true;
}

bool ControllerCore::RecordGlobalSetting(const Bytes& message) {
  if (message.size() != 9 || !StartsWith(message, {kStart, 0x7D, 0x7F, 0x31}) || !IsWellFormed(message)) return false;
  const uint8_t command = message[4];
  if (command < 0x0A || command > 0x0D || message[5] != 0x00 || message[6] != 0x01) return false;
  mGlobalSettings.push_back({command, message[7]});
  return true;
}

}  // namespace Testing::Controller
