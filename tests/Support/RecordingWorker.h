#pragma once
#include <atomic>
#include <functional>
#include <memory>

#include "SVFramework/Threads/Event.h"
#include "SVFramework/Threads/ThreadWorker.h"

namespace SV::Testing {

// A job that counts its runs, signals `ran` after each, runs `onRun` first when
// set, and signals the event it was given when it is destroyed, so tests can wait
// for its release instead of guessing.
class RecordingWorker : public LThreadWorker {
public:
  explicit RecordingWorker(std::shared_ptr<Event> destroyed = nullptr) : mDestroyed(std::move(destroyed)) {}
  ~RecordingWorker() override {
    if (mDestroyed)
      mDestroyed->Set();
  }

  SVRESULT Run(const RCPtr<LRefCountedObject>& argument) override {
    lastArgument = argument.Get();
    if (onRun)
      onRun();
    runs.fetch_add(1);
    ran.Set();
    return S_OK;
  }

  std::function<void()> onRun;
  std::atomic<int> runs{0};
  std::atomic<LRefCountedObject*> lastArgument{nullptr};
  Event ran{true};

private:
  std::shared_ptr<Event> mDestroyed;
};

// A shared object that signals an event when it is destroyed.
class WatchedObject : public virtual LRefCountedObject {
public:
  explicit WatchedObject(std::shared_ptr<Event> destroyed) : mDestroyed(std::move(destroyed)) {}
  ~WatchedObject() override { mDestroyed->Set(); }

private:
  std::shared_ptr<Event> mDestroyed;
};

}  // namespace SV::Testing
