// Each fault switch changes what the modules send, and only in its own way.

#include <gtest/gtest.h>

#include "protocol/tags.h"
#include "sim_test_support.h"

namespace norvane::sim::test {
namespace {

using namespace std::chrono_literals;
using protocol::Route;
using protocol::WriteKind;

class Faults : public ThreeModules {
  protected:
    std::vector<Outgoing> search() { return host.handle(nameSearch(), kTool); }
    std::vector<Outgoing> rename(std::size_t i, const char* name) {
        return host.handle(protocol::writeRequest(mac(i), WriteKind::Setting,
                                                  item(protocol::tag::kDeviceName, bytesOf(name))),
                           kTool);
    }
};

TEST_F(Faults, SilentModulesNeitherAnswerNorTakeWrites) {
    host.faults().setSilent(true);
    EXPECT_TRUE(search().empty());
    EXPECT_TRUE(rename(0, "quiet").empty());
    EXPECT_EQ(host.record(0), plausibleRecord(0));

    host.faults().setSilent(false);
    EXPECT_EQ(search().size(), 3u);
}

TEST_F(Faults, DelayIsAskedForEveryReply) {
    host.faults().setReplyDelay(250ms);
    auto out = search();
    const auto ack = rename(0, "late");
    out.insert(out.end(), ack.begin(), ack.end());
    ASSERT_EQ(out.size(), 4u);
    for (const Outgoing& o : out) EXPECT_EQ(o.delay, 250ms);
    EXPECT_EQ(host.record(0).name(), "late") << "the write itself is not delayed";

    host.faults().setReplyDelay(0ms);
    for (const Outgoing& o : search()) EXPECT_EQ(o.delay, 0ms);
}

struct DropCase {
    std::uint32_t every;
    // Which modules' answers come through two searches of three answers each.
    std::vector<std::size_t> answered;
    friend void PrintTo(const DropCase& c, std::ostream* os) { *os << "every " << c.every; }
};

class DropEvery : public Faults, public ::testing::WithParamInterface<DropCase> {};

TEST_P(DropEvery, CountsReplyDatagramsAcrossRequests) {
    host.faults().setDropEvery(GetParam().every);
    std::vector<MacAddress> seen;
    for (int round = 0; round < 2; ++round)
        for (const auto& frame : framesOf(search())) seen.push_back(frame.mac);
    std::vector<MacAddress> expected;
    for (const std::size_t i : GetParam().answered) expected.push_back(mac(i));
    EXPECT_EQ(seen, expected);
}

INSTANTIATE_TEST_SUITE_P(Counts, DropEvery,
                         ::testing::Values(DropCase{0, {0, 1, 2, 0, 1, 2}}, DropCase{1, {}},
                                           DropCase{2, {0, 2, 1}}, DropCase{3, {0, 1, 0, 1}},
                                           DropCase{4, {0, 1, 2, 1, 2}}));

TEST_F(Faults, SettingTheDropCountStartsCountingAgain) {
    host.faults().setDropEvery(3);
    EXPECT_EQ(search().size(), 2u);
    host.faults().setDropEvery(3);
    EXPECT_EQ(search().size(), 2u);
}

TEST_F(Faults, AcknowledgementsComeFromAnotherMacAndNothingElseDoes) {
    host.faults().setAckFromOtherMac(true);
    const std::vector<Bytes> acked{
        protocol::writeRequest(mac(1), WriteKind::Setting, item(protocol::tag::kDebugMode, Bytes{1})),
        protocol::factoryReset(mac(1), false, Route::Local),
        protocol::factoryReset(mac(1), true, Route::Local),
        protocol::reboot(mac(1), Route::Local),
    };
    for (const Bytes& request : acked) {
        const auto frames = framesOf(host.handle(request, kTool));
        ASSERT_EQ(frames.size(), 1u);
        EXPECT_EQ(frames[0].code, request[3] | 0x80);
        for (std::size_t i = 0; i < 3; ++i) EXPECT_NE(frames[0].mac, mac(i)) << "code " << int{request[3]};
        EXPECT_NE(frames[0].mac, protocol::kAllModules);
    }
    for (const auto& frame : framesOf(search())) EXPECT_EQ(frame.code, 0x81);
    const auto read = framesOf(host.handle(protocol::readRequest(mac(1), Bytes{0x01}), kTool));
    ASSERT_EQ(read.size(), 1u);
    EXPECT_EQ(read[0].mac, mac(1));
}

TEST_F(Faults, AcknowledgedWithoutApplyingLeavesTheRecord) {
    host.update(2, [](record::DeviceRecord& r) {
        r.setU8(40, 1);
        r.setText(record::offset::kDeviceName, 64, "changed");
    });
    const record::DeviceRecord before = host.record(2);
    host.faults().setAckWithoutApplying(true);
    const std::vector<std::pair<Bytes, std::uint8_t>> requests{
        {protocol::writeRequest(mac(2), WriteKind::Setting, item(protocol::tag::kDeviceName, bytesOf("x"))),
         0x84},
        {protocol::factoryReset(mac(2), false, Route::Local), 0x85},
        {protocol::factoryReset(mac(2), true, Route::Local), 0x85},
        {protocol::reboot(mac(2), Route::Local), 0x86},
    };
    for (const auto& [request, ack] : requests) {
        const auto frames = framesOf(host.handle(request, kTool));
        ASSERT_EQ(frames.size(), 1u);
        EXPECT_EQ(frames[0].code, ack);
        EXPECT_EQ(frames[0].mac, mac(2));
        EXPECT_EQ(host.record(2), before) << "after 0x" << std::hex << int{ack};
    }

    host.faults().setAckWithoutApplying(false);
    ASSERT_EQ(rename(2, "applied").size(), 1u);
    EXPECT_EQ(host.record(2).name(), "applied");
}

TEST(FaultSwitches, SettingsApplyAllAtOnce) {
    FaultSwitches switches;
    switches.apply({.silent = true,
                    .replyDelay = 40ms,
                    .dropEvery = 5,
                    .ackFromOtherMac = true,
                    .ackWithoutApplying = true});
    EXPECT_TRUE(switches.silent());
    EXPECT_EQ(switches.replyDelay(), 40ms);
    EXPECT_TRUE(switches.ackFromOtherMac());
    EXPECT_TRUE(switches.ackWithoutApplying());
    std::vector<bool> dropped;
    for (int i = 0; i < 10; ++i) dropped.push_back(switches.dropNextReply());
    EXPECT_EQ(dropped,
              (std::vector<bool>{false, false, false, false, true, false, false, false, false, true}));
}

}  // namespace
}  // namespace norvane::sim::test
