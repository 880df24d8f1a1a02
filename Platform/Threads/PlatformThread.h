#pragma once
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <thread>

#include "Platform/Threads/WaitResult.h"

namespace SV::Platform {

// One thread of the system. It is created held at a start gate and runs its entry
// function only after Resume, so that its priority and name can be set first.
// Destroying the object never ends the thread: a thread that is still running goes
// on alone, and one that was never resumed is let go without running its entry.
// Any thread may call the operations, also at the same time; only the destruction
// must not overlap another call on the same object.
class PlatformThread {
public:
  using ThreadId = std::thread::id;

  // Thread priority levels: the levels the framework passes. Raising a priority
  // needs privileges here, so a level is recorded and applied as far as allowed.
  static constexpr int32_t PriorityIdle = -15;
  static constexpr int32_t PriorityLowest = -2;
  static constexpr int32_t PriorityBelowNormal = -1;
  static constexpr int32_t PriorityNormal = 0;
  static constexpr int32_t PriorityAboveNormal = 1;
  static constexpr int32_t PriorityHighest = 2;
  static constexpr int32_t PriorityTimeCritical = 15;

  // Longest name the debugger shows, in bytes; longer names are cut at a
  // character boundary.
  static constexpr size_t MaximumNameLength = 15;

  // Creates the thread at its start gate. `name` is UTF-8 and may be empty. When
  // the thread cannot be created IsValid is false and every operation fails
  // quietly.
  explicit PlatformThread(std::function<void()> entry, std::string_view name = {});
  ~PlatformThread();
  PlatformThread(const PlatformThread&) = delete;
  PlatformThread& operator=(const PlatformThread&) = delete;

  bool IsValid() const { return mState != nullptr; }

  // Opens the start gate: 1 when the thread was held there, 0 when it already ran,
  // -1 for an invalid thread.
  int32_t Resume();

  // Records one of the levels above and applies it as far as the system allows (a
  // refusal is ignored); false for an unknown level or an invalid thread.
  bool SetPriority(int32_t level);
  // The level last recorded; PriorityNormal at creation.
  int32_t GetPriority() const;
  // The system has no dynamic priority boost to turn on or off: true for a valid
  // thread, and nothing changes.
  bool SetPriorityBoost(bool enabled);

  // Gives the thread the name the debugger shows (UTF-8, cut to
  // MaximumNameLength bytes); false for an invalid thread.
  bool SetName(std::string_view name);
  // The name the debugger shows for the calling thread (UTF-8, at most
  // MaximumNameLength bytes); any thread, also one not made here.
  static std::string CurrentThreadName();

  // Waits until the entry function has returned and everything it held was
  // released: WaitSignalled or WaitTimedOut. WaitFailed for an invalid thread and
  // when called on the thread itself, which could never see its own end.
  WaitResult Wait(int32_t milliseconds);
  // True when the entry function has returned (a wait of 0 ms succeeds).
  bool HasExited();

  ThreadId GetId() const { return mId; }
  bool IsCurrentThread() const { return IsValid() && mId == CurrentThreadId(); }
  static ThreadId CurrentThreadId() { return std::this_thread::get_id(); }

private:
  struct SharedState;

  static void RunThread(std::shared_ptr<SharedState> state);
  bool JoinableWithoutWaitingLong();

  // Shared with the thread, so that either may end first.
  std::shared_ptr<SharedState> mState;
  std::thread mThread;
  ThreadId mId;
};

}  // namespace SV::Platform
