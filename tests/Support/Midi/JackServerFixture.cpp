#include "tests/Support/Midi/JackServerFixture.h"

#include "Platform/Midi/JackClientLock.h"

#include <jack/jack.h>

#include <fcntl.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <mutex>
#include <sstream>
#include <thread>
#include <utility>
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

// The command lines of the jackd processes running on this machine, each ending in
// a blank.
std::vector<std::string> JackdCommandLines() {
  std::vector<std::string> lines;
  std::error_code ignored;
  for (const auto& entry : std::filesystem::directory_iterator("/proc", ignored)) {
    std::ifstream comm(entry.path() / "comm");
    std::string name;
    if (!std::getline(comm, name) || name != "jackd") continue;
    std::ifstream cmdline(entry.path() / "cmdline");
    std::string line((std::istreambuf_iterator<char>(cmdline)), std::istreambuf_iterator<char>());
    std::replace(line.begin(), line.end(), '\0', ' ');
    lines.push_back(line + " ");
  }
  return lines;
}

bool AnyJackdRunning() { return !JackdCommandLines().empty(); }

// JACK keeps every server in a table of eight entries in shared memory. A server that
// was killed leaves its entry behind, and JACK takes such an entry back only for a
// server of the same name. So test servers take their names from a fixed set of
// eight, the first that no running server holds: a killed server's entry is taken
// back by the next server of its name, where unique names would fill the table.
std::string FreeServerName() {
  const std::vector<std::string> running = JackdCommandLines();
  for (int slot = 0; slot < 8; ++slot) {
    const std::string name = "corvex-test-" + std::to_string(slot);
    const auto holds = [&](const std::string& line) { return line.find(" " + name + " ") != std::string::npos; };
    if (std::none_of(running.begin(), running.end(), holds)) return name;
  }
  return "corvex-test-" + std::to_string(getpid());
}

// JACK registers every server in a table of eight entries in shared memory, and a
// server that was killed (a test process ended by a time-out) leaves its entry
// behind; once eight are left, no server starts again on this machine. While no
// JACK server runs at all, what lies in shared memory is stale, so it is removed,
// once per process and before this process has mapped it (the JACK library keeps
// its first mapping of the table for the life of the process).
void RemoveStaleJackStateWhenNoServerRuns() {
  static bool done = false;
  if (std::exchange(done, true) || AnyJackdRunning()) return;
  std::error_code ignored;
  for (const auto& entry : std::filesystem::directory_iterator("/dev/shm", ignored)) {
    const std::string name = entry.path().filename().string();
    if (name.rfind("jack", 0) == 0 || name.rfind("sem.jack", 0) == 0) std::filesystem::remove(entry.path(), ignored);
  }
}

// Whether a client can reach the named server (never starts one).
bool ServerAnswers(const std::string& name) {
  jack_set_error_function(IgnoreJackMessage);
  jack_set_info_function(IgnoreJackMessage);
  std::lock_guard lock(Platform::Midi::JackClientLock());
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

std::string FindJackd() {
  const char* path = getenv("PATH");
  std::string folders = path != nullptr ? path : "/usr/bin:/bin";
  size_t begin = 0;
  while (begin <= folders.size()) {
    const size_t end = std::min(folders.find(':', begin), folders.size());
    const std::string candidate = folders.substr(begin, end - begin) + "/jackd";
    if (access(candidate.c_str(), X_OK) == 0) return candidate;
    begin = end + 1;
  }
  return {};
}

// Starts the program with its output going to the log. The child is stopped by the
// kernel when the thread that started it ends, so that a test process that dies
// (a sanitizer halting it, a time-out) leaves no server behind. Between fork and
// exec the child calls only functions that are safe there.
pid_t Spawn(const std::string& path, std::vector<std::string>& arguments, const std::string& logPath) {
  std::vector<char*> argv;
  for (std::string& argument : arguments) argv.push_back(argument.data());
  argv.push_back(nullptr);
  const int log = open(logPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
  const int input = open("/dev/null", O_RDONLY | O_CLOEXEC);
  if (log < 0 || input < 0) return -1;
  const pid_t parent = getpid();
  const pid_t process = fork();
  if (process == 0) {
    prctl(PR_SET_PDEATHSIG, SIGTERM);
    if (getppid() != parent) _exit(1);
    dup2(input, STDIN_FILENO);
    dup2(log, STDOUT_FILENO);
    dup2(log, STDERR_FILENO);
    execve(path.c_str(), argv.data(), environ);
    _exit(127);
  }
  close(log);
  close(input);
  return process;
}

}  // namespace

std::unique_ptr<JackServer> JackServer::Start(std::string& error) {
  const std::string path = FindJackd();
  if (path.empty()) {
    error = "jackd was not found (is the jackd2 package installed?)";
    return nullptr;
  }
  RemoveStaleJackStateWhenNoServerRuns();
  const std::string name = FreeServerName();
  const std::string logPath = (std::filesystem::temp_directory_path() / (name + ".log")).string();
  std::vector<std::string> arguments{"jackd", "--no-realtime", "--sync", "-t", kClientTimeout, "-n", name,
                                      "-d", "dummy", "-r", std::to_string(kJackSampleRate),
                                      "-p", std::to_string(kJackPeriodFrames)};
  const pid_t process = Spawn(path, arguments, logPath);
  if (process < 0) {
    error = "jackd could not be started";
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
