#pragma once

#include <QNetworkDatagram>
#include <QTest>
#include <QUdpSocket>
#include <optional>

#include "bytes.h"
#include "protocol/config_item.h"
#include "protocol/device_frame.h"

namespace norvane::ui::test {

// A module played by the test: a socket that the window takes for the modules' port, so the test sees every
// frame the window sends and answers with whatever bytes it likes, well-formed or not.
class ProbeModule final {
  public:
    ProbeModule() { socket_.bind(QHostAddress(QHostAddress::AnyIPv4), 0); }

    quint16 port() const { return socket_.localPort(); }

    // The next datagram from the window within the time, or nothing; the window's address is kept for
    // answers.
    std::optional<QNetworkDatagram> next(int ms = 3000) {
        if (!socket_.hasPendingDatagrams() &&
            !QTest::qWaitFor([&] { return socket_.hasPendingDatagrams(); }, ms))
            return std::nullopt;
        QNetworkDatagram datagram = socket_.receiveDatagram();
        window_ = datagram.senderAddress();
        windowPort_ = static_cast<quint16>(datagram.senderPort());
        return datagram;
    }

    // The next datagram that is not a clock poll.
    std::optional<QNetworkDatagram> nextNotPoll(int ms = 3000) {
        for (;;) {
            auto datagram = next(ms);
            if (!datagram) return datagram;
            const QByteArray data = datagram->data();
            if (data.size() != 15 || data.at(3) != 0x03) return datagram;
        }
    }

    void send(const Bytes& datagram) {
        socket_.writeDatagram(reinterpret_cast<const char*>(datagram.data()),
                              static_cast<qint64>(datagram.size()), window_, windowPort_);
    }

    // A reply with these items, code 0x81 or 0x83.
    void reply(std::uint8_t code, const MacAddress& mac, const Bytes& items) {
        send(protocol::buildFrame(protocol::Route::Local, code, items, mac));
    }

  private:
    QUdpSocket socket_;
    QHostAddress window_;
    quint16 windowPort_ = 0;
};

// Items, one call each: items().add(0x16, mac)...
inline Bytes items(std::initializer_list<std::pair<std::uint8_t, Bytes>> list) {
    Bytes out;
    protocol::ItemWriter writer(out);
    for (const auto& [tag, value] : list) writer.add(tag, value);
    return out;
}

inline Bytes bytesOf(const MacAddress& mac) {
    return {mac.begin(), mac.end()};
}

inline Bytes bytesOf(const QNetworkDatagram& datagram) {
    const QByteArray data = datagram.data();
    return {data.begin(), data.end()};
}

// A GBK text as an item value (UTF-8 in the source).
Bytes gbk(const char* utf8);

}  // namespace norvane::ui::test
