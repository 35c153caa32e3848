#pragma once
// Virtual modules with their live side in this process, and the tool's side wired as the main window wires
// it: the device link, the reply handler and the live-state mirror. They talk over real UDP inside the test
// namespace; the modules listen on a free port, which the link treats as theirs.

#include <QTest>
#include <atomic>
#include <memory>

#include "device_link.h"
#include "live/live_state_mirror.h"
#include "record/reply_handler.h"
#include "sim/live_behaviour.h"
#include "sim/module_host.h"
#include "sim/sim_server.h"

namespace norvane::live_test {

class LiveModules final {
  public:
    // With `manualTime` the modules' live state moves only by advance().
    explicit LiveModules(std::size_t count, bool manualTime = false);
    ~LiveModules();

    // Starts the modules and opens the link; false (with a message on stderr) when either fails.
    bool start();
    // Broadcasts a search and waits until every module is listed.
    bool search();
    void advance(std::chrono::milliseconds by) { nowNs_ += std::chrono::nanoseconds(by).count(); }

    // The tags of the read-reply items handled so far, in order.
    std::vector<std::uint8_t> readTags;

    std::unique_ptr<sim::LiveBehaviour> live;
    std::unique_ptr<sim::ModuleHost> host;
    std::unique_ptr<sim::SimServer> server;
    std::unique_ptr<net::DeviceLink> link;
    record::DeviceList list;
    record::ReplyHandler handler{list};
    live::LiveStateMirror mirror;

  private:
    void takeReplies();

    std::size_t count_;
    std::atomic<std::int64_t> nowNs_{0};
};

// Runs the event loop until the condition holds or the time is up; returns whether it held.
inline bool waitFor(const std::function<bool()>& condition, int ms = 3000) {
    return QTest::qWaitFor(condition, ms);
}

}  // namespace norvane::live_test
