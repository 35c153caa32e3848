#include "sim/debug_flood.h"

#include <QElapsedTimer>
#include <QHostAddress>
#include <QTimer>
#include <QUdpSocket>
#include <cstdio>

namespace norvane::sim {

class DebugFlood::Thread final : public QThread {
  public:
    explicit Thread(DebugFlood& flood) : flood_(flood) {}

  protected:
    void run() override {
        QUdpSocket socket;
        socket.bind(QHostAddress(QHostAddress::AnyIPv4), 0);
        QElapsedTimer since;
        since.start();
        std::uint64_t rounds = 0;
        QTimer tick;
        tick.setTimerType(Qt::PreciseTimer);
        // Each round sends one datagram to every module's debug address, at the rate asked.
        QObject::connect(&tick, &QTimer::timeout, [&] {
            const auto due =
                static_cast<std::uint64_t>(since.nsecsElapsed()) * flood_.perSecond_ / 1'000'000'000;
            for (; rounds < due; ++rounds) {
                for (const Peer& to : flood_.live_.debugDestinations()) {
                    const Bytes bytes = datagram(++flood_.sent_);
                    socket.writeDatagram(reinterpret_cast<const char*>(bytes.data()),
                                         static_cast<qint64>(bytes.size()), QHostAddress(to.address),
                                         to.port);
                }
            }
        });
        tick.start(std::chrono::milliseconds(2));
        exec();
    }

  private:
    DebugFlood& flood_;
};

DebugFlood::DebugFlood(const LiveBehaviour& live, std::uint32_t perSecond)
    : live_(live), perSecond_(perSecond) {}

DebugFlood::~DebugFlood() {
    stop();
}

void DebugFlood::start() {
    if (thread_) return;
    thread_ = std::make_unique<Thread>(*this);
    thread_->start();
}

void DebugFlood::stop() {
    if (!thread_) return;
    thread_->quit();
    thread_->wait();
    thread_.reset();
}

Bytes DebugFlood::datagram(std::uint64_t sequence) {
    // Debug text as a module writes it, GBK: "seq=00000042 调试 X1=1".
    char text[64];
    const int n = std::snprintf(text, sizeof text, "seq=%08llu \xB5\xF7\xCA\xD4 X1=%d\r\n",
                                static_cast<unsigned long long>(sequence), static_cast<int>(sequence % 2));
    return Bytes(text, text + n);
}

}  // namespace norvane::sim
