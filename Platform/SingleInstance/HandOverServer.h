#pragma once
#include <chrono>
#include <functional>
#include <string>

#include <QLocalServer>
#include <QLockFile>

namespace Platform::SingleInstance {

class HandOverConnection;

// The first instance's side: holds the lock and serves hand-over connections, each
// read within the limit and at most kMaxConnections at a time. UI thread only.
class HandOverServer : public QObject {
public:
  static constexpr int kMaxConnections = 8;

  HandOverServer(const QString& lockPath, const QString& socketPath, std::chrono::milliseconds limit);
  ~HandOverServer() override;

  bool TakeLock();
  bool Listen();
  void SetReceiver(std::function<void(const std::string&)> receiver) { mReceiver = std::move(receiver); }

private:
  void AcceptPending();
  void Deliver(const std::string& text);

  QLockFile mLock;
  QString mSocketPath;
  std::chrono::milliseconds mLimit;
  QLocalServer mServer;
  int mOpenConnections = 0;
  std::function<void(const std::string&)> mReceiver;
};

}  // namespace Platform::SingleInstance
