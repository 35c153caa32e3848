// A whole discovery of 512 modules over real UDP: from the search leaving the tool to the last reply stored,
// and whether every module's record came through whole. Runs inside a test namespace (scripts/bench starts it
// through scripts/netns-run).
//   discovery_bench [--rounds N] [--link-mbit M] [--receive-buffer BYTES] [--busy-ms MS]
// --link-mbit is the rate the modules' link delivers at (100, as real modules have; 0 for no limit).
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

namespace {

constexpr std::size_t kModules = 512;

// What the tool holds for a module once its whole search reply has arrived.
record::DeviceList referenceList(const sim::ModuleHost& host, const std::array<std::uint8_t, 4>& source) {
    record::DeviceList list;
    record::ReplyHandler handler(list);
    for (std::size_t i = 0; i < host.moduleCount(); ++i) {
        const record::DeviceRecord module = host.record(i);
        Bytes items;
        for (const std::uint8_t tag : protocol::kSearchTags)
            if (const auto* row = record::findItem(tag))
                record::appendItem(items, module, *row, record::Direction::Reply);
        handler.handle(source, protocol::buildFrame(protocol::Route::Local, 0x81, items, module.mac()));
    }
    return list;
}

std::size_t wholeRecords(const record::DeviceList& found, const record::DeviceList& reference) {
    std::size_t whole = 0;
    for (std::size_t i = 0; i < reference.count(); ++i) {
        const int at = found.find(reference[i].mac());
        if (at >= 0 && found[static_cast<std::size_t>(at)] == reference[i]) ++whole;
    }
    return whole;
}

}  // namespace

int main(int argc, char** argv) {
    if (const auto violation = test::netnsViolation()) {
        std::fprintf(stderr, "%s\n", violation->c_str());
        return 1;
    }
    QCoreApplication app(argc, argv);
    QCommandLineParser parser;
    const QCommandLineOption rounds(QStringLiteral("rounds"), QStringLiteral("Searches to time."),
                                    QStringLiteral("n"), QStringLiteral("20"));
    const QCommandLineOption link(QStringLiteral("link-mbit"), QStringLiteral("The modules' link rate."),
                                  QStringLiteral("mbit"), QStringLiteral("100"));
    const QCommandLineOption buffer(QStringLiteral("receive-buffer"),
                                    QStringLiteral("Socket receive buffer asked."), QStringLiteral("bytes"),
                                    QString::number(4 * 1024 * 1024));
    const QCommandLineOption busy(QStringLiteral("busy-ms"),
                                  QStringLiteral("Owner thread stall after the search."),
                                  QStringLiteral("ms"), QStringLiteral("0"));
    parser.addOptions({rounds, link, buffer, busy});
    parser.process(app);

    sim::ModuleHost host(sim::plausibleRecords(kModules));
    sim::SimServer server(host, {QHostAddress(QHostAddress::AnyIPv4), 0},
                          parser.value(link).toULongLong() * 1'000'000);
    if (!server.start()) return 1;
    net::DeviceLink deviceLink({.modulePort = server.port(), .receiveBuffer = parser.value(buffer).toInt()});
    deviceLink.open();

    record::DeviceList list;
    record::ReplyHandler handler(list);
    std::vector<double> times;
    std::size_t fewestWhole = kModules;
    std::size_t fewestDatagrams = SIZE_MAX;
    std::array<std::uint8_t, 4> source{};
    for (int round = 0; round < parser.value(rounds).toInt(); ++round) {
        list.clear();
        std::size_t datagrams = 0;
        QElapsedTimer clock;
        clock.start();
        qint64 lastArrival = 0;
        deviceLink.send(protocol::searchFrame(protocol::Route::Local));
        if (const int ms = parser.value(busy).toInt(); ms > 0)
            QThread::msleep(static_cast<unsigned long>(ms));
        // Until every module is listed and nothing more has come for a while, or three seconds.
        while (clock.elapsed() < 3000 &&
               (list.count() < kModules || clock.nsecsElapsed() - lastArrival < 50'000'000)) {
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 10);
            for (const auto& d : deviceLink.takeReceived()) {
                ++datagrams;
                source = d.source;
                handler.handle(d.source, d.bytes);
                lastArrival = clock.nsecsElapsed();
            }
        }
        times.push_back(static_cast<double>(lastArrival) / 1e6);
        fewestWhole = std::min(fewestWhole, wholeRecords(list, referenceList(host, source)));
        fewestDatagrams = std::min(fewestDatagrams, datagrams);
    }
    std::sort(times.begin(), times.end());
    std::printf(
        "512-module discovery at %s Mbit/s, receive buffer granted %d bytes, owner stalled %s ms: "
        "%zu rounds, last reply after median %.1f ms (best %.1f, worst %.1f); "
        "fewest whole records in a round: %zu of %zu (%zu datagrams)\n",
        qPrintable(parser.value(link)), deviceLink.receiveBufferSize(), qPrintable(parser.value(busy)),
        times.size(), times[times.size() / 2], times.front(), times.back(), fewestWhole, kModules,
        fewestDatagrams);
    return fewestWhole == kModules ? 0 : 2;
}
