#pragma once
#include <string>
#include <vector>

#include <sys/types.h>

namespace Platform::SingleInstance {

// A child process started by a test, with its standard output read line by line.
// Every wait is bounded and ends on an event (output, end of output), never on a
// sleep. The child is killed when this object goes, unless it has ended.
class ProbeProcess {
public:
  static constexpr int kBoundMs = 15000;

  ProbeProcess(const std::string& path, const std::vector<std::string>& arguments);
  ~ProbeProcess();
  ProbeProcess(const ProbeProcess&) = delete;
  ProbeProcess& operator=(const ProbeProcess&) = delete;

  // The next line of output without its line end; empty when none came in time.
  std::string ReadLine();
  // Waits for the end of output and the child's end; true when it exited by itself
  // (not by a signal), with its status in `exitCode`.
  bool WaitForExit(int& exitCode, bool& killedBySignal);
  // True once the child has ended (checked without waiting).
  bool HasEnded();

private:
  bool FillUntilLine();
  bool Reap(int options);

  pid_t mProcess = -1;
  int mOutput = -1;
  std::string mBuffer;
  bool mReaped = false;
  int mStatus = 0;
};

}  // namespace Platform::SingleInstance
