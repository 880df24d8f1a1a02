#include "ProbeProcess.h"

#include <chrono>
#include <csignal>

#include <fcntl.h>
#include <poll.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace Platform::SingleInstance {
namespace {

using Clock = std::chrono::steady_clock;

int RemainingMs(Clock::time_point deadline) {
  const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
  return left > 0 ? static_cast<int>(left) : 0;
}

}  // namespace

// Between fork and exec the child calls only functions that are safe there; it is
// ended by the kernel when the thread that started it ends.
ProbeProcess::ProbeProcess(const std::string& path, const std::vector<std::string>& arguments) {
  std::vector<std::string> argumentCopies{path};
  argumentCopies.insert(argumentCopies.end(), arguments.begin(), arguments.end());
  std::vector<char*> argv;
  for (std::string& argument : argumentCopies) argv.push_back(argument.data());
  argv.push_back(nullptr);
  int pipeEnds[2];
  if (pipe2(pipeEnds, O_CLOEXEC) != 0) return;
  const pid_t parent = getpid();
  mProcess = fork();
  if (mProcess == 0) {
    prctl(PR_SET_PDEATHSIG, SIGKILL);
    if (getppid() != parent) _exit(1);
    dup2(pipeEnds[1], STDOUT_FILENO);
    execve(path.c_str(), argv.data(), environ);
    _exit(127);
  }
  close(pipeEnds[1]);
  mOutput = pipeEnds[0];
}

ProbeProcess::~ProbeProcess() {
  if (mProcess > 0 && !Reap(WNOHANG)) {
    kill(mProcess, SIGKILL);
    Reap(0);
  }
  if (mOutput >= 0) close(mOutput);
}

std::string ProbeProcess::ReadLine() {
  if (!FillUntilLine()) return {};
  const size_t end = mBuffer.find('\n');
  std::string line = mBuffer.substr(0, end);
  mBuffer.erase(0, end + 1);
  return line;
}

bool ProbeProcess::FillUntilLine() {
  const Clock::time_point deadline = Clock::now() + std::chrono::milliseconds(kBoundMs);
  while (mBuffer.find('\n') == std::string::npos) {
    pollfd entry{mOutput, POLLIN, 0};
    if (poll(&entry, 1, RemainingMs(deadline)) <= 0) return false;
    char chunk[512];
    const ssize_t got = read(mOutput, chunk, sizeof chunk);
    if (got <= 0) return false;
    mBuffer.append(chunk, static_cast<size_t>(got));
  }
  return true;
}

bool ProbeProcess::WaitForExit(int& exitCode, bool& killedBySignal) {
  const Clock::time_point deadline = Clock::now() + std::chrono::milliseconds(kBoundMs);
  for (;;) {
    pollfd entry{mOutput, POLLIN, 0};
    if (poll(&entry, 1, RemainingMs(deadline)) <= 0) return false;
    char chunk[512];
    const ssize_t got = read(mOutput, chunk, sizeof chunk);
    if (got <= 0) break;
    mBuffer.append(chunk, static_cast<size_t>(got));
  }
  // The output ended with the child, so the wait for its status is short.
  if (!Reap(0)) return false;
  killedBySignal = WIFSIGNALED(mStatus);
  exitCode = WIFEXITED(mStatus) ? WEXITSTATUS(mStatus) : -1;
  return WIFEXITED(mStatus);
}

bool ProbeProcess::HasEnded() { return Reap(WNOHANG); }

bool ProbeProcess::Reap(int options) {
  if (mReaped) return true;
  if (mProcess <= 0) return false;
  mReaped = waitpid(mProcess, &mStatus, options) == mProcess;
  return mReaped;
}

}  // namespace Platform::SingleInstance
