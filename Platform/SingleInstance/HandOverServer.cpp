#include "Platform/SingleInstance/HandOverServer.h"

#include "Platform/SingleInstance/HandOverConnection.h"

namespace Platform::SingleInstance {

HandOverServer::HandOverServer(const QString& lockPath, const QString& socketPath, std::chrono::milliseconds limit)
    : mLock(lockPath), mSocketPath(socketPath), mLimit(limit) {
  // Only a dead holder makes a lock stale, however old it is.
  mLock.setStaleLockTime(0);
  mServer.setSocketOptions(QLocalServer::UserAccessOption);
  mServer.setMaxPendingConnections(kMaxConnections);
  connect(&mServer, &QLocalServer::newConnection, this, &HandOverServer::AcceptPending);
}

HandOverServer::~HandOverServer() {
  mServer.close();
  // Connections end with the server: their sockets are its children's children.
  for (QObject* child : children())
    if (auto* connection = dynamic_cast<HandOverConnection*>(child)) delete connection;
}

bool HandOverServer::TakeLock() { return mLock.tryLock(0); }

// The socket file of a crashed instance is in the way; the lock shows it is ours now.
bool HandOverServer::Listen() {
  QLocalServer::removeServer(mSocketPath);
  return mServer.listen(mSocketPath);
}

void HandOverServer::AcceptPending() {
  while (QLocalSocket* socket = mServer.nextPendingConnection()) {
    if (mOpenConnections >= kMaxConnections) {
      socket->abort();
      socket->deleteLater();
      continue;
    }
    ++mOpenConnections;
    auto* connection = new HandOverConnection(
        socket, mLimit, [this](const std::string& text) { Deliver(text); }, [this] { --mOpenConnections; });
    connection->setParent(this);
  }
}

void HandOverServer::Deliver(const std::string& text) {
  if (mReceiver) mReceiver(text);
}

}  // namespace Platform::SingleInstance
