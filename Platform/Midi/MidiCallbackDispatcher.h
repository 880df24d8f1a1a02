#pragma once
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <mutex>
#include <thread>
#include <vector>

namespace Platform::Midi {

// One piece of work for the callback thread: a callback message to hand to a
// client, or bytes still to be filled into capture buffers, or a long message whose
// sending has completed.
struct MidiDelivery {
  enum class Kind {
    InputMessage,          // MIM_* message with its parameters, handed on as it is
    InputSystemExclusive,  // bytes to fill into the capture buffers, then MIM_LONGDATA
    OutputMessage,         // MOM_* message with its parameters, handed on as it is
    SendCompleted,         // the long message of send number `sequence` is done
  };
  Kind kind = Kind::InputMessage;
  uint64_t handle = 0;
  uint64_t sequence = 0;  // the input's reset count, or the number of the send
  uint32_t message = 0;
  uintptr_t param1 = 0;
  uintptr_t param2 = 0;
  std::vector<uint8_t> bytes;
};

// The one thread on which a MidiServices calls its clients back. It hands each
// delivery to the handler, one at a time, in the order they were posted; a delivery
// posted for later joins the order when it falls due. Post and PostAt may be called
// from any thread; the handler runs on the dispatcher's thread only.
class MidiCallbackDispatcher {
public:
  using Clock = std::chrono::steady_clock;
  using Handler = std::function<void(MidiDelivery&)>;

  explicit MidiCallbackDispatcher(Handler handler);
  // Stops the thread after the delivery it is handling; the rest is dropped. Must
  // not be called on the dispatcher's thread.
  ~MidiCallbackDispatcher();
  MidiCallbackDispatcher(const MidiCallbackDispatcher&) = delete;
  MidiCallbackDispatcher& operator=(const MidiCallbackDispatcher&) = delete;

  void Post(MidiDelivery delivery);
  void PostAt(Clock::time_point due, MidiDelivery delivery);

  // Returns when every delivery posted before the call (not those posted for later
  // and not yet due) has been handled. Returns at once on the dispatcher's thread.
  void WaitUntilHandled();

  bool IsDispatcherThread() const;

private:
  void Run();
  void MoveDueDeliveries(Clock::time_point now);

  Handler mHandler;
  std::mutex mMutex;  // guards everything below; never held while the handler runs
  std::condition_variable mChanged;
  std::deque<MidiDelivery> mQueue;
  std::multimap<Clock::time_point, MidiDelivery> mScheduled;
  uint64_t mPosted = 0;
  uint64_t mHandled = 0;
  bool mStopping = false;
  std::thread mThread;
};

}  // namespace Platform::Midi
