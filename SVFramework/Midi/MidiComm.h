#pragma once
#include <atomic>
#include <cstdint>
#include <memory>

#include "Platform/Midi/MidiDefinitions.h"
#include "SVFramework/Midi/MidiCapturePort.h"
#include "SVFramework/Midi/MidiCommInterface.h"
#include "SVFramework/Midi/MidiPortNames.h"
#include "SVFramework/Midi/MidiRenderPort.h"
#include "SVFramework/Threads/Mutex.h"
#include "SVFramework/Threads/ThreadPool.h"
#include "SVFramework/Threads/ThreadWorker.h"
#include "SVFramework/Utilities/Storage/RCPtrArray.h"

namespace Platform::Midi {
class MidiServices;
}

namespace SV {

// The port manager: the single entry to the MIDI services. It opens input
// (capture) and output (render) ports by name and keeps the open ones in two
// lists, sends bytes through an output port with bounded waits, and delivers every
// captured message to its subscribers on the one worker of its own thread pool.
// Thread rules: any thread may open ports and send. The port lock guards both lists
// and every port's open state; it is held by the open operations for their whole
// run (platform opens and starts included), by the removal of a port, and by both
// platform callbacks for their whole run, but never by the send path. The platform
// callbacks come on the MIDI services' callback thread (never on RtMidi's own) and
// only assemble and queue; subscribers run on the pool's worker, one message at a
// time, in the order of capture.
// Lock order: a render port's send lock, then the port lock; the filter lock (held
// during delivery) before the locks the subscribers take.
// Lifetime: each port holds a counted reference to its manager, so the manager
// outlives its ports; the lists' references are internal, so a port leaves its
// list and closes when its last outside holder lets go.
class LMidiComm : public LMidiCommInterface, public LThreadWorker {
public:
  using MMRESULT = ::Platform::Midi::MMRESULT;
  using HMIDIIN = ::Platform::Midi::HMIDIIN;
  using HMIDIOUT = ::Platform::Midi::HMIDIOUT;
  using MidiServices = ::Platform::Midi::MidiServices;

  // The longest a send waits for the port's gate and, for a long message, for its
  // completion (MOM_DONE).
  static constexpr int32_t kSendWaitMilliseconds = 10000;

  // A manager on the given services (the default ones when none are given).
  static RCPtr<LMidiComm> Create(std::shared_ptr<MidiServices> services = nullptr);
  // Waits until no platform callback of this manager runs any more, then releases
  // the thread pool. Must not run while the port lock is held by another thread.
  ~LMidiComm() override;

  SVRESULT OpenCapturePort(const String& name, RCPtr<LRefCountedObject>& port) override;
  SVRESULT OpenRenderPort(const String& name, RCPtr<LRefCountedObject>& port) override;
  int32_t SendBuffer(const RCPtr<LRefCountedObject>& port, const RCPtr<LIBuffer>& buffer) override;
  int32_t SendByteArray(const RCPtr<LRefCountedObject>& port, const IArray<int8_t>& bytes) override;

  // Sends `length` bytes through a render port, on the caller's thread. A first
  // byte from 80 to FF other than F0 and F7 goes out as a short message (the given
  // bytes packed, first lowest; nothing beyond `length` is read) and returns
  // GetMidiMessageLength of that byte; anything else goes out as one long message
  // and returns `length` once the platform has confirmed it sent. E_INVALIDARG for
  // no port, a port that is not a render port, no bytes or length 0; E_FAIL when the
  // platform refuses the message or does not confirm it within the completion wait
  // (the message is then taken back from the platform), or at once when the port is
  // closed or opened again while the message is out (closing takes it back). Sends
  // through one port go one at a time.
  int32_t SendBytes(const RCPtr<LRefCountedObject>& port, const void* bytes, uint32_t length);

  // The pool job of one captured message: posts it to the notification center when
  // one is set, then delivers it (Deliver). Returns 0.
  SVRESULT Run(const RCPtr<LRefCountedObject>& argument) override;

