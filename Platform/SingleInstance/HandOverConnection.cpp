#include "Platform/SingleInstance/HandOverConnection.h"

namespace Platform::SingleInstance {

HandOverConnection::HandOverConnection(QLocalSocket* socket, std::chrono::milliseconds limit, Delivery deliver,
                                       std::function<void()> finished)
    : mSocket(socket), mDeliver(std::move(deliver)), mFinished(std::move(finished)) {
  mSocket->setParent(this);
  mSocket->setReadBufferSize(kReadBufferBytes);
  mDeadline.setSingleShot(true);
  connect(&mDeadline, &QTimer::timeout, this, &HandOverConnection::Close);
  connect(mSocket, &QLocalSocket::readyRead, this, &HandOverConnection::ReadAvailable);
  connect(mSocket, &QLocalSocket::disconnected, this, &HandOverConnection::Close);
  connect(mSocket, &QLocalSocket::errorOccurred, this, &HandOverConnection::Close);
  mDeadline.start(limit);
  ReadAvailable();
}

HandOverConnection::~HandOverConnection() { mFinished(); }

void HandOverConnection::ReadAvailable() {
  char chunk[4096];
  while (!mClosing && mReader.GetState() == HandOverReader::State::kReading) {
    const qint64 wanted = static_cast<qint64>(std::min(mReader.BytesWanted(), sizeof chunk));
    const qint64 got = mSocket->read(chunk, wanted);
    if (got <= 0) return;
    mReader.Consume(std::string_view(chunk, static_cast<size_t>(got)));
  }
  if (mReader.GetState() == HandOverReader::State::kAccepted && !mClosing) {
    mSocket->write(&kAcknowledge, 1);
    mSocket->flush();
    const std::string text = mReader.GetText();
    Close();
    mDeliver(text);
    return;
  }
  Close();
}

void HandOverConnection::Close() {
  if (mClosing) return;
  mClosing = true;
  mDeadline.stop();
  mSocket->disconnect(this);
  mSocket->disconnectFromServer();
  deleteLater();
}

}  // namespace Platform::SingleInstance
