#include "live_fixture.h"

#include <cstdio>

#include "protocol/requests.h"
#include "sim/plausible_record.h"

namespace norvane::live_test {

LiveModules::LiveModules(std::size_t count, bool manualTime) : count_(count) {
    live = manualTime ? std::make_unique<sim::LiveBehaviour>(sim::LiveBehaviour::kDebugPort,
                                                             [this] {
                                                                 return sim::LiveBehaviour::Clock::time_point(
                                                                     std::chrono::nanoseconds(nowNs_.load()));
                                                             })
                      : std::make_unique<sim::LiveBehaviour>();
    host = std::make_unique<sim::ModuleHost>(sim::plausibleRecords(count), live.get());
}

LiveModules::~LiveModules() {
    // The server's thread calls into the host and the live side: it ends first.
    server.reset();
}

bool LiveModules::start() {
    server = std::make_unique<sim::SimServer>(*host, sim::Endpoint{QHostAddress(QHostAddress::AnyIPv4), 0});
    if (!server->start()) {
        std::fprintf(stderr, "modules: %s\n", qPrintable(server->errorString()));
        return false;
    }
    link = std::make_unique<net::DeviceLink>(net::DeviceLink::Options{.modulePort = server->port()});
    if (!link->open()) {
        std::fprintf(stderr, "the device link cannot bind\n");
        return false;
    }
    QObject::connect(link.get(), &net::DeviceLink::datagramsArrived, [this] { takeReplies(); });
    return true;
}

bool LiveModules::search() {
    link->send(protocol::searchFrame(protocol::Route::Local));
    return waitFor([this] { return list.count() == count_; });
}

void LiveModules::takeReplies() {
    for (const net::ReceivedDatagram& d : link->takeReceived()) {
        const bool read =
            d.bytes.size() > 3 && d.bytes[3] == static_cast<std::uint8_t>(protocol::Reply::Read);
        handler.handle(
            d.source, d.bytes,
            [&](const record::DeviceRecord& record, const protocol::ConfigItem& item, bool stored) {
                mirror.afterItem(record, item, stored);
                if (read) readTags.push_back(item.tag);
            });
    }
}

}  // namespace norvane::live_test
