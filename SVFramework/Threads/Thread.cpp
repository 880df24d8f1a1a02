#include "SVFramework/Threads/Thread.h"

#include "Platform/Threads/PlatformThread.h"

namespace SV {

using Platform::PlatformThread;

Thread::Thread(EntryFunction entry, void* parameter)
    : Thread(std::function<void()>([entry, parameter] { entry(parameter); })) {}

Thread::Thread(std::function<void()> entry) : mRecord(std::make_unique<PlatformThread>(std::move(entry))) {
  if (!mRecord->IsValid())
    mRecord.reset();
}

Thread::~Thread() = default;

int32_t Thread::Resume() {
  return mRecord ? mRecord->Resume() : -1;
}

bool Thread::HasExited() {
  return mRecord && mRecord->HasExited();
}

bool Thread::SetPriorityBoost(bool enable) {
  return mRecord && mRecord->SetPriorityBoost(enable);
}

bool Thread::SetPriority(int32_t level) {
  return mRecord && mRecord->SetPriority(level);
}

bool Thread::Wait(int32_t milliseconds) {
  return mRecord && mRecord->Wait(milliseconds) == Platform::WaitSignalled;
}

bool Thread::SetName(const char* name) {
  return mRecord && name && mRecord->SetName(name);
}

bool Thread::IsCurrentThread() const {
  return mRecord && mRecord->IsCurrentThread();
}

}  // namespace SV
