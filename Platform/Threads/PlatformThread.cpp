#include "Platform/Threads/PlatformThread.h"

#include <pthread.h>
#include <sys/resource.h>
#include <unistd.h>

#include <condition_variable>
#include <mutex>
#include <system_error>

#include "Platform/Threads/WaitDeadline.h"

namespace SV::Platform {

namespace {

// The nice value that stands for a priority level; lower runs sooner.
bool NiceValueForPriority(int32_t level, int* nice) {
  switch (level) {
    case PlatformThread::PriorityIdle: *nice = 19; return true;
    case PlatformThread::PriorityLowest: *nice = 10; return true;
    case PlatformThread::PriorityBelowNormal: *nice = 5; return true;
    case PlatformThread::PriorityNormal: *nice = 0; return true;
    case PlatformThread::PriorityAboveNormal: *nice = -5; return true;
    case PlatformThread::PriorityHighest: *nice = -10; return true;
    case PlatformThread::PriorityTimeCritical: *nice = -15; return true;
    default: return false;
  }
}

// Best effort: without the privilege to raise a priority the system refuses, and
// the thread simply keeps the one it has.
void ApplyPriority(pid_t kernelThreadId, int32_t level) {
  int nice = 0;
  if (NiceValueForPriority(level, &nice))
    (void)setpriority(PRIO_PROCESS, static_cast<id_t>(kernelThreadId), nice);
}

std::string CutName(std::string_view name) {
  if (name.size() <= PlatformThread::MaximumNameLength)
    return std::string(name);
  size_t length = PlatformThread::MaximumNameLength;
  while (length > 0 && (static_cast<unsigned char>(name[length]) & 0xC0) == 0x80)
    --length;
  return std::string(name.substr(0, length));
}

}  // namespace

struct PlatformThread::SharedState {
  enum class Phase { HeldAtGate, Running, Finished, Cancelled };

  std::mutex lock;  // guards every field below
  std::condition_variable phaseChanged;
  Phase phase = Phase::HeldAtGate;
  std::function<void()> entry;  // touched only by the thread once it exists
  pid_t kernelThreadId = 0;     // 0 until the thread has started
  int32_t priority = PriorityNormal;
  std::string name;
};

PlatformThread::PlatformThread(std::function<void()> entry, std::string_view name) {
  auto state = std::make_shared<SharedState>();
  state->entry = std::move(entry);
  state->name = CutName(name);
  try {
    mThread = std::thread(&PlatformThread::RunThread, state);
  } catch (const std::system_error&) {
    return;
  }
  mState = std::move(state);
  mId = mThread.get_id();
}

PlatformThread::~PlatformThread() {
  if (!mThread.joinable())
    return;
  if (JoinableWithoutWaitingLong())
    mThread.join();
  else
    mThread.detach();
}

// Lets a thread still held at the gate go without running its entry; true when
// the thread has nothing left to do but return.
bool PlatformThread::JoinableWithoutWaitingLong() {
  std::lock_guard<std::mutex> guard(mState->lock);
  if (mState->phase == SharedState::Phase::HeldAtGate) {
    mState->phase = SharedState::Phase::Cancelled;
    mState->phaseChanged.notify_all();
  }
  return mState->phase != SharedState::Phase::Running && !IsCurrentThread();
}

void PlatformThread::RunThread(std::shared_ptr<SharedState> state) {
  std::function<void()> entry;
  {
    std::unique_lock<std::mutex> lock(state->lock);
    state->kernelThreadId = gettid();
    if (!state->name.empty())
      pthread_setname_np(pthread_self(), state->name.c_str());
    if (state->priority != PriorityNormal)
      ApplyPriority(state->kernelThreadId, state->priority);
    state->phaseChanged.wait(lock, [&state] { return state->phase != SharedState::Phase::HeldAtGate; });
    if (state->phase == SharedState::Phase::Cancelled)
      return;
    entry = std::move(state->entry);
  }
  entry();
  // Whatever the entry holds is released before anyone learns that it ended.
  entry = nullptr;
  std::lock_guard<std::mutex> guard(state->lock);
  state->phase = SharedState::Phase::Finished;
  state->phaseChanged.notify_all();
}

int32_t PlatformThread::Resume() {
  if (!IsValid())
    return -1;
  std::lock_guard<std::mutex> guard(mState->lock);
  if (mState->phase != SharedState::Phase::HeldAtGate)
    return 0;
  mState->phase = SharedState::Phase::Running;
  mState->phaseChanged.notify_all();
  return 1;
}

bool PlatformThread::SetPriority(int32_t level) {
  int nice = 0;
  if (!IsValid() || !NiceValueForPriority(level, &nice))
    return false;
  std::lock_guard<std::mutex> guard(mState->lock);
  mState->priority = level;
  // Before it has started the thread applies the level itself.
  if (mState->kernelThreadId != 0 && mState->phase != SharedState::Phase::Finished)
    ApplyPriority(mState->kernelThreadId, level);
  return true;
}

int32_t PlatformThread::GetPriority() const {
  if (!IsValid())
    return PriorityNormal;
  std::lock_guard<std::mutex> guard(mState->lock);
  return mState->priority;
}

bool PlatformThread::SetPriorityBoost(bool enabled) {
  return IsValid();
}

bool PlatformThread::SetName(std::string_view name) {
  if (!IsValid())
    return false;
  std::lock_guard<std::mutex> guard(mState->lock);
  mState->name = CutName(name);
  // Before it has started the thread names itself.
  if (mState->kernelThreadId != 0 && mState->phase != SharedState::Phase::Finished)
    pthread_setname_np(mThread.native_handle(), mState->name.c_str());
  return true;
}

std::string PlatformThread::CurrentThreadName() {
  char name[MaximumNameLength + 1] = {};
  if (pthread_getname_np(pthread_self(), name, sizeof name) != 0)
    return std::string();
  return name;
}

WaitResult PlatformThread::Wait(int32_t milliseconds) {
  if (!IsValid() || IsCurrentThread())
    return WaitFailed;
  const WaitDeadline deadline(milliseconds);
  std::unique_lock<std::mutex> lock(mState->lock);
  const bool ended = deadline.WaitUntil(mState->phaseChanged, lock,
                                        [this] { return mState->phase == SharedState::Phase::Finished; });
  return ended ? WaitSignalled : WaitTimedOut;
}

bool PlatformThread::HasExited() {
  return Wait(0) == WaitSignalled;
}

}  // namespace SV::Platform
