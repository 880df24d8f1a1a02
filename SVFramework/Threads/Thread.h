#pragma once
#include <cstdint>
#include <functional>
#include <memory>

namespace SV {

namespace Platform {
class PlatformThread;
}

// One platform thread, created held before its entry function so that its priority
// and name can be set before Resume. When the thread cannot be created every
// operation fails quietly (false, or -1 from Resume). Destroying the object neither
// waits for nor ends the thread. Any thread may call the operations, also at the
// same time; only the destruction must not overlap another call. Not copyable.
class Thread {
public:
  using EntryFunction = uint32_t (*)(void* parameter);

  // The platform's thread priority levels that the system uses.
  static constexpr int32_t PriorityNormal = 0;
  static constexpr int32_t PriorityHighest = 2;

  Thread(EntryFunction entry, void* parameter);
  // For framework code whose entry shares ownership with the thread.
  explicit Thread(std::function<void()> entry);
  virtual ~Thread();
  Thread(const Thread&) = delete;
  Thread& operator=(const Thread&) = delete;

  // Lets the thread run: 1 the first time, 0 afterwards, -1 without a thread.
  int32_t Resume();
  // True when the entry function has returned.
  bool HasExited();
  // True on success; there is no dynamic boost here to change.
  bool SetPriorityBoost(bool enable);
  // One of the platform's levels (0 normal, 2 highest); true on success.
  bool SetPriority(int32_t level);
  // True when the thread ended within `milliseconds` (negative: no limit). Always
  // false on the thread itself, which cannot see its own end.
  bool Wait(int32_t milliseconds);
  // The name that the debugger shows, in UTF-8 (cut to 15 bytes).
  bool SetName(const char* name);
  // True when the caller runs on this thread.
  bool IsCurrentThread() const;

private:
  std::unique_ptr<Platform::PlatformThread> mRecord;  // null when creation failed
};

}  // namespace SV
