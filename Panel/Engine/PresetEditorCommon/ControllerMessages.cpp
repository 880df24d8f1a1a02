#include "Panel/Engine/PresetEditorCommon/ControllerMessages.h"

#include <algorithm>
#include <array>
#include <climits>
#include <initializer_list>

#include "DeviceControl/GeneratedCode/Engine/inc/OneByteValue.h"
#include "SVFramework/Utilities/Storage/Variant.h"

namespace SV {
namespace {

constexpr uint8_t kStart = 0xF0;
constexpr uint8_t kEnd = 0xF7;
constexpr uint8_t kFirstRealtime = 0xF8;
constexpr uint8_t kFirstStatus = 0x80;

constexpr uint8_t kPresetDump = 0x53;
constexpr uint32_t kPresetValuesPosition = 7;

constexpr uint32_t kFirmwarePosition = 9;

struct GlobalSetting {
  const char16_t* name;
  uint8_t command;
  int32_t bound;  // values lie below it
};

constexpr std::array<GlobalSetting, 4> kGlobalSettings{{
    {u"WHITE KEY CURVE", 0x0A, 7},
    {u"BLACK KEY CURVE", 0x0B, 7},
    {u"WHITE KEY SENSITIVITY", 0x0C, 101},
    {u"BLACK KEY SENSITIVITY", 0x0D, 101},
}};

uint8_t ByteAt(const IArray<signed char>& message, uint32_t index) {
  return static_cast<uint8_t>(message.GetData()[index]);
}

bool IsDataByte(uint8_t byte) { return byte < kFirstStatus; }

// Empties `out` and fills it with the bytes; false, `out` empty, when it cannot hold them.
bool FillWith(IArray<signed char>& out, std::initializer_list<uint8_t> bytes) {
  out.SetCount(0);
  const auto wanted = static_cast<uint32_t>(bytes.size());
  if (out.SetCount(wanted) != static_cast<int32_t>(wanted)) {
    out.SetCount(0);
    return false;
  }
  std::transform(bytes.begin(), bytes.end(), out.GetData(), [](uint8_t byte) { return static_cast<signed char>(byte); });
  return true;
}

const GlobalSetting* FindGlobalSetting(const String& name) {
  const auto found = std::find_if(kGlobalSettings.begin(), kGlobalSettings.end(),
                                  [&](const GlobalSetting& setting) { return name == setting.name; });
  return found == kGlobalSettings.end() ? nullptr : &*found;
}

// A received message as a receiver reads it, real-time bytes taken out, when exactly
// Length bytes remain.
template <uint32_t Length>
class ReceivedMessage {
public:
  explicit ReceivedMessage(const IArray<signed char>& message) {
    for (uint32_t index = 0; index < message.GetCount(); ++index) {
      const uint8_t byte = ByteAt(message, index);
      if (byte >= kFirstRealtime) continue;
      if (mCount == Length) {
        mCount = Length + 1;  // too long: stop reading
        return;
      }
      mBytes[mCount++] = byte;
    }
  }

  // Exactly Length bytes, no status byte between the first and the last, and the
  // given bytes at the start.
  bool Matches(std::initializer_list<uint8_t> start) const {
    if (mCount != Length) return false;
    if (!std::all_of(mBytes.begin() + 1, mBytes.end() - 1, IsDataByte)) return false;
    return std::equal(start.begin(), start.end(), mBytes.begin());
  }

