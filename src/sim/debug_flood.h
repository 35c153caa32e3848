#pragma once

#include <QThread>
#include <atomic>
#include <memory>

#include "sim/live_behaviour.h"

namespace norvane::sim {

// A fault for the debug monitor: every module in debug mode sends `perSecond` datagrams of debug text a
// second to its debug address, besides its copies, from a thread of its own. Each datagram carries its
// sequence number, counting from 1 across all modules.
class DebugFlood final {
  public:
    DebugFlood(const LiveBehaviour& live, std::uint32_t perSecond);
    ~DebugFlood();
    DebugFlood(const DebugFlood&) = delete;
    DebugFlood& operator=(const DebugFlood&) = delete;

    void start();
    void stop();
    // Datagrams sent so far.
    std::uint64_t sent() const { return sent_; }

  private:
    class Thread;
    // The datagram with sequence number `sequence`.
    static Bytes datagram(std::uint64_t sequence);

    const LiveBehaviour& live_;
    std::uint32_t perSecond_;
    std::atomic<std::uint64_t> sent_{0};
    std::unique_ptr<Thread> thread_;
};

}  // namespace norvane::sim
