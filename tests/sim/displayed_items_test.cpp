// The items a module shows on request: the traffic counters and the external-network test.
#include "sim/displayed_items.h"

#include <map>
#include <optional>

#include "protocol/tags.h"
#include "sim_test_support.h"

namespace norvane::sim::test {
namespace {

// The value of the first item with this tag in a frame.
std::optional<Bytes> valueOf(const protocol::FrameView& frame, std::uint8_t tag) {
    std::optional<Bytes> found;
    protocol::forEachItem(frame.body, frame.declaredLength, [&](const protocol::ConfigItem& item) {
        if (item.tag == tag && !found) found.emplace(item.value.begin(), item.value.end());
    });
    return found;
}

std::uint32_t u32At(const Bytes& value, std::size_t at) {
    return std::uint32_t{value[at]} << 24 | std::uint32_t{value[at + 1]} << 16 |
           std::uint32_t{value[at + 2]} << 8 | value[at + 3];
}

class DisplayedItemsTest : public testing::Test {
  protected:
    DisplayedItems displayed;
    ModuleHost host{plausibleRecords(3), &displayed};
};

TEST_F(DisplayedItemsTest, TheTrafficQueryIsAnsweredByEveryModuleWithWhatItCounted) {
    const Bytes name = nameSearch();
    std::map<MacAddress, std::size_t> answered;
    for (const Outgoing& o : host.handle(name, kTool))
        answered[protocol::checkFrame(o.datagram)->mac] = o.datagram.size();
    ASSERT_EQ(answered.size(), 3u);

    const Sent answers = framesOf(host.handle(protocol::trafficQuery(), kTool));
    ASSERT_EQ(answers.size(), 3u);
    for (const protocol::FrameView& frame : answers) {
        EXPECT_EQ(frame.code, 0x81);
        const auto value = valueOf(frame, protocol::tag::kTraffic);
        ASSERT_TRUE(value.has_value());
        ASSERT_EQ(value->size(), 8u);
        // What came before the query: the name search in, its answer out.
        EXPECT_EQ(u32At(*value, 0), name.size());
        EXPECT_EQ(u32At(*value, 4), answered.at(frame.mac));
    }
}

struct TestCase {
    const char* name;
    bool fails;
    std::string_view result;
};

class NetworkTest : public DisplayedItemsTest, public testing::WithParamInterface<TestCase> {};

TEST_P(NetworkTest, TheResultFollowsTheReadAfterTheTest) {
    displayed.setNetworkTestFails(GetParam().fails);
    const MacAddress mac = host.record(1).mac();
    std::vector<Outgoing> out = host.handle(protocol::networkTest(mac, protocol::Route::Local), kTool);
    ASSERT_EQ(out.size(), 2u);
    EXPECT_EQ(out[0].delay.count(), 0);
    EXPECT_EQ(out[1].delay, DisplayedItems::kTestTime);
    const Sent sent = framesOf(std::move(out));
    EXPECT_FALSE(valueOf(sent[0], protocol::tag::kNetworkTest).has_value());
    EXPECT_EQ(sent[1].code, 0x83);
    EXPECT_EQ(sent[1].mac, mac);
    const auto value = valueOf(sent[1], protocol::tag::kNetworkTest);
    ASSERT_TRUE(value.has_value());
    EXPECT_EQ(*value, bytesOf(GetParam().result));
}

INSTANTIATE_TEST_SUITE_P(Outcomes, NetworkTest,
                         testing::Values(TestCase{"Passes", false, DisplayedItems::kTestResult},
                                         TestCase{"Fails", true, ""}),
                         [](const testing::TestParamInfo<TestCase>& param) {
                             return std::string(param.param.name);
                         });

}  // namespace
}  // namespace norvane::sim::test
