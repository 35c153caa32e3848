#pragma once

#include <atomic>
#include <chrono>
#include <map>
#include <mutex>

#include "sim/module_extension.h"

namespace norvane::sim {

// The items a module shows the tool on request rather than from its record: the traffic counters (0xB7,
// bytes received and sent on port 1111, u32 big-endian each) and the external-network test. A read of 0xB5
// starts the test; the module answers at once without it and, when the test ends `kTestTime` later, sends a
// read reply holding item 0xB5 with its result text, or an empty item while the test is switched to fail.
class DisplayedItems final : public ModuleExtension {
  public:
    static constexpr std::chrono::milliseconds kTestTime{300};
    static constexpr std::string_view kTestResult = "ping www.baidu.com: 4 packets, 0% loss, 23 ms";

    void beforeReport(record::DeviceRecord&) override {}
    std::optional<Bytes> itemOutsideTable(const record::DeviceRecord& record, std::uint8_t tag) override;
    bool applyWrite(record::DeviceRecord&, std::uint8_t, ByteView) override { return false; }
    void afterAnswer(const record::DeviceRecord& record, ByteView request, const Peer& source,
                     std::span<const Outgoing> answer, std::vector<Outgoing>& extra) override;

    // Safe from any thread.
    void setNetworkTestFails(bool fails) { testFails_ = fails; }

  private:
    struct Traffic {
        std::uint32_t received = 0;
        std::uint32_t sent = 0;
    };
    mutable std::mutex mutex_;
    std::map<MacAddress, Traffic> traffic_;
    std::atomic<bool> testFails_{false};
};

}  // namespace norvane::sim
