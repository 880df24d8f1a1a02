#include "Platform/Midi/MidiCallbackDispatcher.h"

namespace Platform::Midi {

MidiCallbackDispatcher::MidiCallbackDispatcher(Handler handler)
    : mHandler(std::move(handler)), mThread([this] { Run(); }) {}

MidiCallbackDispatcher::~MidiCallbackDispatcher() {
  {
    std::lock_guard lock(mMutex);
    mStopping = true;
  }
  mChanged.notify_all();
  mThread.join();
}

void MidiCallbackDispatcher::Post(MidiDelivery delivery) {
  {
    std::lock_guard lock(mMutex);
    mQueue.push_back(std::move(delivery));
    ++mPosted;
  }
  mChanged.notify_all();
}

void MidiCallbackDispatcher::PostAt(Clock::time_point due, MidiDelivery delivery) {
  {
    std::lock_guard lock(mMutex);
    mScheduled.emplace(due, std::move(delivery));
  }
  mChanged.notify_all();
}

void MidiCallbackDispatcher::WaitUntilHandled() {
  if (IsDispatcherThread()) return;
  std::unique_lock lock(mMutex);
  const uint64_t target = mPosted;
  mChanged.wait(lock, [&] { return mHandled >= target || mStopping; });
}

bool MidiCallbackDispatcher::IsDispatcherThread() const {
  return std::this_thread::get_id() == mThread.get_id();
}

void MidiCallbackDispatcher::Run() {
  std::unique_lock lock(mMutex);
  while (!mStopping) {
    MoveDueDeliveries(Clock::now());
    if (mQueue.empty()) {
      if (mScheduled.empty()) {
        mChanged.wait(lock);
      } else {
        mChanged.wait_until(lock, mScheduled.begin()->first);
      }
      continue;
    }
    MidiDelivery delivery = std::move(mQueue.front());
    mQueue.pop_front();
    lock.unlock();
    mHandler(delivery);
    lock.lock();
    ++mHandled;
    mChanged.notify_all();
  }
}

void MidiCallbackDispatcher::MoveDueDeliveries(Clock::time_point now) {
  while (!mScheduled.empty() && mScheduled.begin()->first <= now) {
    mQueue.push_back(std::move(mScheduled.begin()->second));
    mScheduled.erase(mScheduled.begin());
    ++mPosted;
  }
}

}  // namespace Platform::Midi
