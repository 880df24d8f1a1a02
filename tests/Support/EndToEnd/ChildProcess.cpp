#include "tests/Support/EndToEnd/ChildProcess.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <memory>
#include <thread>

extern char** environ;

namespace Testing::EndToEnd {
namespace {

using Clock = std::chrono::steady_clock;
constexpr std::chrono::milliseconds kStopLimit{10000};

std::vector<std::string> EnvironmentWith(const std::map<std::string, std::string>& changes) {
  std::vector<std::string> result;
  for (char** entry = environ; *entry != nullptr; ++entry) {
    const std::string text = *entry;
    const std::string name = text.substr(0, text.find('='));
    if (changes.count(name) == 0) result.push_back(text);
  }
  for (const auto& [name, value] : changes)
    if (!value.empty()) result.push_back(name + "=" + value);
  return result;
}

std::vector<char*> Pointers(std::vector<std::string>& texts) {
  std::vector<char*> pointers;
  for (std::string& text : texts) pointers.push_back(text.data());
  pointers.push_back(nullptr);
  return pointers;
}

int Milliseconds(Clock::duration span) {
  return static_cast<int>(std::max<int64_t>(0, std::chrono::duration_cast<std::chrono::milliseconds>(span).count()));
}

}  // namespace

std::unique_ptr<ChildProcess> ChildProcess::Start(const Options& options, std::string& error) {
  int input[2], output[2];
  if (pipe2(input, O_CLOEXEC) != 0 || pipe2(output, O_CLOEXEC) != 0) {
    error = std::string("pipe: ") + std::strerror(errno);
    return nullptr;
  }
  const int log = options.logPath.empty()
                      ? -1
                      : open(options.logPath.c_str(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0600);
  std::vector<std::string> arguments{options.program};
  arguments.insert(arguments.end(), options.arguments.begin(), options.arguments.end());
  std::vector<std::string> environment = EnvironmentWith(options.environment);
  std::vector<char*> argv = Pointers(arguments);
  std::vector<char*> envp = Pointers(environment);
  const pid_t parent = getpid();
  const pid_t pid = fork();
  if (pid == 0) {
    // Only calls that are safe between fork and exec.
    prctl(PR_SET_PDEATHSIG, SIGKILL);
    if (getppid() != parent) _exit(1);
    dup2(input[0], STDIN_FILENO);
    dup2(log >= 0 ? log : output[1], STDOUT_FILENO);
    if (log >= 0) dup2(log, STDERR_FILENO);
    execve(options.program.c_str(), argv.data(), envp.data());
    _exit(127);
  }
  close(input[0]);
  close(output[1]);
  if (log >= 0) close(log);
  std::unique_ptr<ChildProcess> child(new ChildProcess());
  child->mInput = input[1];
  child->mOutput = output[0];
  child->mPid = pid;
  if (pid < 0) {
    error = std::string("fork: ") + std::strerror(errno);
    child->mStatus = -1;
    return nullptr;
  }
  return child;
}

ChildProcess::~ChildProcess() {
  Stop();
  if (mInput >= 0) close(mInput);
  if (mOutput >= 0) close(mOutput);
}

bool ChildProcess::WriteLine(const std::string& line) {
  const std::string text = line + "\n";
  size_t written = 0;
  while (written < text.size()) {
    const ssize_t count = write(mInput, text.data() + written, text.size() - written);
    if (count < 0 && errno == EINTR) continue;
    if (count <= 0) return false;
    written += static_cast<size_t>(count);
  }
  return true;
}

std::optional<std::string> ChildProcess::ReadLine(std::chrono::milliseconds limit) {
  const auto deadline = Clock::now() + limit;
  while (true) {
    const size_t end = mPending.find('\n');
    if (end != std::string::npos) {
      std::string line = mPending.substr(0, end);
      mPending.erase(0, end + 1);
      return line;
    }
    pollfd waiting{mOutput, POLLIN, 0};
    const int ready = poll(&waiting, 1, Milliseconds(deadline - Clock::now()));
    if (ready < 0 && errno == EINTR) continue;
    if (ready <= 0) return std::nullopt;
    char buffer[4096];
    const ssize_t count = read(mOutput, buffer, sizeof buffer);
    if (count < 0 && errno == EINTR) continue;
    if (count <= 0) return std::nullopt;
    mPending.append(buffer, static_cast<size_t>(count));
  }
}

bool ChildProcess::IsRunning() {
  if (mStatus) return false;
  int status = 0;
  if (waitpid(mPid, &status, WNOHANG) == mPid) mStatus = status;
  return !mStatus;
}

std::optional<int> ChildProcess::WaitForExit(std::chrono::milliseconds limit) {
  const auto deadline = Clock::now() + limit;
  // The process's descriptor becomes readable when it ends.
  const int handle = static_cast<int>(syscall(SYS_pidfd_open, mPid, 0));
  while (IsRunning() && Clock::now() < deadline) {
    if (handle < 0) {
      std::this_thread::sleep_for(std::chrono::milliseconds(5));  // a kernel without process descriptors
      continue;
    }
    pollfd waiting{handle, POLLIN, 0};
    poll(&waiting, 1, Milliseconds(deadline - Clock::now()));
  }
  if (handle >= 0) close(handle);
  return mStatus;
}

int ChildProcess::Stop() {
  if (mStatus || mPid <= 0) return mStatus.value_or(-1);
  kill(mPid, SIGTERM);
  if (!WaitForExit(kStopLimit)) {
    kill(mPid, SIGKILL);
    int status = 0;
    waitpid(mPid, &status, 0);
    mStatus = status;
  }
  return *mStatus;
}

}  // namespace Testing::EndToEnd
