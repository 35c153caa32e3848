#pragma once

#include <QHostAddress>
#include <QObject>
#include <QUdpSocket>
#include <atomic>
#include <functional>
#include <memory>
#include <vector>

#include "bytes.h"

namespace norvane::net {

struct ReceivedDatagram;

// Lives on the link's worker thread and is the only code that touches the socket.
class SocketWorker final : public QObject {
    Q_OBJECT
  public:
    explicit SocketWorker(std::function<void(ReceivedDatagram)> deliver) : deliver_(std::move(deliver)) {}

    // Called on the worker thread.
    bool open(const QHostAddress& card, std::vector<int> broadcastCards, int receiveBuffer);
    void send(const QByteArray& bytes, const QHostAddress& to, quint16 port);
    void close();

    std::atomic<int> receiveBufferSize{0};

  private:
    void drain();

    std::function<void(ReceivedDatagram)> deliver_;
    std::unique_ptr<QUdpSocket> socket_;
    std::vector<int> broadcastCards_;  // interface indexes a limited broadcast leaves by
};

}  // namespace norvane::net
