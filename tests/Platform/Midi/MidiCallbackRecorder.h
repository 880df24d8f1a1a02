#pragma once
#include "Platform/Midi/MidiDefinitions.h"

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <mutex>
#include <vector>

namespace Platform::Midi {

// One callback as a client saw it; for headers, what they held at that moment.
struct RecordedCallback {
  uintptr_t handle;
  uint32_t message;
  uintptr_t param1;
  uintptr_t param2;
  std::vector<uint8_t> recorded;  // a header's recorded bytes
  uint32_t flags = 0;             // a header's flags

  MIDIHDR* Header() const { return reinterpret_cast<MIDIHDR*>(param1); }
};

// A client of MidiServices for tests: records every callback and lets the test wait
// for them. An optional reaction runs inside each callback (to re-add a buffer, to
// block the callback thread, ...).
class MidiCallbackRecorder {
public:
  using Reaction = std::function<void(const RecordedCallback&)>;

  static void InputCallback(HMIDIIN handle, uint32_t message, uintptr_t instance, uintptr_t param1,
                            uintptr_t param2) {
    reinterpret_cast<MidiCallbackRecorder*>(instance)->Record(reinterpret_cast<uintptr_t>(handle), message,
                                                              param1, param2);
  }
  static void OutputCallback(HMIDIOUT handle, uint32_t message, uintptr_t instance, uintptr_t param1,
                             uintptr_t param2) {
    reinterpret_cast<MidiCallbackRecorder*>(instance)->Record(reinterpret_cast<uintptr_t>(handle), message,
                                                              param1, param2);
  }

  uintptr_t Instance() { return reinterpret_cast<uintptr_t>(this); }
  void SetReaction(Reaction reaction) {
    std::lock_guard lock(mMutex);
    mReaction = std::move(reaction);
  }

  // The callbacks of that message, once at least count have come (at most 10 s).
  std::vector<RecordedCallback> WaitFor(uint32_t message, size_t count) {
    std::unique_lock lock(mMutex);
    mChanged.wait_for(lock, std::chrono::seconds(10), [&] { return Of(message).size() >= count; });
    return Of(message);
  }

  std::vector<RecordedCallback> All() {
    std::lock_guard lock(mMutex);
    return mCallbacks;
  }

  std::vector<RecordedCallback> AllOf(uint32_t message) {
    std::lock_guard lock(mMutex);
    return Of(message);
  }

private:
  void Record(uintptr_t handle, uint32_t message, uintptr_t param1, uintptr_t param2) {
    RecordedCallback callback{handle, message, param1, param2, {}, 0};
    const bool hasHeader = message == MIM_LONGDATA || message == MIM_LONGERROR || message == MOM_DONE;
    if (hasHeader && param1 != 0) {
      const MIDIHDR& header = *callback.Header();
      callback.recorded.assign(header.lpData, header.lpData + header.dwBytesRecorded);
      callback.flags = header.dwFlags;
    }
    Reaction reaction;
    {
      std::lock_guard lock(mMutex);
      mCallbacks.push_back(callback);
      reaction = mReaction;
    }
    mChanged.notify_all();
    if (reaction) reaction(callback);
  }

  std::vector<RecordedCallback> Of(uint32_t message) const {
    std::vector<RecordedCallback> found;
    for (const RecordedCallback& callback : mCallbacks) {
      if (callback.message == message) found.push_back(callback);
    }
    return found;
  }

  std::mutex mMutex;
  std::condition_variable mChanged;
  std::vector<RecordedCallback> mCallbacks;
  Reaction mReaction;
};

}  // namespace Platform::Midi
