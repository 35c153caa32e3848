#pragma once

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QTest>
#include <memory>

#include "device_link.h"
#include "record/reply_handler.h"
#include "sim/module_host.h"
#include "sim/plausible_record.h"
#include "sim/sim_server.h"

namespace norvane::e2e {

// The tool's side (its device link and reply handler) and virtual modules in the same process, talking over
// real UDP inside the test's namespace. The modules listen on a free port, which the link treats as theirs.
class LinkFixture : public testing::Test {
  protected:
    void startModules(std::size_t count) { startModules(sim::plausibleRecords(count)); }

    void startModules(const std::vector<record::DeviceRecord>& records) {
        host = std::make_unique<sim::ModuleHost>(records);
        server =
            std::make_unique<sim::SimServer>(*host, sim::Endpoint{QHostAddress(QHostAddress::AnyIPv4), 0});
        ASSERT_TRUE(server->start()) << qPrintable(server->errorString());
        link = std::make_unique<net::DeviceLink>(net::DeviceLink::Options{.modulePort = server->port()});
        ASSERT_TRUE(link->open());
        QObject::connect(link.get(), &net::DeviceLink::datagramsArrived, [this] { drain(); });
    }

    void drain() {
        for (const auto& d : link->takeReceived()) {
            const auto outcome = handler.handle(d.source, d.bytes);
            outcomes.push_back(outcome);
        }
    }

    // Runs the event loop until the condition holds or the time is up; returns whether it held.
    bool waitFor(const std::function<bool()>& condition, int ms = 3000) {
        return QTest::qWaitFor(condition, ms);
    }

    // Lets every reply that is on its way arrive, for checks that something did not come.
    void settle(int ms = 300) { QTest::qWait(ms); }

    std::size_t acknowledgements(std::uint8_t code, const MacAddress& mac) const {
        return static_cast<std::size_t>(std::ranges::count_if(outcomes, [&](const record::ReplyOutcome& o) {
            return o.kind == record::ReplyOutcome::Kind::Acknowledged && o.code == code && o.mac == mac;
        }));
    }

    std::unique_ptr<sim::ModuleHost> host;
    std::unique_ptr<sim::SimServer> server;
    std::unique_ptr<net::DeviceLink> link;
    record::DeviceList list;
    record::ReplyHandler handler{list};
    std::vector<record::ReplyOutcome> outcomes;
};

}  // namespace norvane::e2e
