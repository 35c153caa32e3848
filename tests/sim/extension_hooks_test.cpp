// The host calls a module extension where later behaviour joins: before a report, for tags outside the table,
// and after an answer.

#include <gtest/gtest.h>

#include "protocol/tags.h"
#include "sim_test_support.h"

namespace norvane::sim::test {
namespace {

// Moves input 1 on each report, answers the traffic counters, takes writes of the outputs (storing their
// length as output 1), and copies each request to port 1112.
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
    bool applyWrite(record::DeviceRecord& record, std::uint8_t tag, ByteView value) override {
        if (tag != protocol::tag::kOutputs) return false;
        record.setU8(record::offset::kStatusArea + 64, static_cast<std::uint8_t>(value.size()));
        return true;
    }
    void afterAnswer(const record::DeviceRecord&, ByteView request, const Peer& source,
                     std::span<const Outgoing> answer, std::vector<Outgoing>& extra) override {
        answers.push_back(answer.size());
        extra.push_back({Bytes(request.begin(), request.end()), {source.address, 1112}, {}});
    }
    std::vector<std::size_t> answers;  // datagrams each answer had
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

TEST(ExtensionHooks, TakeWritesTheyOwnAndSeeOnlyTheirModulesAnswer) {
    RecordingExtension extension;
    ModuleHost host(plausibleRecords(3), &extension);
    const MacAddress mac = host.record(1).mac();
    Bytes items = item(protocol::tag::kOutputs, Bytes(32, 1));
    const Bytes name = item(protocol::tag::kDeviceName, bytesOf("east"));
    items.insert(items.end(), name.begin(), name.end());
    host.handle(protocol::writeRequest(mac, protocol::WriteKind::Setting, items), kTool);
    EXPECT_EQ(host.record(1).u8(record::offset::kStatusArea + 64), 32) << "taken by the extension";
    EXPECT_EQ(host.record(1).name(), "east") << "other items are stored as before";

    // A search that all three answer: each module's hook sees its own answer only.
    extension.answers.clear();
    const auto out = host.handle(nameSearch(), kTool);
    EXPECT_EQ(extension.answers, (std::vector<std::size_t>{1, 1, 1}));
    EXPECT_EQ(out.size(), 6u);
}

}  // namespace
}  // namespace norvane::sim::test
