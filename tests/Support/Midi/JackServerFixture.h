#pragma once
#include <gtest/gtest.h>

#include <sys/types.h>

#include <chrono>
#include <memory>
#include <string>

namespace Testing::Midi {

// The test servers' sample rate and period, and so the length of their process cycle.
inline constexpr int kJackSampleRate = 48000;
inline constexpr int kJackPeriodFrames = 256;
inline constexpr std::chrono::microseconds kJackCycle{kJackPeriodFrames * 1000000 / kJackSampleRate};

// A JACK server of the test's own: `jackd --no-realtime --sync -d dummy` under a
// name no running server holds, made the default server of this process
// (JACK_DEFAULT_SERVER), and stopped again when the object goes, or when the thread
// that started it ends. The dummy driver needs no sound card. The server is
// synchronous: each cycle waits for every client (up to 10 s), so a client slowed by a
// sanitizer or a loaded machine delays messages instead of losing them. Start and the
// destructor are for the test's main thread.
class JackServer {
public:
  // Starts a server and waits (bounded) until it answers; null with the reason in
  // error when it does not.
  static std::unique_ptr<JackServer> Start(std::string& error);
  ~JackServer();
  JackServer(const JackServer&) = delete;
  JackServer& operator=(const JackServer&) = delete;

  const std::string& Name() const { return mName; }

  // Stops the server now (as the destructor would): its clients see it shut down.
  void Stop();

private:
  JackServer(pid_t process, std::string name, std::string logPath);
  static std::string ReadLog(const std::string& logPath);
  bool WaitUntilAnswering(std::string& error);

  pid_t mProcess;  // -1 once the process has ended
  std::string mName;
  std::string mLogPath;
};

// A test whose every case runs against a fresh JACK server of its own. Such tests
// must not run at the same time as one another (the JACK library fails at random
// when clients of several servers open at once): their suite names begin with
// "Jack" and tests/CMakeLists.txt gives them the ctest resource lock JackServer.
// Objects that
// hold JACK clients must be gone before TearDown (declare them in the test body or
// reset them in the test's own TearDown before calling this one).
class JackServerFixture : public testing::Test {
protected:
  void SetUp() override;
  void TearDown() override;

  std::unique_ptr<JackServer> mServer;
};

}  // namespace Testing::Midi
