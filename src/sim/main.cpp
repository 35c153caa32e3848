// norvane-module-sim: virtual modules that answer the configuration tool as hardware would.

#include <QCoreApplication>
#include <QTimer>
#include <atomic>
#include <csignal>
#include <iostream>

#include "sim/access_lock.h"
#include "sim/composite_extension.h"
#include "sim/debug_flood.h"
#include "sim/displayed_items.h"
#include "sim/live_behaviour.h"
#include "sim/module_host.h"
#include "sim/plausible_record.h"
#include "sim/sim_options.h"
#include "sim/sim_server.h"
#include "text/gbk.h"

namespace {

using namespace norvane;

// Set by SIGINT or SIGTERM; the event loop polls it, as a signal handler may do nothing more.
std::atomic<bool> stopRequested{false};
static_assert(std::atomic<bool>::is_always_lock_free);

void requestStop(int) {
    stopRequested = true;
}

std::string macText(const MacAddress& mac) {
    constexpr char kHex[] = "0123456789ABCDEF";
    std::string out;
    for (const std::uint8_t byte : mac) {
        if (!out.empty()) out += '-';
        out += {kHex[byte >> 4], kHex[byte & 0x0F]};
    }
    return out;
}

std::string summary(const record::DeviceRecord& record) {
    return macText(record.mac()) + "  " + text::gbkToUtf8(record.firmware()) + "  " +
           text::gbkToUtf8(record.model()) + "  " + text::gbkToUtf8(record.name());
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("norvane-module-sim"));
    const sim::CommandLine commandLine = sim::parseCommandLine(QCoreApplication::arguments());
    switch (commandLine.outcome) {
        case sim::CommandLine::Outcome::ShowHelp:
            std::cout << commandLine.message.toStdString();
            return 0;
        case sim::CommandLine::Outcome::Error:
            std::cerr << "norvane-module-sim: " << commandLine.message.toStdString() << " (see --help)\n";
            return 2;
        case sim::CommandLine::Outcome::Run:
            break;
    }
    const sim::SimOptions& options = commandLine.options;

    std::signal(SIGINT, requestStop);
    std::signal(SIGTERM, requestStop);

    sim::LiveBehaviour live(options.debugPort);
    sim::DisplayedItems displayed;
    sim::CompositeExtension extensions{&live, &displayed};
    sim::ModuleHost host(sim::plausibleRecords(options.modules, options.firstModule), &extensions);
    host.faults().apply(options.faults);
    if (options.lock) {
        for (std::size_t i = 0; i < host.moduleCount(); ++i)
            host.update(i, [&](record::DeviceRecord& record) { sim::setAccessLock(record, *options.lock); });
    }

    sim::SimServer server(host, options.endpoint, options.linkBitsPerSecond);
    if (!server.start()) {
        std::cerr << "norvane-module-sim: cannot listen on "
                  << options.endpoint.address.toString().toStdString() << ':' << options.endpoint.port << ": "
                  << server.errorString().toStdString() << '\n';
        return 1;
    }
    sim::DebugFlood flood(live, options.debugFloodPerSecond);
    if (options.debugFloodPerSecond > 0) flood.start();
    for (std::size_t i = 0; i < host.moduleCount(); ++i) std::cout << summary(host.record(i)) << '\n';
    std::cout << "listening on " << options.endpoint.address.toString().toStdString() << ':' << server.port()
              << std::endl;

    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, &app, [] {
        if (stopRequested) QCoreApplication::quit();
    });
    poll.start(std::chrono::milliseconds(100));
    QCoreApplication::exec();
    flood.stop();
    server.stop();
    return 0;
}
