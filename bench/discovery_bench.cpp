// A whole discovery of 512 modules over real UDP: from the search leaving the tool to the last module listed.
// Runs inside a test namespace (scripts/bench starts it through scripts/netns-run).
//   discovery_bench [--rounds N] [--receive-buffer BYTES] [--busy-ms MS]
// --receive-buffer asks for a smaller socket buffer, as an ordinary user gets under Debian's default
// net.core.rmem_max (212992); --busy-ms keeps the owner's thread busy right after the search is sent, as a
// window busy drawing would be.
#include <QCommandLineParser>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QThread>
#include <algorithm>
#include <cstdio>

#include "device_link.h"
#include "netns_guard.h"
#include "protocol/requests.h"
#include "record/reply_handler.h"
#include "sim/module_host.h"
#include "sim/plausible_record.h"
#include "sim/sim_server.h"

using namespace norvane;

int main(int argc, char** argv) {
    if (const auto violation = test::netnsViolation()) {
        std::fprintf(stderr, "%s\n", violation->c_str());
        return 1;
    }
    QCoreApplication app(argc, argv);
    QCommandLineParser parser;
    const QCommandLineOption rounds(QStringLiteral("rounds"), QStringLiteral("Searches to time."),
                                    QStringLiteral("n"), QStringLiteral("20"));
    const QCommandLineOption buffer(QStringLiteral("receive-buffer"),
                                    QStringLiteral("Socket receive buffer asked."), QStringLiteral("bytes"),
                                    QString::number(4 * 1024 * 1024));
    const QCommandLineOption busy(QStringLiteral("busy-ms"),
                                  QStringLiteral("Owner thread stall after the search."),
                                  QStringLiteral("ms"), QStringLiteral("0"));
    parser.addOptions({rounds, buffer, busy});
    parser.process(app);

    constexpr std::size_t kModules = 512;
    sim::ModuleHost host(sim::plausibleRecords(kModules));
    sim::SimServer server(host, {QHostAddress(QHostAddress::AnyIPv4), 0});
    if (!server.start()) return 1;
    net::DeviceLink link({.modulePort = server.port(), .receiveBuffer = parser.value(buffer).toInt()});
    link.open();

    record::DeviceList list;
    record::ReplyHandler handler(list);
    std::vector<double> times;
    std::size_t worstFound = kModules;
    for (int round = 0; round < parser.value(rounds).toInt(); ++round) {
        list.clear();
        QElapsedTimer clock;
        clock.start();
        link.send(protocol::searchFrame(protocol::Route::Local));
        if (const int ms = parser.value(busy).toInt(); ms > 0)
            QThread::msleep(static_cast<unsigned long>(ms));
        while (list.count() < kModules && clock.elapsed() < 3000) {
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 10);
            for (const auto& d : link.takeReceived()) handler.handle(d.source, d.bytes);
        }
        times.push_back(static_cast<double>(clock.nsecsElapsed()) / 1e6);
        worstFound = std::min(worstFound, list.count());
        QThread::msleep(100);  // the tail of this round's replies, if any, is not the next round's
        link.takeReceived();
    }
    std::sort(times.begin(), times.end());
    std::printf(
        "512-module discovery: %zu rounds, median %.1f ms, best %.1f ms, worst %.1f ms; "
        "fewest modules found in a round: %zu of %zu; receive buffer granted %d bytes\n",
        times.size(), times[times.size() / 2], times.front(), times.back(), worstFound, kModules,
        link.receiveBufferSize());
    return worstFound == kModules ? 0 : 2;
}
