#pragma once
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <string>

namespace SV::Testing {

// An X server of the test's own (Xvfb) on a display number it picks itself: Xvfb
// writes the number to a pipe once it accepts clients (-displayfd), and the wait for
// that line is bounded. The screen is 1280 x 1024 at 24 bits unless the test asks for
// another ("WIDTHxHEIGHTxDEPTH"). The server is stopped when the object goes.
class XvfbDisplay {
public:
  explicit XvfbDisplay(const std::string& screen = "1280x1024x24") {
    int fds[2];
    if (pipe(fds) != 0) return;
    mPid = fork();
    if (mPid == 0) {
      close(fds[0]);
      const std::string fd = std::to_string(fds[1]);
      const int devNull = open("/dev/null", O_WRONLY);
      dup2(devNull, STDERR_FILENO);
      execlp("Xvfb", "Xvfb", "-displayfd", fd.c_str(), "-screen", "0", screen.c_str(), "-nolisten", "tcp",
             static_cast<char*>(nullptr));
      _exit(127);
    }
    close(fds[1]);
    mDisplay = ReadDisplayNumber(fds[0]);
    close(fds[0]);
  }
  ~XvfbDisplay() {
    if (mPid <= 0) return;
    kill(mPid, SIGTERM);
    waitpid(mPid, nullptr, 0);
  }
  XvfbDisplay(const XvfbDisplay&) = delete;
  XvfbDisplay& operator=(const XvfbDisplay&) = delete;

  // ":N", or empty when the server did not come up within the bound.
  const std::string& Name() const { return mDisplay; }

private:
  static std::string ReadDisplayNumber(int fd) {
    std::string number;
    pollfd waiting{fd, POLLIN, 0};
    while (poll(&waiting, 1, 20000) == 1) {
      char c = 0;
      if (read(fd, &c, 1) != 1) break;
      if (c == '\n') return ":" + number;
      number += c;
    }
    return std::string();
  }

  pid_t mPid = -1;
  std::string mDisplay;
};

}  // namespace SV::Testing
