#pragma once
#include <sys/types.h>

#include <chrono>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace Testing::EndToEnd {

// A program the test starts: its standard input and output are pipes of the test's
// (or, with `logPath` set, its output and errors go to that file), its environment is
// the test's with the given variables changed (an empty value removes one), and it
// is ended by the kernel when the thread that started it ends, so that a test that
// dies leaves nothing running. The destructor ends it: SIGTERM, and SIGKILL when it
// has not ended within the bound. For the thread that started it.
class ChildProcess {
public:
  struct Options {
    std::string program;
    std::vector<std::string> arguments;
    std::map<std::string, std::string> environment;
    std::string logPath;  // empty: standard output is a pipe the test reads
  };

  // Null, with the reason, when the program could not be started.
  static std::unique_ptr<ChildProcess> Start(const Options& options, std::string& error);
  ~ChildProcess();
  ChildProcess(const ChildProcess&) = delete;
  ChildProcess& operator=(const ChildProcess&) = delete;

  pid_t Pid() const { return mPid; }

  // Writes one line to its standard input; false when it is gone.
  bool WriteLine(const std::string& line);
  // The next line of its standard output, without the newline; nothing when none
  // came within the limit or the output ended.
  std::optional<std::string> ReadLine(std::chrono::milliseconds limit);

  // Whether it is still running (reaps it when it has ended).
  bool IsRunning();
  // Waits for it to end by itself; its exit status, or nothing after the limit.
  std::optional<int> WaitForExit(std::chrono::milliseconds limit);
  // Ends it now, as the destructor does; its exit status as waitpid gives it.
  int Stop();

private:
  ChildProcess() = default;

  pid_t mPid = -1;
  int mInput = -1;   // our end of its standard input
  int mOutput = -1;  // our end of its standard output
  std::string mPending;  // output read but not yet returned as a line
  std::optional<int> mStatus;
};

}  // namespace Testing::EndToEnd
