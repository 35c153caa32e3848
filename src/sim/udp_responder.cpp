#include "sim/udp_responder.h"

#include <QNetworkDatagram>
#include <QTimer>
#include <QVariant>

namespace norvane::sim {
namespace {
// Room for bursts: a write in many pieces, or searches from every card of the tool at once.
constexpr int kReceiveBufferBytes = 4 * 1024 * 1024;
}  // namespace

UdpResponder::UdpResponder(DatagramHandler& handler) : handler_(handler) {
    QObject::connect(&socket_, &QUdpSocket::readyRead, &socket_, [this] { readPending(); });
}

QString UdpResponder::bind(const QHostAddress& address, quint16 port) {
    // Shared, so that the tool on the same machine can bind the port too.
    if (!socket_.bind(address, port, QAbstractSocket::ShareAddress | QAbstractSocket::ReuseAddressHint))
        return socket_.errorString();
    socket_.setSocketOption(QAbstractSocket::ReceiveBufferSizeSocketOption, kReceiveBufferBytes);
    return {};
}

void UdpResponder::readPending() {
    while (socket_.hasPendingDatagrams()) {
        const QNetworkDatagram datagram = socket_.receiveDatagram();
        if (!datagram.isValid()) return;
        bool isIpv4 = false;
        const quint32 address = datagram.senderAddress().toIPv4Address(&isIpv4);
        if (!isIpv4) continue;
        const QByteArray data = datagram.data();
        const ByteView bytes(reinterpret_cast<const std::uint8_t*>(data.constData()),
                             static_cast<std::size_t>(data.size()));
        const Peer source{address, static_cast<std::uint16_t>(datagram.senderPort())};
        for (Outgoing& outgoing : handler_.handle(bytes, source)) {
            if (outgoing.delay.count() <= 0) {
                send(outgoing);
            } else {
                const auto delay = outgoing.delay;
                QTimer::singleShot(delay, &socket_, [this, late = std::move(outgoing)] { send(late); });
            }
        }
    }
}

void UdpResponder::send(const Outgoing& outgoing) {
    const QByteArray bytes(reinterpret_cast<const char*>(outgoing.datagram.data()),
                           static_cast<qsizetype>(outgoing.datagram.size()));
    socket_.writeDatagram(bytes, QHostAddress(outgoing.destination.address), outgoing.destination.port);
}

}  // namespace norvane::sim
