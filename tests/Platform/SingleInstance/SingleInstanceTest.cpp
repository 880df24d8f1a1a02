#include "Platform/SingleInstance/SingleInstance.h"

#include <gtest/gtest.h>

#include <atomic>
#include <functional>
#include <memory>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include <poll.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QFileInfo>
#include <QTemporaryDir>

#include "ProbeProcess.h"

namespace Platform::SingleInstance {
namespace {

using namespace std::chrono_literals;

constexpr int kBoundMs = ProbeProcess::kBoundMs;  // no step of these tests may take longer

QCoreApplication& Application() {
  static int argc = 1;
  static char name[] = "PlatformSingleInstanceTests";
  static char* argv[] = {name, nullptr};
  static QCoreApplication application(argc, argv);
  return application;
}

// Runs the event loop until the condition holds or the bound passes.
bool PumpUntil(const std::function<bool()>& condition) {
  const QDeadlineTimer deadline(kBoundMs);
  while (!condition() && !deadline.hasExpired()) QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
  return condition();
}

// A peer that speaks the socket directly, as anything on the machine could.
class RawClient {
public:
  explicit RawClient(const std::string& path) : mSocket(socket(AF_UNIX, SOCK_STREAM, 0)) {
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    path.copy(address.sun_path, sizeof address.sun_path - 1);
    mConnected = connect(mSocket, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0;
    const timeval sendLimit{0, 100000};
    setsockopt(mSocket, SOL_SOCKET, SO_SNDTIMEO, &sendLimit, sizeof sendLimit);
  }
  ~RawClient() { close(mSocket); }

  bool IsConnected() const { return mConnected; }
  bool Send(const std::string& bytes) {
    return send(mSocket, bytes.data(), bytes.size(), MSG_NOSIGNAL) == static_cast<ssize_t>(bytes.size());
  }
  // True once the other side has closed the connection (checked without waiting).
  bool IsClosedByPeer() const {
    pollfd entry{mSocket, POLLIN, 0};
    if (poll(&entry, 1, 0) <= 0) return false;
    char byte;
    return recv(mSocket, &byte, 1, MSG_PEEK | MSG_DONTWAIT) <= 0;
  }

private:
  int mSocket;
  bool mConnected = false;
};

class SingleInstanceTestBase : public testing::Test {
protected:
  void SetUp() override {
    Application();
    ASSERT_TRUE(mFolder.isValid());
  }

  // Starts the probe program in this test's folder (see Probe/SingleInstanceProbe.cpp).
  ProbeProcess& StartProbe(const char* mode, int limitMs, const std::string& commandLine) {
    mProcesses.push_back(std::make_unique<ProbeProcess>(
        SV_SINGLE_INSTANCE_PROBE,
        std::vector<std::string>{mFolder.path().toStdString(), mode, std::to_string(limitMs), commandLine}));
    return *mProcesses.back();
  }

  static void ExpectQuietExit(ProbeProcess& process) {
    int exitCode = -1;
    bool killed = false;
    EXPECT_TRUE(process.WaitForExit(exitCode, killed));
    EXPECT_FALSE(killed);
    EXPECT_EQ(exitCode, 0);
  }

  std::string SocketPath() const { return mFolder.path().toStdString() + "/CorvexEditor.socket"; }

