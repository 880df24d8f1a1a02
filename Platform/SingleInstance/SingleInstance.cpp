#include "Platform/SingleInstance/SingleInstance.h"

#include <thread>

#include <QDeadlineTimer>
#include <QDir>
#include <QLocalSocket>
#include <QStandardPaths>

#include "Platform/SingleInstance/HandOverMessage.h"
#include "Platform/SingleInstance/HandOverServer.h"

namespace Platform::SingleInstance {
namespace {

// Between connection attempts while a starting first instance is not listening yet.
constexpr std::chrono::milliseconds kConnectRetryPause{20};

QString ToQString(const std::string& text) { return QString::fromStdString(text); }

bool ConnectWithin(QLocalSocket& socket, const QString& path, const QDeadlineTimer& deadline) {
  for (;;) {
    socket.connectToServer(path);
    if (socket.waitForConnected(static_cast<int>(deadline.remainingTime()))) return true;
    socket.abort();
    if (deadline.remainingTime() <= kConnectRetryPause.count()) return false;
    std::this_thread::sleep_for(kConnectRetryPause);
  }
}

bool SendWithin(QLocalSocket& socket, const std::string& bytes, const QDeadlineTimer& deadline) {
  if (socket.write(bytes.data(), static_cast<qint64>(bytes.size())) != static_cast<qint64>(bytes.size())) return false;
  while (socket.bytesToWrite() > 0)
    if (deadline.hasExpired() || !socket.waitForBytesWritten(static_cast<int>(deadline.remainingTime()))) return false;
  return true;
}

bool AcknowledgedWithin(QLocalSocket& socket, const QDeadlineTimer& deadline) {
  while (socket.bytesAvailable() == 0)
    if (deadline.hasExpired() || !socket.waitForReadyRead(static_cast<int>(deadline.remainingTime()))) return false;
  char answer = 0;
  return socket.read(&answer, 1) == 1 && answer == kAcknowledge;
}

}  // namespace

SingleInstance::SingleInstance(Options options) : mOptions(std::move(options)) {
  if (mOptions.folder.empty()) mOptions.folder = DefaultFolder();
}

SingleInstance::~SingleInstance() = default;

std::string SingleInstance::DefaultFolder() {
  return QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation).toStdString();
}

std::string SingleInstance::GetLockPath() const { return mOptions.folder + "/" + mOptions.name + ".lock"; }

std::string SingleInstance::GetSocketPath() const { return mOptions.folder + "/" + mOptions.name + ".socket"; }

bool SingleInstance::BecomeFirst() {
  if (mServer) return true;
  QDir().mkpath(ToQString(mOptions.folder));
  auto server = std::make_unique<HandOverServer>(ToQString(GetLockPath()), ToQString(GetSocketPath()), mOptions.limit);
  if (!server->TakeLock()) return false;
  server->Listen();
  server->SetReceiver(mReceiver);
  mServer = std::move(server);
  return true;
}

HandOverResult SingleInstance::HandOver(std::string_view commandLine) const {
  const std::optional<std::string> bytes = EncodeHandOver(commandLine);
  if (!bytes) return HandOverResult::kNotSent;
  const QDeadlineTimer deadline(mOptions.limit.count());
  QLocalSocket socket;
  if (!ConnectWithin(socket, ToQString(GetSocketPath()), deadline)) return HandOverResult::kNoInstance;
  if (!SendWithin(socket, *bytes, deadline) || !AcknowledgedWithin(socket, deadline)) return HandOverResult::kNoAnswer;
  return HandOverResult::kDelivered;
}

void SingleInstance::SetReceiver(std::function<void(const std::string&)> receiver) {
  mReceiver = std::move(receiver);
  if (mServer) mServer->SetReceiver(mReceiver);
}

}  // namespace Platform::SingleInstance
