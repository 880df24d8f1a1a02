#pragma once
#include <chrono>
#include <functional>
#include <string>

#include <QLocalSocket>
#include <QTimer>

#include "Platform/SingleInstance/HandOverMessage.h"

namespace Platform::SingleInstance {

// One peer of the first instance: reads exactly one message within the limit, then
// acknowledges and delivers an accepted one; anything else closes the connection.
// Owns the socket and deletes itself when the connection ends. UI thread only.
class HandOverConnection : public QObject {
public:
  using Delivery = std::function<void(const std::string&)>;

  HandOverConnection(QLocalSocket* socket, std::chrono::milliseconds limit, Delivery deliver,
                     std::function<void()> finished);
  ~HandOverConnection() override;

private:
  // Qt buffers no more than this much unread input per peer.
  static constexpr qint64 kReadBufferBytes = 16 * 1024;

  void ReadAvailable();
  void Close();

  QLocalSocket* mSocket;
  QTimer mDeadline;
  HandOverReader mReader;
  Delivery mDeliver;
  std::function<void()> mFinished;
  bool mClosing = false;
};

}  // namespace Platform::SingleInstance
