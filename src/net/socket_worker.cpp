#include "socket_worker.h"

#include <QNetworkDatagram>
#include <QVariant>

#include "device_link.h"
#include "protocol/device_frame.h"

namespace norvane::net {
bool SocketWorker::open(const QHostAddress& card, std::vector<int> broadcastCards, int receiveBuffer) {
    close();
    socket_ = std::make_unique<QUdpSocket>();
    broadcastCards_ = std::move(broadcastCards);
    bool bound = true;
    const auto mode = QAbstractSocket::ShareAddress | QAbstractSocket::ReuseAddressHint;
    // Unbound until the first send, as the system would leave it; Qt binds an unbound socket there itself,
    // but binding any address and port now lets replies be read from the start.
    if (card.isNull()) {
        socket_->bind(QHostAddress(QHostAddress::AnyIPv4), 0, mode);
    } else if (!socket_->bind(card, 0, mode)) {
        bound = false;
        socket_->bind(QHostAddress(QHostAddress::AnyIPv4), 0, mode);
    }
    socket_->setSocketOption(QAbstractSocket::ReceiveBufferSizeSocketOption, receiveBuffer);
    receiveBufferSize = socket_->socketOption(QAbstractSocket::ReceiveBufferSizeSocketOption).toInt();
    connect(socket_.get(), &QUdpSocket::readyRead, this, &SocketWorker::drain);
    return bound;
}

void SocketWorker::close() {
    socket_.reset();
}

void SocketWorker::send(const QByteArray& bytes, const QHostAddress& to, quint16 port) {
    if (!socket_) return;
    QNetworkDatagram datagram(bytes, to, port);
    // Fire and forget: nobody examines a send's result.
    if (broadcastCards_.empty() || to != QHostAddress(QHostAddress::Broadcast)) {
        socket_->writeDatagram(datagram);
        return;
    }
    for (const int card : broadcastCards_) {
        datagram.setInterfaceIndex(static_cast<uint>(card));
        socket_->writeDatagram(datagram);
    }
}

void SocketWorker::drain() {
    while (socket_->hasPendingDatagrams()) {
        ReceivedDatagram received;
        received.bytes.resize(protocol::kReceiveBufferSize);
        QHostAddress from;
        quint16 port = 0;
        // A longer datagram is cut at the receive buffer, as a receive into it would.
        const qint64 n = socket_->readDatagram(reinterpret_cast<char*>(received.bytes.data()),
                                               static_cast<qint64>(received.bytes.size()), &from, &port);
        if (n <= 0) continue;
        received.bytes.resize(static_cast<std::size_t>(n));
        const quint32 v4 = from.toIPv4Address();
        received.source = {static_cast<std::uint8_t>(v4 >> 24), static_cast<std::uint8_t>(v4 >> 16),
                           static_cast<std::uint8_t>(v4 >> 8), static_cast<std::uint8_t>(v4)};
        received.port = port;
        deliver_(std::move(received));
    }
}

}  // namespace norvane::net
