#pragma once
#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <mutex>

#include "Panel/Engine/PresetEditorCommon/ControllerMessages.h"
#include "Panel/Engine/PresetEditorCommon/MidiDeviceStatusChecker.h"
#include "SVFramework/Midi/MidiCommInterface.h"
#include "SVFramework/ObjectBase/RefCountedObject.h"
#include "SVFramework/Threads/EventGatedThreader.h"
#include "SVFramework/Threads/LEvent.h"
#include "SVFramework/Threads/Mutex.h"
#include "SVFramework/Threads/ThreadWorker.h"
#include "SVFramework/Threads/TrafficLight.h"
#include "SVFramework/Utilities/Storage/StringArrayT.h"
#include "SVFramework/Utilities/Storage/StringT.h"
#include "SVFramework/notification/NotificationClient.h"
#include "SVFramework/notification/NotificationDistributor.h"
#include "SVFramework/notification/NotificationHandler.h"

namespace SV {

// The controller's protocol: opens the controller's MIDI ports ("Corvex", then
// "Corvex USB") through the port manager, gets the controller's preset into the
// engine (GetRootModuleEngine), sends the engine's preset and the global settings,
// asks for the firmware version, and watches the ports come and go (presence
// polling; each change closes and reopens the ports).
//
// Thread rules: every request, and everything else public except where said, is
// for the UI thread, and blocks it until done: a send waits for the port manager
// (bounded there), a request for a reply at most four times the reply wait. Replies
// are handled on the port manager's worker, a dump only while Get Preset waits for
// it and an Identity Reply only while the firmware request does; presence is checked
// on a polling thread of the manager's own. Requests leave polling alone, neither
// waiting for a check nor starting one: a check only lists devices and posts, and
// the ports change only on the UI thread, in the idle pass. The handler table
// is used under the dispatch lock (a reply is never handled while its binding is
// added or removed); the firmware text under the reply lock; the port fields are
// written under the ports lock, which the polling thread reads them under.
// Results: a negative result is a failure, never a success in disguise.
class LMidiManager : public LNotificationClient, public LNotificationDistributor, public LThreadWorker {
public:
  static constexpr int32_t kReplyWaitMilliseconds = 1000;
  static constexpr int32_t kRequestAttempts = 4;
  static constexpr int32_t kPollIntervalMilliseconds = 500;
  // Get Preset's result when no dump came after every attempt.
  static constexpr SVRESULT kNoReply = -3;
  // Every failed send, and a request without open ports.
  static constexpr SVRESULT kSendFailed = -1;

  // A manager on the default MIDI services whose Initialize has run: ports opened,
  // presence watching ready (polling off until ResumeStatusPolling).
  static RCPtr<LMidiManager> Create();
  ~LMidiManager() override;

  // Builds the handler table, the port manager, the status checker (watching the
  // port names on both sides) and the polling thread, binds the two presence
  // notifications of the "application" center, and opens the ports. E_FAIL when a
  // part could not be made (the rest is then not done), else 0.
  SVRESULT Initialize();