  // The product names of the input (output) devices, equal names numbered " (n)"
  // (MakeUniqueNames). E_FAIL when a device's name could not be read (the names read
  // before it are listed), else 0.
  SVRESULT EnumerateCaptureDevices(StringArray& names);
  SVRESULT EnumerateRenderDevices(StringArray& names);
  // How many listed names contain `name`, compared lower-cased: 1 with its position
  // when one equals it or exactly one contains it; 0 when none does; 2 or more (and
  // the first containing position) when several do and none equals it.
  static int32_t CountNameMatches(const StringArray& names, const String& name, int32_t& position);

  // A new closed port of that name owned by `owner`; null for an empty name or no
  // owner.
  static RCPtr<LMidiCapturePort> CreateCapturePort(const String& name, const RCPtr<LMidiComm>& owner);
  static RCPtr<LMidiRenderPort> CreateRenderPort(const String& name, const RCPtr<LMidiComm>& owner);
  // Takes that very port out of its list (under the port lock): 0, or E_FAIL when it
  // is not listed. Called only by the ports themselves.
  SVRESULT RemoveCapturePort(const LMidiCapturePort* port);
  SVRESULT RemoveRenderPort(const LMidiRenderPort* port);

  // The platform callbacks; the instance value is the manager.
  static void MidiInProc(HMIDIIN handle, uint32_t message, uintptr_t instance, uintptr_t param1, uintptr_t param2);
  static void MidiOutProc(HMIDIOUT handle, uint32_t message, uintptr_t instance, uintptr_t param1,
                          uintptr_t param2);
  // Under the port lock: hands what the input callback brings to the port of that
  // handle; on MOM_DONE opens the gate of the render port of that handle.
  void OnMidiInEvent(HMIDIIN handle, uint32_t message, uintptr_t param1, uintptr_t param2);
  void OnMidiOutEvent(HMIDIOUT handle, uint32_t message, uintptr_t param1, uintptr_t param2);

  // Queues a whole captured message as one job of priority 0 on the pool.
  void QueueCapturedMessage(const RCPtr<LMidiCaptureNotificationData>& message);

  // Shortens the send path's waits (tests only; both are kSendWaitMilliseconds).
  void SetSendWaits(int32_t gateMilliseconds, int32_t completionMilliseconds);

  MidiServices& GetServices() const { return *mServices; }
  Mutex& GetPortLock() const { return mPortLock; }
  uint32_t GetCapturePortCount() const;
  uint32_t GetRenderPortCount() const;

private:
  explicit LMidiComm(std::shared_ptr<MidiServices> services);

  SVRESULT FindOrReopenCapturePort(const String& name, RCPtr<LMidiCapturePort>& port);
  SVRESULT FindOrReopenRenderPort(const String& listedName, RCPtr<LMidiRenderPort>& port);
  RCPtr<LMidiCapturePort> OpenNewCapturePort(const String& name);
  RCPtr<LMidiRenderPort> OpenNewRenderPort(const String& name);
  template <class Port>
  static RCPtr<Port> FindPortByName(const RCPtrArray<Port, 1, 0>& ports, const String& name);
  template <class Port>
  static void AddToList(RCPtrArray<Port, 1, 0>& ports, const RCPtr<Port>& port);
  template <class Port>
  static SVRESULT RemoveFromList(RCPtrArray<Port, 1, 0>& ports, const Port* port);

  int32_t SendShortMessage(LMidiRenderPort& port, const uint8_t* bytes, uint32_t length);
  int32_t SendLongMessage(LMidiRenderPort& port, const void* bytes, uint32_t length);
  bool WaitForCompletion(LMidiRenderPort& port, HMIDIOUT handle);

  std::shared_ptr<MidiServices> mServices;
  RCPtrArray<LMidiCapturePort, 1, 0> mCapturePorts;  // guarded by mPortLock; internal references
  RCPtrArray<LMidiRenderPort, 1, 0> mRenderPorts;    // guarded by mPortLock; internal references
  RCPtr<LThreadPool> mThreadPool;
  mutable Mutex mPortLock;
  std::atomic<int32_t> mGateWaitMilliseconds{kSendWaitMilliseconds};
  std::atomic<int32_t> mCompletionWaitMilliseconds{kSendWaitMilliseconds};
};

}  // namespace SV
