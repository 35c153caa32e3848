#pragma once

#include <QHostAddress>
#include <QString>
#include <QTimer>
#include <QUdpSocket>
#include <deque>

#include "sim/datagram_handler.h"
#include "sim/link_pacer.h"

namespace norvane::sim {

// One UDP socket that hands each datagram to a handler and sends what the handler gives back, after the delay
// it asks for and no faster than the modules' link carries it. It lives and works on the thread that made it.
class UdpResponder final {
  public:
    UdpResponder(DatagramHandler& handler, std::uint64_t linkBitsPerSecond);

    // Empty when bound, else why it could not be.
    QString bind(const QHostAddress& address, quint16 port);
    quint16 port() const { return socket_.localPort(); }

  private:
    void readPending();
    void sendDue();
    void send(const Outgoing& outgoing);

    struct Departure {
        LinkPacer::Clock::time_point at;
        Outgoing outgoing;
    };

    DatagramHandler& handler_;
    QUdpSocket socket_;
    LinkPacer pacer_;
    // In order of departure: the pacer never lets a later datagram leave before an earlier one.
    std::deque<Departure> queue_;
    QTimer departures_;
};

}  // namespace norvane::sim