  // Sends the engine's 24 values as one preset message; no reply is awaited. The
  // number of bytes sent (32); -1 when the output port is not open, a value cannot
  // be sent (0x80 or more: a status byte to the controller) or the send failed
  // (ports gone, completion not confirmed in time); E_NOTIMPL for a packed-array
  // value, E_FAIL for another value that is not a one-byte buffer or when there is
  // no engine. Nothing is sent when the result is negative.
  SVRESULT SendPresetToDevice(int32_t unused);
  // Asks the controller for its preset and writes the dump's 24 values into the
  // engine, which announces the changed ones. 0 when a dump arrived; -1 without open
  // ports or when a send failed; -3 when no dump came after four attempts. A failed
  // binding of the reply handler raises SV::Exception<SV::FailedResultException>.
  SVRESULT GetPresetFromMidiDevice(int32_t unused);
  // Sends one global setting ("WHITE KEY CURVE", "BLACK KEY CURVE" 0 to 6; "WHITE KEY
  // SENSITIVITY", "BLACK KEY SENSITIVITY" 0 to 100). The number of bytes sent (9);
  // -1 when not connected, for any other name or value (nothing is sent), or when
  // the send failed.
  SVRESULT SendNonPresetParameter(String name, int32_t value, int32_t unused);
  // Binds and unbinds the reply handler around nothing: no message exists for such
  // a request. 0, or E_FAIL when not connected.
  SVRESULT RequestNonPresetParameterFromDevice(String name, int32_t unused);
  // Sends the bytes as they are, unframed and without pausing polling, once a check
  // finds every watched output present. -1 otherwise, else the port manager's result.
  SVRESULT SendRawMessage(const IArray<signed char>& bytes);
  // Asks for the firmware version up to four times; 0 with the text ("01.12") in
  // `version`; E_FAIL when not connected (`version` untouched) or no reply came to the
  // last attempt; -1 when the last attempt's send failed. A preset dump that arrives
  // meanwhile is not asked for and changes nothing.
  SVRESULT RequestFirmwareVersion(String& version);
  // Sends up to four Identity Requests and waits on a signal that no reply turns
  // green: false. False at once when not connected.
  bool IsDeviceFirmwareVersionUseable();
  // Both ports open.
  bool IsConnected() const;
  // 1 when both were open; otherwise opens each by the first name that yields a
  // port: 0 when both are open now, else E_FAIL.
  SVRESULT OpenPorts();
  // Lets go of both ports. 0.
  SVRESULT ClosePorts();
  // Sends the Identity Request through the port: E_FAIL for no port, else SendSysEx's
  // result.
  SVRESULT SendIdentityRequest(RCPtr<LRefCountedObject> port);
  // Frames the message in place (F0 in front, F7 at the end, when missing) and sends
  // it. The number of bytes sent; -1 without a port
  // or port manager; E_FAIL for an empty message or a single F0 or F7; E_INVALIDARG
  // for a byte of 0x80 or more inside the body; or the port manager's failure code.
  SVRESULT SendSysEx(IArray<signed char>& message, const RCPtr<LRefCountedObject>& port);

  // Presence polling. Pause: 1 when it was off; otherwise 0 once no check runs, and
  // none starts until Resume. Resume: 1 when it was on; otherwise 0, and a check
  // starts at once, then every 500 ms.
  SVRESULT PauseStatusPolling();
  SVRESULT ResumeStatusPolling();
  bool IsStatusPollingOn() const;
  // Runs of the poll so far (checks and skipped runs). Any thread.
  uint32_t GetPollCount() const { return mPollCount.load(); }

  // The poll, on the polling thread: checks the inputs, then the outputs, then
  // whether the ports this manager holds still have their device, unless polling is
  // off or a pause is in progress. 0.
  SVRESULT Run(const RCPtr<LRefCountedObject>& argument) override;
  SVRESULT PollDeviceStatus() { return Run(NullObjectPtr()); }

  // Dispatches through the handler table while receiving is enabled.
  int32_t Receive(const RCPtr<LNotificationDistributor>& source, const RCPtr<LNotification>& notification) override;
  SVRESULT UnsubscribeVirtual(const RCPtr<LNotificationDistributor>& source, const char16_t* idText) override;
  // Leaves every distributor, gives back the polling thread's reference and stops
  // the thread.
  SVRESULT ReleaseInternalReferences() override;

  // "Corvex", then "Corvex USB", made afresh.
  static StringArrayT<char16_t, char> GetPortNames();

  // The reply wait of each attempt (tests only; kReplyWaitMilliseconds otherwise).
  void SetReplyWait(int32_t milliseconds) { mReplyWaitMilliseconds.store(milliseconds); }
  RCPtr<LMidiCommInterface> GetPortManager() const { return mPortManager; }
  RCPtr<LMidiDeviceStatusChecker> GetStatusChecker() const { return mStatusChecker; }
  RCPtr<LRefCountedObject> GetInputPort() const { return mInputPort; }
  RCPtr<LRefCountedObject> GetOutputPort() const { return mOutputPort; }

private:
  using Handler = LNotificationHandler<LMidiManager>;

