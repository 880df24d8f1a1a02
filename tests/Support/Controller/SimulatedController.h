#pragma once
#include "Platform/Midi/FakeMidiBackend.h"
#include "tests/Support/Controller/ControllerCore.h"
#include "tests/Support/Controller/ControllerTransport.h"
#include "tests/Support/Controller/ReplyBehaviour.h"

#include <chrono>
#include <condition_variable>
#include <cstddef>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace Testing::Controller {

// A stand-in for the controller in tests, as the editor sees it over MIDI: ports named
// like the controller's (on the fake backend or as a JACK client), answering the
// get-preset request with a dump of its 24 values and the Identity Request with a
// 35-byte Identity Reply carrying its firmware version, storing the presets and
// recording the global settings it is sent (see ControllerCore). The test tells it how
// to answer (silent, late, twice, malformed, truncated, with real-time bytes inside,
// during the request) and unplugs and plugs it in again.
//
// Every operation may be called from any thread. Replies that are not sent during the
// request go out from the controller's own thread, in the order they fall due;
// unplugging drops those not yet sent.
class SimulatedController {
public:
  static constexpr std::chrono::milliseconds kWaitLimit{10000};

  // Adds its ports, under the name, to the fake backend.
  static std::unique_ptr<SimulatedController> OnFakeBackend(
      std::shared_ptr<Platform::Midi::FakeMidiBackend> backend, std::u16string portName = u"Corvex");
  // Joins the process's default JACK server as a client of that name; null, with the
  // reason in error, when it cannot.
  static std::unique_ptr<SimulatedController> OnJack(std::string& error, std::string clientName = "Corvex");

  // Stops receiving, stops its thread and unplugs the controller.
  ~SimulatedController();
  SimulatedController(const SimulatedController&) = delete;
  SimulatedController& operator=(const SimulatedController&) = delete;

  void SetPreset(const Preset& preset);
  Preset GetPreset() const;
  void SetFirmware(const Firmware& firmware);

  // How it answers both requests, or one of them, from now on.
  void SetBehaviour(const ReplyBehaviour& behaviour);
  void SetBehaviour(ControllerRequest request, const ReplyBehaviour& behaviour);
  // How it answers the next `count` requests of that kind; then as set before.
  void SetBehaviourForNext(ControllerRequest request, int count, const ReplyBehaviour& behaviour);

  // Sends a message of its own, unasked (a dump from its front panel, stray bytes);
  // false while unplugged.
  bool SendMessage(const Bytes& message);

  // Unplugs it: its ports vanish and replies not yet sent are dropped.
  void Disappear();
  // Plugs it in again; false, with the reason, when its ports could not appear.
  bool ComeBack(std::string& error);
  bool IsPresent() const;

  // What it has seen and done.
  size_t RequestCount(ControllerRequest request) const;
  size_t PresetsStored() const;
  std::vector<GlobalSettingRecord> GlobalSettings() const;
  std::vector<Bytes> Received() const;
  size_t UnrecognisedCount() const;
  size_t RepliesSent() const;

  // Wait until it has received, or sent as replies, at least `count` messages in all;
  // false when the limit passed first.
  bool WaitForReceived(size_t count, std::chrono::milliseconds limit = kWaitLimit) const;
  bool WaitForRepliesSent(size_t count, std::chrono::milliseconds limit = kWaitLimit) const;

  // The transport, for tests that need its details (the fake ports' ids).
  ControllerTransport& Transport() { return *mTransport; }

private:
  using Clock = std::chrono::steady_clock;

  SimulatedController();
  bool Start(std::unique_ptr<ControllerTransport> transport, std::string& error);
  ControllerTransport::Receiver MakeReceiver();
  void OnMessage(const Bytes& message);
  void SendReplies();

  mutable std::mutex mMutex;  // guards what follows; never held while the transport sends
  mutable std::condition_variable mChanged;  // a message received or a reply sent
  std::condition_variable mScheduleChanged;
  ControllerCore mCore;
  std::multimap<Clock::time_point, Bytes> mScheduled;  // equal times keep their order
  size_t mRepliesSent = 0;
  bool mStopping = false;

  std::unique_ptr<ControllerTransport> mTransport;
  std::thread mResponder;
};

}  // namespace Testing::Controller
