#include "SVFramework/Midi/MidiCaptureNotificationData.h"

#include <cstring>

namespace SV {

RCPtr<LMidiCaptureNotificationData> LMidiCaptureNotificationData::Create(const String& portName,
                                                                         LRefCountedObject* port) {
  return RCPtr<LMidiCaptureNotificationData>(new LMidiCaptureNotificationData(portName, port));
}

void LMidiCaptureNotificationData::Append(const void* bytes, uint32_t count) {
  if (count == 0) return;
  const uint32_t before = mBytes.GetCount();
  if (count > UINT32_MAX - before) RaiseBadAllocation();
  mBytes.Resize(before + count);
  std::memcpy(mBytes.GetData() + before, bytes, count);
}

}  // namespace SV
