#pragma once
#include <cstdint>

#include "SVFramework/ObjectBase/RefCountedObject.h"
#include "SVFramework/Utilities/Storage/ArrayBufferM.h"
#include "SVFramework/Utilities/Storage/PooledObject.h"
#include "SVFramework/Utilities/Storage/StringT.h"

namespace SV {

// One whole captured MIDI message, status byte first, with the name of the port
// that captured it and its time stamp: the payload of "NID_MIDI_DATA_CAPTURED".
// Objects come from one process-wide, locked pool (the MIDI callback thread makes
// them, the port manager's worker and the subscribers drop them); a short message
// needs no further allocation, since up to 4 bytes stay inside the object.
// Thread rules: the capturing port fills the object under its manager's port lock
// before it queues it; afterwards it is only read, by any thread.
class LMidiCaptureNotificationData : public virtual LRefCountedObject,
                                     public PooledObject<LMidiCaptureNotificationData, 4, true> {
public:
  using Bytes = ArrayBufferM<int8_t, 4, 256, 256>;

  // An empty message with the port's name and the port (not counted), time stamp 0.
  static RCPtr<LMidiCaptureNotificationData> Create(const String& portName, LRefCountedObject* port);
  ~LMidiCaptureNotificationData() override = default;

  // Grows the message by count bytes copied from `bytes`.
  void Append(const void* bytes, uint32_t count);
  void SetTimestamp(uint32_t timestamp) { mTimestamp = timestamp; }

  const Bytes& GetBytes() const { return mBytes; }
  Bytes& GetBytes() { return mBytes; }
  uint32_t GetCount() const { return mBytes.GetCount(); }
  const int8_t* GetData() const { return mBytes.GetData(); }
  // The capturing port, for identity only: it may be gone by the time this is read.
  const LRefCountedObject* GetPort() const { return mPort; }
  const String& GetPortName() const { return mPortName; }
  // For a short message, milliseconds since its input was started; 0 for System
  // Exclusive.
  uint32_t GetTimestamp() const { return mTimestamp; }

private:
  LMidiCaptureNotificationData(const String& portName, LRefCountedObject* port)
      : mPort(port), mPortName(portName) {}

  LRefCountedObject* mPort;
  Bytes mBytes;
  String mPortName;
  uint32_t mTimestamp = 0;
};

}  // namespace SV
