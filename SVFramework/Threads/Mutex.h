#pragma once
#include <mutex>

namespace SV {

// The one lock type of the system: recursive, so the owning thread may enter again
// (and must leave as often as it entered). Not copyable. Owners document what a
// Mutex guards and in which order it nests with others.
class Mutex {
public:
  Mutex() = default;
  virtual ~Mutex() = default;
  Mutex(const Mutex&) = delete;
  Mutex& operator=(const Mutex&) = delete;

  void Enter() { mSection.lock(); }
  void Leave() { mSection.unlock(); }
  bool TryEnter() { return mSection.try_lock(); }

  // Lets std::lock_guard, std::unique_lock and condition variables use it.
  void lock() { Enter(); }
  void unlock() { Leave(); }
  bool try_lock() { return TryEnter(); }

private:
  std::recursive_mutex mSection;
};

// Holds a Mutex for a scope: enters when built, leaves when destroyed.
class MutexLock {
public:
  explicit MutexLock(Mutex& mutex) : mMutex(mutex) { mMutex.Enter(); }
  ~MutexLock() { mMutex.Leave(); }
  MutexLock(const MutexLock&) = delete;
  MutexLock& operator=(const MutexLock&) = delete;

private:
  Mutex& mMutex;
};

}  // namespace SV