  uint8_t operator[](uint32_t index) const { return mBytes[index]; }

private:
  std::array<uint8_t, Length> mBytes{};
  uint32_t mCount = 0;
};

using PresetMessage = ReceivedMessage<ControllerMessages::kPresetMessageLength>;
using IdentityMessage = ReceivedMessage<ControllerMessages::kIdentityReplyLength>;

bool IsPresetDumpMessage(const PresetMessage& message) {
  return message.Matches({kStart, 0x7D, 0x7F, 0x31, kPresetDump, 0x00, 0x19});
}

bool IsIdentityReplyMessage(const IdentityMessage& message) {
  if (!message.Matches({kStart, 0x7E})) return false;
  return message[3] == 0x06 && message[4] == 0x02;
}

// The one byte a preset value is sent as, or the failure result.
SVRESULT PresetValueByte(const Variant& value, uint8_t& byte) {
  if (value.GetTag() == VariantTag::Array) return E_NOTIMPL;
  if (value.GetTag() != VariantTag::Buffer) return E_FAIL;
  uint32_t size = 0;
  const void* data = value.GetData(size);
  if (size != 1 || data == nullptr) return E_FAIL;
  byte = *static_cast<const uint8_t*>(data);
  return IsDataByte(byte) ? S_OK : E_INVALIDARG;
}

}  // namespace

SVRESULT ControllerMessages::BuildPresetRequest(IArray<signed char>& out) {
  return FillWith(out, {0x7D, 0x7F, 0x31, 0x66, 0x00, 0x01, 0x00}) ? S_OK : E_FAIL;
}

SVRESULT ControllerMessages::BuildPresetHeader(IArray<signed char>& out) {
  return FillWith(out, {0x7D, 0x7F, 0x31, 0x5E, 0x00, 0x19}) ? S_OK : E_FAIL;
}

SVRESULT ControllerMessages::BuildPresetMessage(const IArray<ParamValue>& values, IArray<signed char>& out) {
  out.SetCount(0);
  if (values.GetCount() != kParameterCount) return E_FAIL;
  std::array<uint8_t, kParameterCount> bytes{};
  for (uint32_t index = 0; index < kParameterCount; ++index) {
    const SVRESULT result = PresetValueByte(values.GetAt(index).value, bytes[index]);
    if (result < 0) return result;
  }
  if (BuildPresetHeader(out) < 0) return E_FAIL;
  const uint32_t headerLength = out.GetCount();
  if (out.SetCount(headerLength + kParameterCount) != static_cast<int32_t>(headerLength + kParameterCount)) {
    out.SetCount(0);
    return E_FAIL;
  }
  std::copy(bytes.begin(), bytes.end(), reinterpret_cast<uint8_t*>(out.GetData()) + headerLength);
  return S_OK;
}

bool ControllerMessages::IsGlobalSettingValueValid(const String& name, int32_t value) {
  const GlobalSetting* setting = FindGlobalSetting(name);
  return setting != nullptr && value >= 0 && value < setting->bound;
}

SVRESULT ControllerMessages::BuildGlobalSettingMessage(const String& name, int32_t value,
                                                       IArray<signed char>& out) {
  out.SetCount(0);
  if (!IsGlobalSettingValueValid(name, value)) return E_FAIL;
  const uint8_t command = FindGlobalSetting(name)->command;
  const auto byte = static_cast<uint8_t>(value);
  return FillWith(out, {kStart, 0x7D, 0x7F, 0x31, command, 0x00, 0x01, byte, kEnd}) ? S_OK : E_FAIL;
}

SVRESULT ControllerMessages::BuildIdentityRequest(IArray<signed char>& out) {
  return FillWith(out, {kStart, 0x7E, 0x7F, 0x06, 0x01, kEnd}) ? S_OK : E_FAIL;
}

bool ControllerMessages::IsPresetDump(const IArray<signed char>& message) {
  return IsPresetDumpMessage(PresetMessage(message));
}

SVRESULT ControllerMessages::ParsePresetDump(const IArray<signed char>& message, int32_t firstParamID,
                                             Array<ParamValue>& values) {
  const PresetMessage dump(message);
  if (!IsPresetDumpMessage(dump)) return E_FAIL;
  if (firstParamID > INT32_MAX - static_cast<int32_t>(kParameterCount - 1)) return E_INVALIDARG;
  values.SetCount(0);
  for (uint32_t index = 0; index < kParameterCount; ++index) {
    const int32_t paramID = firstParamID + static_cast<int32_t>(index);
    values.Append(ParamValue(ParamDescriptor(paramID), OneByteValue::Make(dump[kPresetValuesPosition + index])));
  }
  return S_OK;
}

bool ControllerMessages::IsIdentityReply(const IArray<signed char>& message) {
  return IsIdentityReplyMessage(IdentityMessage(message));
}

SVRESULT ControllerMessages::ParseIdentityReply(const IArray<signed char>& message, String& firmwareVersion) {
  const IdentityMessage reply(message);
  if (!IsIdentityReplyMessage(reply)) return E_FAIL;
  firmwareVersion = String::FromFormat(u"%d%d.%d%d", reply[kFirmwarePosition], reply[kFirmwarePosition + 1],
                                       reply[kFirmwarePosition + 2], reply[kFirmwarePosition + 3]);
  return S_OK;
}

SVRESULT ControllerMessages::FrameSystemExclusive(IArray<signed char>& message) {
  const uint32_t count = message.GetCount();
  if (count == 0) return E_FAIL;
  const uint8_t first = ByteAt(message, 0);
  const uint8_t last = ByteAt(message, count - 1);
  if (count == 1 && (first == kStart || first == kEnd)) return E_FAIL;
  const bool addStart = first != kStart;
  const bool addEnd = count == 1 || last != kEnd;
  const uint32_t bodyBegin = addStart ? 0 : 1;
  const uint32_t bodyEnd = addEnd ? count : count - 1;
  for (uint32_t index = bodyBegin; index < bodyEnd; ++index) {
    if (!IsDataByte(ByteAt(message, index))) return E_INVALIDARG;
  }
  const uint64_t framedCount = uint64_t{count} + (addStart ? 1 : 0) + (addEnd ? 1 : 0);
  if (framedCount > message.GetMaxCount()) return E_FAIL;
  if (addStart && message.InsertAt(0, static_cast<signed char>(kStart)) < 0) return E_FAIL;
  if (addEnd && message.Append(static_cast<signed char>(kEnd)) < 0) {
    if (addStart) message.RemoveItems(0, 1);
    return E_FAIL;
  }
  return S_OK;
}

}  // namespace SV
