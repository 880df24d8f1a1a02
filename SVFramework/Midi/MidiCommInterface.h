#pragma once
#include <cstdint>

#include "SVFramework/Midi/MidiCaptureNotificationData.h"
#include "SVFramework/Midi/MidiFilterByIncludePrefixList.h"
#include "SVFramework/ObjectBase/RefCountedObject.h"
#include "SVFramework/Threads/Mutex.h"
#include "SVFramework/Utilities/Storage/Array.h"
#include "SVFramework/Utilities/Storage/BufferT.h"
#include "SVFramework/Utilities/Storage/Iterable.h"
#include "SVFramework/Utilities/Storage/StringT.h"
#include "SVFramework/notification/NotificationCenter.h"
#include "SVFramework/notification/NotificationClient.h"
#include "SVFramework/notification/NotificationDistributor.h"

namespace SV {

// The port manager's interface: opens MIDI ports by name, sends bytes through an
// output port, and is the distributor on which clients subscribe to
// "NID_MIDI_DATA_CAPTURED" to receive every captured message, each client through
// an optional filter of its own. LMidiComm implements it.
// Thread rules: any thread may call every operation. Deliver runs on the port
// manager's worker and holds the filter lock while the clients run: a client's
// handler must not wait for another thread that sets a filter.
// Lock order: the filter lock, then a registration record's lock (held briefly
// while one client is looked up, never while it runs).
class LMidiCommInterface : public LNotificationDistributor {
public:
  static constexpr const char16_t* kMidiDataCapturedID = u"NID_MIDI_DATA_CAPTURED";

  // One client's filter: the client by identity only (no reference is held) and the
  // manager's own copy of its filter.
  struct MidiFilterEntry {
    const LNotificationClient* client = nullptr;
    RCPtr<LIMidiFilterByIncludePrefixList> filter;
  };

  // A new port manager (LMidiComm) on the process's default MIDI services
  // (GetDefaultMidiServices).
  static RCPtr<LMidiCommInterface> Create();
  ~LMidiCommInterface() override;

  // Opens, or finds open, the input port of that name: 0 with the started port in
  // `port`; E_INVALIDARG when several devices contain the name and none equals it;
  // E_FAIL when no port could be opened and started. `port` is cleared first.
  virtual SVRESULT OpenCapturePort(const String& name, RCPtr<LRefCountedObject>& port) = 0;
  // The same for an output port.
  virtual SVRESULT OpenRenderPort(const String& name, RCPtr<LRefCountedObject>& port) = 0;
  // Sends the buffer's bytes through an output port: the number of bytes sent or a
  // failure code (see LMidiComm::SendBytes).
  virtual int32_t SendBuffer(const RCPtr<LRefCountedObject>& port, const RCPtr<LIBuffer>& buffer) = 0;
  // Sends the array's bytes through an output port, as SendBuffer.
  virtual int32_t SendByteArray(const RCPtr<LRefCountedObject>& port, const IArray<int8_t>& bytes) = 0;
  // Returns the value unchanged: a round trip through the interface that touches no
  // port, takes no lock and changes nothing, by which a holder can check that it
  // reaches a live port manager. Any thread, also from inside a delivery.
  virtual int32_t Echo(const int32_t& value);

  // A fresh copy of the client's filter, or null when it has none.
  virtual void GetFilter(RCPtr<LIMidiFilterByIncludePrefixList>& filter, const LNotificationClient* client);
  // Keeps a copy of the filter for the client, replacing the one it had; a null
  // filter removes the client's entry. Returns 0. An entry stays until removed so.
  virtual SVRESULT SetFilter(const LNotificationClient* client, RCPtr<LIMidiFilterByIncludePrefixList> filter);
  // Delivers "NID_MIDI_DATA_CAPTURED" with the message, synchronously on the calling
  // thread, to every subscribed client whose filter passes it, the newest client
  // first, all with one notification. 1 when nobody is subscribed, else 0.
  // Exceptions of the clients pass on.
  virtual SVRESULT Deliver(const RCPtr<LMidiCaptureNotificationData>& message);

  // Null for null, else the filter's own copy.
  static RCPtr<LIMidiFilterByIncludePrefixList> CopyFilter(const RCPtr<LIMidiFilterByIncludePrefixList>& filter);

  // A center to which every captured message is also posted; none by default.
  void SetNotificationCenter(const RCPtr<LNotificationCenter>& center);
  RCPtr<LNotificationCenter> GetNotificationCenter() const;

protected:
  LMidiCommInterface() = default;

private:
  // The index of the client's entry, or -1. Under the filter lock.
  int32_t FindFilterEntry(const LNotificationClient* client) const;
  // Whether the client's filter, if it has one, lets the message through. Under the
  // filter lock.
  bool PassesFilter(const LNotificationClient* client, const LMidiCaptureNotificationData* message) const;

  RCPtr<LNotificationCenter> mCenter;  // guarded by mCenterLock
  Array<MidiFilterEntry> mFilters;     // guarded by mFilterLock; at most one entry per client
  mutable Mutex mFilterLock;
  mutable Mutex mCenterLock;
};

}  // namespace SV
