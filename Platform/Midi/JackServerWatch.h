#pragma once
#include <atomic>
#include <chrono>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

typedef struct _jack_client jack_client_t;

namespace Platform::Midi {

// A JACK client of our own that tells whether the JACK server it reached is still
// running. Created only when a server answers; the server name comes from the
// environment (JACK_DEFAULT_SERVER) as for every JACK client of the process. The
// JACK library's own messages are silenced for the whole process. Connect and the
// destructor take JackClientLock: call them without holding it.
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

  // The full names of the MIDI ports there now, in the server's order: those that
  // send (JACK's output ports, which our inputs read) or those that receive. Reads the
  // server's graph in this process. Any thread.
  std::vector<std::string> MidiPortNames(bool sending) const;

  // The full names of the ports connected to the port of that full name ("client:port");
  // none when no such port is there. Reads the server's graph in this process, without
  // a request to the server. Any thread.
  std::vector<std::string> ConnectionsOf(const std::string& portName) const;
  // Whether both ports are there and connected to each other. A port that leaves
  // takes its connections with it, also when a port of the same name comes back.
  // Reads as ConnectionsOf does. Any thread.
  bool AreConnected(const std::string& portName, const std::string& otherPortName) const;

  // Silences the messages the JACK library writes to the terminal (process-wide,
  // once).
  static void SilenceLibraryMessages();

private:
  explicit JackServerWatch(jack_client_t* client);
  static void OnShutdown(void* watch);

  jack_client_t* mClient;
  std::atomic<bool> mServerGone{false};
  mutable std::mutex mQueryMutex;  // one look at the graph at a time
};

}  // namespace Platform::Midi
