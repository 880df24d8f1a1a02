#include "tests/Support/Midi/JackServerFixture.h"

#include <jack/jack.h>

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <thread>
#include <vector>

extern char** environ;

// ThreadSanitizer sees the copies in and out of a JACK ring buffer (RtMidi's JACK
// output queue) but not the memory barriers that order them, for the JACK library
// is not instrumented: those reports are false and are suppressed in every test
// binary that runs against a JACK server. Matching a report against the
// suppression takes long on the JACK process thread the first time, which is why
// the server below runs synchronously (it waits for every client in each cycle, so
// a slow cycle delays messages instead of losing them) with a generous time-out.
extern "C" const char* __tsan_default_suppressions() { return "race:jack_ringbuffer_\n"; }

namespace Testing::Midi {
namespace {

using namespace std::chrono_literals;

constexpr auto kStartLimit = 20s;
constexpr auto kStopLimit = 20s;
constexpr auto kPollInterval = 20ms;
// Milliseconds a client's process callback may take before the server drops it.
constexpr const char* kClientTimeout = "10000";

void IgnoreJackMessage(const char*) {}

std::string UniqueServerName() {
  static std::atomic<int> count{0};
  return "corvex-test-" + std::to_string(getpid()) + "-" + std::to_string(++count);
}

// Whether a client can reach the named server (never starts one).
bool ServerAnswers(const std::string& name) {
  jack_set_error_function(IgnoreJackMessage);
  jack_set_info_function(IgnoreJackMessage);
  jack_status_t status{};
  jack_client_t* client = jack_client_open(
      "readiness-probe", static_cast<jack_options_t>(JackNoStartServer | JackServerName), &status,
      name.c_str());
  if (client == nullptr) return false;
  jack_client_close(client);
  return true;
}

// Waits for the process to end, at most until the limit; true when it ended.
bool WaitForExit(pid_t process, std::chrono::steady_clock::duration limit) {
  const auto deadline = std::chrono::steady_clock::now() + limit;
  while (std::chrono::steady_clock::now() < deadline) {
    if (waitpid(process, nullptr, WNOHANG) == process) return true;
    std::this_thread::sleep_for(kPollInterval);
  }
  return false;
}

}  // namespace

std::unique_ptr<JackServer> JackServer::Start(std::string& error) {
  const std::string name = UniqueServerName();
  const std::string logPath = (std::filesystem::temp_directory_path() / (name + ".log")).string();
  std::vector<std::string> arguments{"jackd", "--no-realtime", "--sync", "-t", kClientTimeout, "-n", name,
                                      "-d", "dummy", "-r", "48000", "-p", "256"};
  std::vector<char*> argv;
  for (std::string& argument : arguments) argv.push_back(argument.data());
  argv.push_back(nullptr);

  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
  posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, logPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
  posix_spawn_file_actions_adddup2(&actions, STDOUT_FILENO, STDERR_FILENO);
  pid_t process = 0;
  const int spawned = posix_spawnp(&process, "jackd", &actions, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  if (spawned != 0) {
    error = "jackd could not be started (is the jackd2 package installed?)";
    return nullptr;
  }
  std::unique_ptr<JackServer> server(new JackServer(process, name, logPath));
  if (!server->WaitUntilAnswering(error)) return nullptr;
  setenv("JACK_DEFAULT_SERVER", name.c_str(), 1);
  setenv("JACK_NO_START_SERVER", "1", 1);
  return server;
}

JackServer::JackServer(pid_t process, std::string name, std::string logPath)
    : mProcess(process), mName(std::move(name)), mLogPath(std::move(logPath)) {}

JackServer::~JackServer() {
  Stop();
  unlink(mLogPath.c_str());
}

void JackServer::Stop() {
  if (mProcess <= 0) return;
  kill(mProcess, SIGTERM);
  if (!WaitForExit(mProcess, kStopLimit)) {
    kill(mProcess, SIGKILL);
    waitpid(mProcess, nullptr, 0);
  }
  mProcess = -1;
}

bool JackServer::WaitUntilAnswering(std::string& error) {
  const auto deadline = std::chrono::steady_clock::now() + kStartLimit;
  while (std::chrono::steady_clock::now() < deadline) {
    if (ServerAnswers(mName)) return true;
    int status = 0;
    if (waitpid(mProcess, &status, WNOHANG) == mProcess) {
      mProcess = -1;
      error = "jackd ended at start-up:\n" + ReadLog(mLogPath);
      return false;
    }
    std::this_thread::sleep_for(kPollInterval);
  }
  error = "jackd did not answer within the time limit:\n" + ReadLog(mLogPath);
  return false;
}

std::string JackServer::ReadLog(const std::string& logPath) {
  std::ifstream log(logPath);
  std::ostringstream text;
  text << log.rdbuf();
  return text.str();
}

void JackServerFixture::SetUp() {
  std::string error;
  mServer = JackServer::Start(error);
  ASSERT_NE(mServer, nullptr) << error;
}

void JackServerFixture::TearDown() { mServer.reset(); }

}  // namespace Testing::Midi