  QTemporaryDir mFolder;
  std::vector<std::unique_ptr<ProbeProcess>> mProcesses;
};

using SingleInstanceProcesses = SingleInstanceTestBase;

TEST_F(SingleInstanceProcesses, SecondInstanceHandsOverItsCommandLineAndExitsWithStatusZero) {
  ProbeProcess& first = StartProbe("serve", 5000, "unused");
  ASSERT_EQ(first.ReadLine(), "first");
  const std::string commandLine = "editor -x Gr\xC3\xBC\xC3\x9F" "e.corvex";
  ProbeProcess& second = StartProbe("serve", 5000, commandLine);
  EXPECT_EQ(second.ReadLine(), "second:delivered");
  ExpectQuietExit(second);
  EXPECT_EQ(first.ReadLine(), "received:" + commandLine);
}

TEST_F(SingleInstanceProcesses, SecondInstanceGivesUpOnAHungFirstInstanceAndExitsWithStatusZero) {
  ProbeProcess& hung = StartProbe("hang", 5000, "unused");
  ASSERT_EQ(hung.ReadLine(), "first");
  ProbeProcess& second = StartProbe("serve", 300, "editor");
  EXPECT_EQ(second.ReadLine(), "second:no-answer");
  ExpectQuietExit(second);
}

TEST_F(SingleInstanceProcesses, LockOfACrashedInstanceIsTakenOver) {
  ProbeProcess& crashed = StartProbe("crash", 5000, "unused");
  ASSERT_EQ(crashed.ReadLine(), "first");
  int exitCode = -1;
  bool killed = false;
  EXPECT_FALSE(crashed.WaitForExit(exitCode, killed));
  ASSERT_TRUE(killed);
  EXPECT_TRUE(QFileInfo::exists(mFolder.path() + "/CorvexEditor.lock")) << "the crash left its lock";

  ProbeProcess& next = StartProbe("serve", 5000, "unused");
  ASSERT_EQ(next.ReadLine(), "first");
  ProbeProcess& later = StartProbe("serve", 5000, "editor -later");
  EXPECT_EQ(later.ReadLine(), "second:delivered");
  ExpectQuietExit(later);
  EXPECT_EQ(next.ReadLine(), "received:editor -later");
}

// The first instance in this process, with peers that misbehave.
class SingleInstanceServing : public SingleInstanceTestBase {
protected:
  void SetUp() override {
    SingleInstanceTestBase::SetUp();
    ASSERT_TRUE(mInstance.BecomeFirst());
    mInstance.SetReceiver([this](const std::string& text) { mReceived.push_back(text); });
  }

  SingleInstance mInstance{{mFolder.path().toStdString(), "CorvexEditor", 1000ms}};
  std::vector<std::string> mReceived;
};

std::string RandomBytes(size_t count) {
  std::mt19937 generator(1234);
  std::string bytes(count, '\0');
  for (char& byte : bytes) byte = static_cast<char>(generator() & 0xFF);
  return bytes;
}

TEST_F(SingleInstanceServing, IgnoresRandomBytesAnEndlessStreamAndASilentPeerAndStillServes) {
  RawClient silent(SocketPath());
  RawClient random(SocketPath());
  RawClient oversized(SocketPath());
  ASSERT_TRUE(silent.IsConnected() && random.IsConnected() && oversized.IsConnected());
  random.Send(RandomBytes(4096));
  oversized.Send(std::string("\xFF\xFF\xFF\x7F", 4) + std::string(1000, 'a'));
  std::atomic<bool> stop{false};
  std::thread endless([&] {
    RawClient stream(SocketPath());
    const std::string announce("\x00\x00\x01\x00", 4);  // exactly the largest message
    stream.Send(announce);
    const std::string chunk(4096, 'a');
    while (!stop && (stream.Send(chunk) || !stream.IsClosedByPeer())) {
    }
  });

  ProbeProcess& second = StartProbe("serve", 5000, "editor -good");
  EXPECT_TRUE(PumpUntil([&] { return !mReceived.empty() && second.HasEnded(); }));
  EXPECT_EQ(second.ReadLine(), "second:delivered");
  EXPECT_EQ(mReceived, std::vector<std::string>{"editor -good"});

  EXPECT_TRUE(PumpUntil([&] { return silent.IsClosedByPeer(); })) << "a silent peer is dropped after the limit";
  EXPECT_TRUE(PumpUntil([&] { return random.IsClosedByPeer() && oversized.IsClosedByPeer(); }));
  stop = true;
  endless.join();
  EXPECT_EQ(mReceived.size(), 1u);
}

TEST_F(SingleInstanceServing, LaterInstanceInTheSameFolderIsNotFirst) {
  SingleInstance later({mFolder.path().toStdString(), "CorvexEditor", 1000ms});
  EXPECT_FALSE(later.BecomeFirst());
}

}  // namespace
}  // namespace Platform::SingleInstance
