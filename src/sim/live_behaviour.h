#pragma once

#include <chrono>
#include <functional>
#include <map>
#include <mutex>

#include "sim/module_extension.h"

namespace norvane::sim {

// The live side of the virtual modules. Inputs change over time and each counter counts its input's rising
// edges; analogue readings rise and fall; the clock ticks. Outputs follow writes of item 0x51 (0 open,
// 1 close, any other byte leaves the output as it is) and a byte of 3 in a write of item 0x53 clears that
// counter. A module in debug mode (item 0x07 written 1) copies each request it takes and each datagram it
// answers with, as plain UDP, to the debug port of the address the debug command came from.
class LiveBehaviour final : public ModuleExtension {
  public:
    using Clock = std::chrono::steady_clock;
    // The live state advances in steps of this length.
    static constexpr Clock::duration kStep = std::chrono::milliseconds(100);
    static constexpr std::uint16_t kDebugPort = 1112;

    // `now` is the time source; tests drive it by hand.
    explicit LiveBehaviour(std::uint16_t debugPort = kDebugPort,
                           std::function<Clock::time_point()> now = Clock::now);

    void beforeReport(record::DeviceRecord& record) override;
    std::optional<Bytes> itemOutsideTable(const record::DeviceRecord& record, std::uint8_t tag) override;
    bool applyWrite(record::DeviceRecord& record, std::uint8_t tag, ByteView value) override;
    void afterAnswer(const record::DeviceRecord& record, ByteView request, const Peer& source,
                     std::span<const Outgoing> answer, std::vector<Outgoing>& extra) override;

    // Where the modules now in debug mode send their copies, one entry per module; safe from any thread.
    std::vector<Peer> debugDestinations() const;

  private:
    struct Module {
        Clock::time_point start;
        std::int64_t step = 0;      // the step the live state last advanced to
        Clock::time_point clockAt;  // the moment the record's clock shows
        std::optional<std::uint32_t> debugAddress;
        bool debugging = false;
    };
    Module& moduleOf(const record::DeviceRecord& record);

    std::uint16_t debugPort_;
    std::function<Clock::time_point()> now_;
    mutable std::mutex mutex_;
    std::map<MacAddress, Module> modules_;
};

}  // namespace norvane::sim
