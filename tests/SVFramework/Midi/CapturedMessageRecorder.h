#pragma once
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <thread>
#include <vector>

#include "SVFramework/Midi/MidiCaptureNotificationData.h"
#include "SVFramework/Midi/MidiCommInterface.h"
#include "SVFramework/notification/Notification.h"
#include "SVFramework/notification/NotificationClient.h"

namespace SV::Testing {

// A subscriber to "NID_MIDI_DATA_CAPTURED" for tests: records every captured
// message it receives (bytes, time stamp, port, the notification, the thread it ran
// on) and lets the test wait for them. Receive runs on any thread; the rest on the
// test's.
class CapturedMessageRecorder : public LNotificationClient {
public:
  struct Received {
    std::vector<uint8_t> bytes;
    uint32_t timestamp = 0;
    String portName;
    const LRefCountedObject* port = nullptr;
    const LNotification* notification = nullptr;
    const LNotificationDistributor* source = nullptr;
    std::thread::id thread;
  };

  // A recorder subscribed to the manager's captured messages.
  static RCPtr<CapturedMessageRecorder> SubscribedTo(const RCPtr<LNotificationDistributor>& manager) {
    RCPtr<CapturedMessageRecorder> recorder(new CapturedMessageRecorder);
    recorder->Subscribe(manager, LMidiCommInterface::kMidiDataCapturedID);
    return recorder;
  }

  int32_t Receive(const RCPtr<LNotificationDistributor>& source, const RCPtr<LNotification>& notification) override {
    Received received;
    received.notification = notification.Get();
    received.source = source.Get();
    received.thread = std::this_thread::get_id();
    const auto message = RCPtr<LMidiCaptureNotificationData>::DynamicCastFrom(notification->GetPayload());
    if (message) {
      const auto* data = reinterpret_cast<const uint8_t*>(message->GetData());
      received.bytes.assign(data, data + message->GetCount());
      received.timestamp = message->GetTimestamp();
      received.portName = message->GetPortName();
      received.port = message->GetPort();
    }
    {
      std::lock_guard lock(mMutex);
      mReceived.push_back(std::move(received));
    }
    mChanged.notify_all();
    return 1;
  }

  // Everything received, once at least count messages have come (at most the limit).
  std::vector<Received> WaitFor(size_t count, std::chrono::milliseconds limit = std::chrono::seconds(10)) {
    std::unique_lock lock(mMutex);
    mChanged.wait_for(lock, limit, [&] { return mReceived.size() >= count; });
    return mReceived;
  }

  // The bytes of everything received, once at least count messages have come.
  std::vector<std::vector<uint8_t>> WaitForBytes(size_t count) {
    std::vector<std::vector<uint8_t>> bytes;
    for (const Received& received : WaitFor(count)) bytes.push_back(received.bytes);
    return bytes;
  }

  std::vector<Received> All() {
    std::lock_guard lock(mMutex);
    return mReceived;
  }

private:
  CapturedMessageRecorder() = default;

  std::mutex mMutex;
  std::condition_variable mChanged;
  std::vector<Received> mReceived;
};

// F0, count - 2 data bytes, F7.
inline std::vector<uint8_t> SystemExclusive(size_t count) {
  std::vector<uint8_t> message(count);
  for (size_t index = 0; index < count; ++index) message[index] = static_cast<uint8_t>(index * 5 & 0x7F);
  message.front() = 0xF0;
  message.back() = 0xF7;
  return message;
}

}  // namespace SV::Testing
