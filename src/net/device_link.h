#pragma once

#include <QHostAddress>
#include <QObject>
#include <QThread>
#include <memory>
#include <mutex>
#include <optional>
#include <vector>

#include "bytes.h"
#include "protocol/lock_prefix.h"

namespace norvane::net {

// One datagram as it reached the tool's socket.
struct ReceivedDatagram {
    std::array<std::uint8_t, 4> source{};
    quint16 port = 0;
    Bytes bytes;
};

class SocketWorker;

// The tool's one socket for module traffic. A worker thread owns the socket and drains it into a queue as
// soon as datagrams arrive, so a GUI thread that is busy for a while during a burst of replies loses nothing;
// the owner takes the queue in batches, in arrival order, on its own thread. Every frame leaves through
// send().
class DeviceLink final : public QObject {
    Q_OBJECT
  public:
    struct Options {
        quint16 modulePort = 1111;
        QHostAddress broadcast = QHostAddress(QHostAddress::Broadcast);
        // Asked of the system; an ordinary user gets at most net.core.rmem_max, and the drain makes up for
        // it.
        int receiveBuffer = 4 * 1024 * 1024;
    };

    explicit DeviceLink(Options options, QObject* parent = nullptr);
    ~DeviceLink() override;

    // Opens the socket anew: unbound (a null address) or bound to a card's address and any free port. A
    // limited broadcast leaves once by each card of `broadcastCards` (interface indexes), so a module with a
    // wrong address on a card's segment is still reached; with none given it leaves as the routing table
    // says. Returns false when the bind failed; the socket then works unbound.
    bool open(const QHostAddress& card = {}, std::vector<int> broadcastCards = {});

    // The access lock: while set, every datagram carries the credentials in front.
    void setLock(std::optional<protocol::LockCredentials> lock);

    // Sends a frame to the module port of an address, or of the broadcast address when `to` is null.
    void send(ByteView frame, const QHostAddress& to = {});
    // Sends bytes exactly as given (a sweep frame that already carries its prefix).
    void sendRaw(ByteView bytes, const QHostAddress& to);

    std::vector<ReceivedDatagram> takeReceived();

    // The receive buffer the system granted, in bytes.
    int receiveBufferSize() const;

  Q_SIGNALS:
    // Datagrams are waiting in the queue; emitted once per batch, on the owner's thread.
    void datagramsArrived();

  private:
    void deliver(ReceivedDatagram datagram);

    Options options_;
    QThread thread_;
    SocketWorker* worker_ = nullptr;
    std::optional<protocol::LockCredentials> lock_;
    std::mutex queueMutex_;
    std::vector<ReceivedDatagram> queue_;
};

}  // namespace norvane::net
