#pragma once
#include <chrono>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

namespace Platform::SingleInstance {

class HandOverServer;

enum class HandOverResult {
  kDelivered,   // the first instance acknowledged the command line
  kNotSent,     // empty, not UTF-8 or longer than one message: nothing was sent
  kNoInstance,  // no first instance accepted the connection within the limit
  kNoAnswer,    // sent, but no acknowledgement came within the limit
};

// Makes sure one instance runs per user: a lock file and a local socket in a folder
// private to the user. The first instance holds the lock and listens; a later one
// hands its command line over and ends. A lock left by a crashed instance is taken
// over. Create, use and destroy it on the thread that runs the Qt event loop (the UI
// thread); the first instance's texts arrive there, from that loop.
class SingleInstance {
public:
  struct Options {
    std::string folder;  // the lock's and socket's folder; DefaultFolder() when empty
    std::string name;    // the file names' stem
    // Bounds the second instance's connect, send and acknowledgement together, and
    // how long the first instance waits for a connected peer's message.
    std::chrono::milliseconds limit{5000};
  };

  explicit SingleInstance(Options options);
  ~SingleInstance();
  SingleInstance(const SingleInstance&) = delete;
  SingleInstance& operator=(const SingleInstance&) = delete;

  // The user's runtime folder (XDG_RUNTIME_DIR, else Qt's private fallback, mode 0700).
  static std::string DefaultFolder();

  // Takes the lock, taking a stale one over, and starts listening. True when this is
  // the first instance (also when listening failed: starting is never refused); false
  // when another live instance holds the lock.
  bool BecomeFirst();
  // Second instance: sends the command line (UTF-8) to the first instance and waits
  // for its acknowledgement, all within the limit. Blocks the calling thread.
  HandOverResult HandOver(std::string_view commandLine) const;
  // Receives every accepted command line (UTF-8, without the zero) in the first
  // instance, before or after BecomeFirst. Malformed, oversized, late or surplus input is dropped quietly.
  void SetReceiver(std::function<void(const std::string&)> receiver);

  std::string GetLockPath() const;
  std::string GetSocketPath() const;

private:
  Options mOptions;
  std::function<void(const std::string&)> mReceiver;
  std::unique_ptr<HandOverServer> mServer;
};

}  // namespace Platform::SingleInstance
