#include "debug_listener.h"

#include <QDateTime>
#include <QUdpSocket>
#include <QVariant>
#include <functional>

namespace norvane::net {

// Lives on the listener's thread and is the only code that touches its socket.
class DebugSocket final : public QObject {
  public:
    DebugSocket(std::size_t keptBytes, std::function<void(DebugDatagram)> deliver)
        : keptBytes_(keptBytes), deliver_(std::move(deliver)) {}

    quint16 bind(quint16 port, int receiveBuffer) {
        socket_ = std::make_unique<QUdpSocket>();
        if (!socket_->bind(QHostAddress(QHostAddress::AnyIPv4), port,
                           QAbstractSocket::ShareAddress | QAbstractSocket::ReuseAddressHint))
            return 0;
        socket_->setSocketOption(QAbstractSocket::ReceiveBufferSizeSocketOption, receiveBuffer);
        connect(socket_.get(), &QUdpSocket::readyRead, this, &DebugSocket::drain);
        return socket_->localPort();
    }
    void close() { socket_.reset(); }

  private:
    void drain() {
        for (;;) {
            QHostAddress from;
            quint16 port = 0;
            const qint64 n = socket_->readDatagram(reinterpret_cast<char*>(buffer_.data()),
                                                   static_cast<qint64>(buffer_.size()), &from, &port);
            if (n < 0) return;
            if (n == 0) continue;
            DebugDatagram d;
            d.arrivedMs = QDateTime::currentMSecsSinceEpoch();
            d.length = static_cast<std::size_t>(n);
            d.bytes.assign(buffer_.begin(),
                           buffer_.begin() + static_cast<std::ptrdiff_t>(std::min(d.length, keptBytes_)));
            const quint32 v4 = from.toIPv4Address();
            d.source = {static_cast<std::uint8_t>(v4 >> 24), static_cast<std::uint8_t>(v4 >> 16),
                        static_cast<std::uint8_t>(v4 >> 8), static_cast<std::uint8_t>(v4)};
            d.port = port;
            deliver_(std::move(d));
        }
    }

    std::size_t keptBytes_;
    std::function<void(DebugDatagram)> deliver_;
    std::unique_ptr<QUdpSocket> socket_;
    // The largest UDP payload over IPv4 fits whole.
    std::array<std::uint8_t, 65536> buffer_{};
};

DebugListener::DebugListener(Options options, QObject* parent) : QObject(parent) {
    socket_ = new DebugSocket(options.keptBytes, [this](DebugDatagram d) { deliver(std::move(d)); });
    socket_->moveToThread(&thread_);
    connect(&thread_, &QThread::finished, socket_, &QObject::deleteLater);
    thread_.setObjectName(QStringLiteral("debug-listener"));
    thread_.start();
    QMetaObject::invokeMethod(
        socket_, [&] { port_ = socket_->bind(options.port, options.receiveBuffer); },
        Qt::BlockingQueuedConnection);
}

DebugListener::~DebugListener() {
    QMetaObject::invokeMethod(
        socket_, [s = socket_] { s->close(); }, Qt::BlockingQueuedConnection);
    thread_.quit();
    thread_.wait();
}

std::vector<DebugDatagram> DebugListener::takeReceived() {
    std::lock_guard lock(queueMutex_);
    return std::exchange(queue_, {});
}

void DebugListener::deliver(DebugDatagram datagram) {
    bool first = false;
    {
        std::lock_guard lock(queueMutex_);
        first = queue_.empty();
        queue_.push_back(std::move(datagram));
    }
    if (first) QMetaObject::invokeMethod(this, &DebugListener::datagramsArrived, Qt::QueuedConnection);
}

}  // namespace norvane::net
