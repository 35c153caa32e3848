#pragma once

#include <QHostAddress>
#include <QString>
#include <memory>

#include "protocol/codes.h"
#include "sim/datagram_handler.h"
#include "sim/link_pacer.h"

namespace norvane::sim {

// Where a server listens: an IPv4 address (every local one unless told) and a UDP port (0: any free one).
struct Endpoint {
    QHostAddress address{QHostAddress::AnyIPv4};
    quint16 port = protocol::kModulePort;
};

// Serves a handler (a ModuleHost) on one UDP port from a thread of its own, so that tests can run the modules
// inside the tool's process:
//
//     sim::ModuleHost host(sim::plausibleRecords(3));
//     sim::SimServer server(host, {QHostAddress::AnyIPv4, 0});
//     ASSERT_TRUE(server.start()) << qPrintable(server.errorString());
//     ... server.port() ...
//     host.faults().setSilent(true);  // at any time, from any thread
//
// The process needs a QCoreApplication, which the thread's event loop asks for; the handler must outlive the
// server. A server starts once.
class SimServer final {
  public:
    // Replies leave at the link's rate (LinkPacer; 0 for as fast as the machine sends).
    SimServer(DatagramHandler& handler, Endpoint endpoint,
              std::uint64_t linkBitsPerSecond = LinkPacer::kSegmentBitsPerSecond);
    ~SimServer();
    SimServer(const SimServer&) = delete;
    SimServer& operator=(const SimServer&) = delete;

    // Starts the thread and returns once its socket is bound (true) or could not be (false, see
    // errorString()).
    bool start();
    // Ends the thread and waits for it; replies still waiting out a delay are not sent.
    void stop();

    // The port bound, once started.
    quint16 port() const { return port_; }
    QString errorString() const { return error_; }

  private:
    class Thread;

    DatagramHandler& handler_;
    Endpoint endpoint_;
    std::uint64_t linkBitsPerSecond_;
    std::unique_ptr<Thread> thread_;
    quint16 port_ = 0;
    QString error_;
};

}  // namespace norvane::sim
