#pragma once

#include <QObject>
#include <QThread>
#include <atomic>
#include <mutex>
#include <vector>

#include "bytes.h"

namespace norvane::net {

// One datagram as it reached the debug port.
struct DebugDatagram {
    std::array<std::uint8_t, 4> source{};
    quint16 port = 0;
    qint64 arrivedMs = 0;    // when the listener read it: milliseconds since the epoch
    std::size_t length = 0;  // as sent
    Bytes bytes;             // its first bytes, at most as many as the listener keeps
    bool cut() const { return bytes.size() < length; }
};

class DebugSocket;

// The debug monitor's own socket on a UDP port (1112) of every local address. A worker thread reads each
// datagram whole (up to 65507 bytes), keeps its first `keptBytes`, and queues it with its arrival time; the
// owner takes the queue in batches, in arrival order, on its own thread. Empty datagrams are not queued.
class DebugListener final : public QObject {
    Q_OBJECT
  public:
    struct Options {
        quint16 port = 1112;  // 0: any free one
        std::size_t keptBytes = 8092;
        int receiveBuffer = 4 * 1024 * 1024;  // asked of the system
    };

    explicit DebugListener(Options options, QObject* parent = nullptr);
    ~DebugListener() override;

    // Whether the port is bound; when it is not (another program holds it), nothing is ever received.
    bool listening() const { return port_ != 0; }
    quint16 port() const { return port_; }

    std::vector<DebugDatagram> takeReceived();

  Q_SIGNALS:
    // Datagrams are waiting in the queue; emitted once per batch, on the owner's thread.
    void datagramsArrived();

  private:
    void deliver(DebugDatagram datagram);

    QThread thread_;
    DebugSocket* socket_ = nullptr;
    quint16 port_ = 0;
    std::mutex queueMutex_;
    std::vector<DebugDatagram> queue_;
};

}  // namespace norvane::net
