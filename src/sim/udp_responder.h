#pragma once

#include <QHostAddress>
#include <QString>
#include <QUdpSocket>

#include "sim/datagram_handler.h"

namespace norvane::sim {

// One UDP socket that hands each datagram to a handler and sends what the handler gives back, after the delay
// it asks for. It lives and works on the thread that made it.
class UdpResponder final {
public:
    explicit UdpResponder(DatagramHandler& handler);

    // Empty when bound, else why it could not be.
    QString bind(const QHostAddress& address, quint16 port);
    quint16 port() const { return socket_.localPort(); }

private:
    void readPending();
    void send(const Outgoing& outgoing);

    DatagramHandler& handler_;
    QUdpSocket socket_;
};

}  // namespace norvane::sim
