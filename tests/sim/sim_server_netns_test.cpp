// The program's network side, once: the modules found by a broadcast search, on time and late. Runs only in a
// private test namespace.

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QNetworkDatagram>
#include <QUdpSocket>
#include <set>

#include "protocol/device_frame.h"
#include "protocol/requests.h"
#include "sim/module_host.h"
#include "sim/plausible_record.h"
#include "sim/sim_server.h"

namespace norvane::sim {
namespace {

using namespace std::chrono_literals;

// The MACs of the 0x81 answers that reach `socket` within `wait`, once `enough` have come or the time is up.
std::set<MacAddress> searchAnswers(QUdpSocket& socket, std::chrono::milliseconds wait, std::size_t enough) {
    std::set<MacAddress> macs;
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < wait.count() && macs.size() < enough) {
        if (!socket.hasPendingDatagrams() && !socket.waitForReadyRead(50)) continue;
        while (socket.hasPendingDatagrams()) {
            const QByteArray data = socket.receiveDatagram().data();
            const ByteView bytes(reinterpret_cast<const std::uint8_t*>(data.constData()),
                                 static_cast<std::size_t>(data.size()));
            const auto frame = protocol::checkFrame(bytes);
            if (frame && frame->code == 0x81) macs.insert(frame->mac);
        }
    }
    return macs;
}

// A module answers a full search in several datagrams: let the rest of the last answers arrive and drop them,
// so the next search is judged on its own answers alone.
void discardLateDatagrams(QUdpSocket& socket) {
    while (socket.waitForReadyRead(200))
        while (socket.hasPendingDatagrams()) socket.receiveDatagram();
}

TEST(SimServer, ABroadcastSearchFindsTheThreeModules) {
    int argc = 1;
    char name[] = "sim_server_netns_test";
    char* argv[] = {name, nullptr};
    QCoreApplication app(argc, argv);

    ModuleHost host(plausibleRecords(3));
    SimServer server(host, {QHostAddress::AnyIPv4, 0});
    ASSERT_TRUE(server.start()) << server.errorString().toStdString();
    ASSERT_NE(server.port(), 0);

    QUdpSocket tool;
    ASSERT_TRUE(tool.bind(QHostAddress::AnyIPv4, 0));
    const Bytes search = protocol::searchFrame(protocol::Route::Local);
    const QByteArray datagram(reinterpret_cast<const char*>(search.data()),
                              static_cast<qsizetype>(search.size()));
    const std::set<MacAddress> expected{host.record(0).mac(), host.record(1).mac(), host.record(2).mac()};

    ASSERT_EQ(tool.writeDatagram(datagram, QHostAddress::Broadcast, server.port()), datagram.size());
    EXPECT_EQ(searchAnswers(tool, 1500ms, 3), expected);

    // Late answers leave from the server's own thread once their delay is over.
    discardLateDatagrams(tool);
    host.faults().setReplyDelay(300ms);
    ASSERT_EQ(tool.writeDatagram(datagram, QHostAddress::Broadcast, server.port()), datagram.size());
    EXPECT_TRUE(searchAnswers(tool, 250ms, 1).empty());
    EXPECT_EQ(searchAnswers(tool, 1500ms, 3), expected);

    server.stop();
}

}  // namespace
}  // namespace norvane::sim
