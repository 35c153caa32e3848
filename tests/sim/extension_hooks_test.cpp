// The host calls a module extension where later behaviour joins: before a report, for tags outside the table,
// and after an answer.

#include <gtest/gtest.h>

#include "protocol/tags.h"
#include "sim_test_support.h"

namespace norvane::sim::test {
namespace {

// Moves input 1 on each report, answers the traffic counters, and copies each answer to port 1112.
class RecordingExtension final : public ModuleExtension {
  public:
    void beforeReport(record::DeviceRecord& record) override {
        record.setU8(record::offset::kStatusArea,
                     static_cast<std::uint8_t>(record.u8(record::offset::kStatusArea) + 1));
    }
    std::optional<Bytes> itemOutsideTable(const record::DeviceRecord&, std::uint8_t tag) override {
        if (tag != protocol::tag::kTraffic) return std::nullopt;
        return Bytes{0, 0, 0, 42};
    }
    void afterAnswer(const record::DeviceRecord&, ByteView request, const Peer& source,
                     std::vector<Outgoing>& out) override {
        out.push_back({Bytes(request.begin(), request.end()), {source.address, 1112}, {}});
    }
};

TEST(ExtensionHooks, AreCalledWhereTheirBehaviourJoins) {
    RecordingExtension extension;
    ModuleHost host(plausibleRecords(1), &extension);
    const MacAddress mac = host.record(0).mac();
    const std::uint8_t inputBefore = host.record(0).u8(record::offset::kStatusArea);
    const Bytes asked{protocol::tag::kTraffic, protocol::tag::kInputs, protocol::tag::kNetworkTest};
    const Bytes read = protocol::readRequest(mac, asked);

    const auto out = host.handle(read, kTool);
    ASSERT_EQ(out.size(), 2u);
    const auto reply = protocol::checkFrame(out[0].datagram);
    ASSERT_TRUE(reply);
    EXPECT_EQ(tagsOf(*reply), (Bytes{protocol::tag::kTraffic, protocol::tag::kInputs}));
    EXPECT_EQ(reply->body[3 + 3], 42);  // the traffic value's last byte
    EXPECT_EQ(reply->body[7 + 3], inputBefore + 1) << "the report shows the moved input";

    EXPECT_EQ(out[1].destination, (Peer{kTool.address, 1112}));
    EXPECT_EQ(out[1].datagram, read);
}

}  // namespace
}  // namespace norvane::sim::test
