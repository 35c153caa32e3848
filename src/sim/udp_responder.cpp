#include "sim/udp_responder.h"

#include <QNetworkDatagram>
#include <QVariant>

namespace norvane::sim {
namespace {
// Room for bursts: a write in many pieces, or searches from every card of the tool at once.
constexpr int kReceiveBufferBytes = 4 * 1024 * 1024;
}  // namespace

UdpResponder::UdpResponder(DatagramHandler& handler, std::uint64_t linkBitsPerSecond)
    : handler_(handler), pacer_(linkBitsPerSecond) {
    QObject::connect(&socket_, &QUdpSocket::readyRead, &socket_, [this] { readPending(); });
    departures_.setSingleShot(true);
    departures_.setTimerType(Qt::PreciseTimer);
    QObject::connect(&departures_, &QTimer::timeout, &socket_, [this] { sendDue(); });
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
        const auto now = LinkPacer::Clock::now();
        for (Outgoing& outgoing : handler_.handle(bytes, source)) {
            const auto at = pacer_.departure(now + outgoing.delay, outgoing.datagram.size());
            queue_.push_back({at, std::move(outgoing)});
        }
    }
    sendDue();
}

void UdpResponder::sendDue() {
    const auto now = LinkPacer::Clock::now();
    while (!queue_.empty() && queue_.front().at <= now) {
        send(queue_.front().outgoing);
        queue_.pop_front();
    }
    if (queue_.empty()) return;
    const auto wait = std::chrono::ceil<std::chrono::milliseconds>(queue_.front().at - now);
    departures_.start(wait);
}

void UdpResponder::send(const Outgoing& outgoing) {
    const QByteArray bytes(reinterpret_cast<const char*>(outgoing.datagram.data()),
                           static_cast<qsizetype>(outgoing.datagram.size()));
    socket_.writeDatagram(bytes, QHostAddress(outgoing.destination.address), outgoing.destination.port);
}

}  // namespace norvane::sim
