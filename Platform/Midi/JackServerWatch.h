#pragma once
#include <atomic>
#include <chrono>
#include <memory>
#include <optional>
#include <string>

typedef struct _jack_client jack_client_t;

namespace Platform::Midi {

// A JACK client of our own that tells whether the JACK server it reached is still
// running. Created only when a server answers; the server name comes from the
// environment (JACK_DEFAULT_SERVER) as for every JACK client of the process. The
// JACK library's own messages are silenced for the whole process.
class JackServerWatch {
public:
  // A watch on the running server, or null when none answers (no server is started).
  static std::unique_ptr<JackServerWatch> Connect(const std::string& clientName);
  ~JackServerWatch();
  JackServerWatch(const JackServerWatch&) = delete;
  JackServerWatch& operator=(const JackServerWatch&) = delete;

  // True once the server has shut down or dropped this client. Any thread.
  bool ServerGone() const { return mServerGone.load(); }

  // Returns once a process cycle has begun after the call, so that connections made
  // before it are in effect (a message queued during the cycle that was running
  // when they were made could otherwise still go out by the old connections). Waits
  // at most the limit.
  void WaitForNextCycle(std::chrono::milliseconds limit) const;

  // What tells the port of that full name ("client:port") from every other port that
  // has had or will have the name: its client's and its own JACK identifiers, as
  // text. A client that leaves and comes back under the same name is a new client to
  // the server, so its ports get a new stamp, though JACK may hand them the same port
  // identifier. Nothing when no such port is there. Not for two threads at once.
  std::optional<std::string> PortStamp(const std::string& portName) const;

  // Silences the messages the JACK library writes to the terminal (process-wide,
  // once).
  static void SilenceLibraryMessages();

private:
  explicit JackServerWatch(jack_client_t* client);
  static void OnShutdown(void* watch);

  jack_client_t* mClient;
  std::atomic<bool> mServerGone{false};
};

}  // namespace Platform::Midi