  LMidiManager() = default;

  // The reply handler, on the port manager's worker. Returns 1.
  int32_t OnMidiDataCaptured(const RCPtr<LNotificationDistributor>& source, const RCPtr<LNotification>& notification);
  // Reopens the ports, on the UI thread in the idle pass. Returns 1.
  int32_t OnDeviceStatusChanged(const RCPtr<LNotificationDistributor>& source,
                                const RCPtr<LNotification>& notification);
  void TakePresetDump(const IArray<signed char>& message);
  // Posts a status notification for a held port whose device has gone although a
  // device of its name is listed (it went and came back between two looks), seen so
  // by two looks in a row, once per such port, so that the idle pass opens the ports
  // again. Polling thread.
  void LookAtHeldPorts();
  using PresenceLook = bool (*)(const RCPtr<LMidiCommInterface>&, const String&);
  // What the looks at one held port found: the handle found gone (its name listed) by
  // the last look, and the one last announced.
  struct HeldPortWatch {
    uintptr_t suspected = 0;
    uintptr_t reported = 0;
  };
  template <class Port>
  void LookAtHeldPort(const RCPtr<LRefCountedObject>& held, const Array<LMidiDeviceStatusChecker::DeviceInfo>& watched,
                      PresenceLook isPresent, const char16_t* idText, HeldPortWatch& seen);
  void SetPorts(RCPtr<LRefCountedObject> input, RCPtr<LRefCountedObject> output);

  void TakeIdentityReply(const IArray<signed char>& message);

  void BindReplyHandler(const char* function);
  void UnbindReplyHandler(const char* function);
  SVRESULT SendPreset(const Array<ParamValue>& values);
  // Sends the request up to the attempt count and waits for the signal after each
  // send; kNoReply when it stayed red, a negative send result when a send failed
  // (and `stopOnSendFailure`), else 0.
  template <class SendRequest>
  SVRESULT RunAttempts(TrafficLight& reply, bool stopOnSendFailure, SendRequest sendRequest);
  bool WaitForReply(TrafficLight& reply);

  mutable Mutex mDispatchLock;  // guards the handler table; held while a binding runs
  RCPtr<Handler> mHandler;
  RCPtr<LMidiCommInterface> mPortManager;
  TrafficLight mPresetReply;
  TrafficLight mNonPresetReply;
  TrafficLight mFirmwareCheck;
  TrafficLight mIdentityReply;
  mutable Mutex mPortsLock;             // guards the writes of the two port fields
  RCPtr<LRefCountedObject> mOutputPort;  // written on the UI thread only
  RCPtr<LRefCountedObject> mInputPort;   // written on the UI thread only
  RCPtr<LMidiDeviceStatusChecker> mStatusChecker;
  RCPtr<LEventGatedThreader> mPollingThreader;
  RCPtr<LEvent> mPollingEvent;

  // Presence polling: a pause waits, under mPollLock, until no check runs.
  mutable std::mutex mPollLock;
  std::condition_variable mPollChanged;
  bool mPollingOn = false;    // guarded by mPollLock
  bool mPollSkip = false;     // a pause is in progress; guarded by mPollLock
  bool mCheckRunning = false;  // guarded by mPollLock
  std::atomic<uint32_t> mPollCount{0};
  HeldPortWatch mHeldInput;   // polling thread only
  HeldPortWatch mHeldOutput;  // polling thread only

  // The firmware text is written only while a request waits for it.
  mutable Mutex mReplyLock;
  String mFirmwareVersion;         // guarded by mReplyLock
  bool mAwaitingIdentity = false;  // guarded by mReplyLock
  std::atomic<bool> mAwaitingPreset{false};

  std::atomic<bool> mReceivingEnabled{false};
  std::atomic<int32_t> mReplyWaitMilliseconds{kReplyWaitMilliseconds};
};

}  // namespace SV
