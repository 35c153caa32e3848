// The virtual modules' live side: state that moves with time, outputs and counters that follow the control
// panel's writes, and the copies a module in debug mode sends to the tool's debug port.
#include "sim/live_behaviour.h"

#include <gtest/gtest.h>

#include <atomic>

#include "live/live_frames.h"
#include "protocol/tags.h"
#include "sim_test_support.h"

namespace norvane::sim::test {
namespace {

using namespace std::chrono_literals;

constexpr std::size_t kInputs = record::offset::kStatusArea;
constexpr std::size_t kOutputs = kInputs + 64;
constexpr std::size_t kReadings = kInputs + 128;
constexpr std::size_t kCounters = kInputs + 256;

// Modules whose time the test moves by hand.
class LiveModules : public testing::Test {
  protected:
    void advance(LiveBehaviour::Clock::duration by) { now += by; }
    MacAddress mac(std::size_t i = 0) const { return host.record(i).mac(); }
    record::DeviceRecord poll() {
        host.handle(live::statePoll(mac()), kTool);
        return host.record(0);
    }
    void write(const Bytes& frame, const Peer& from = kTool) { host.handle(frame, from); }

    LiveBehaviour::Clock::time_point now{};
    LiveBehaviour live{LiveBehaviour::kDebugPort, [this] { return now; }};
    ModuleHost host{plausibleRecords(2), &live};
};

TEST_F(LiveModules, EachCounterCountsTheRisingEdgesOfItsInput) {
    record::DeviceRecord last = poll();
    std::array<std::uint32_t, live::kPoints> edges{};
    std::array<std::uint32_t, live::kPoints> changes{};
    // One poll per step sees every edge.
    for (int step = 0; step < 60; ++step) {
        advance(LiveBehaviour::kStep);
        const record::DeviceRecord next = poll();
        for (std::size_t i = 0; i < live::kPoints; ++i) {
            changes[i] += last.u8(kInputs + i) != next.u8(kInputs + i);
            edges[i] += last.u8(kInputs + i) == 0 && next.u8(kInputs + i) != 0;
        }
        last = next;
    }
    const record::DeviceRecord first = host.record(1);  // never polled: stands still
    for (std::size_t i = 0; i < live::kPoints; ++i) {
        EXPECT_GE(changes[i], 6u) << "input " << i << " moves";
        EXPECT_EQ(last.u32(kCounters + 4 * i) - plausibleRecord(0).u32(kCounters + 4 * i), edges[i])
            << "counter " << i;
        EXPECT_EQ(first.u32(kCounters + 4 * i), plausibleRecord(1).u32(kCounters + 4 * i));
    }
}

TEST_F(LiveModules, CountersCatchUpOnEdgesBetweenPolls) {
    record::DeviceRecord stepwise;
    {
        LiveBehaviour::Clock::time_point otherNow{};
        LiveBehaviour other{LiveBehaviour::kDebugPort, [&] { return otherNow; }};
        ModuleHost otherHost{plausibleRecords(1), &other};
        for (int step = 0; step <= 45; ++step, otherNow += LiveBehaviour::kStep)
            otherHost.handle(live::statePoll(mac()), kTool);
        stepwise = otherHost.record(0);
    }
    poll();
    advance(45 * LiveBehaviour::kStep);
    const record::DeviceRecord late = poll();
    for (std::size_t i = 0; i < live::kPoints; ++i)
        EXPECT_EQ(late.u32(kCounters + 4 * i), stepwise.u32(kCounters + 4 * i)) << "counter " << i;
}

TEST_F(LiveModules, ReadingsRiseAndFallWithinTheConverterRange) {
    std::array<std::uint16_t, live::kReadings> low, high;
    low.fill(0xFFFF);
    high.fill(0);
    for (int step = 0; step < 200; ++step, advance(LiveBehaviour::kStep)) {
        const record::DeviceRecord r = poll();
        for (std::size_t k = 0; k < live::kReadings; ++k) {
            low[k] = std::min(low[k], r.u16(kReadings + 2 * k));
            high[k] = std::max(high[k], r.u16(kReadings + 2 * k));
        }
    }
    for (std::size_t k = 0; k < live::kReadings; ++k) {
        EXPECT_LT(low[k], 400) << "channel " << k;
        EXPECT_GT(high[k], 1600) << "channel " << k;
        EXPECT_LE(high[k], 2027) << "channel " << k;
    }
}

TEST_F(LiveModules, TheClockTicksAcrossMidnightWithItsWeekday) {
    // Saturday 2024-05-18 23:59:58.
    host.update(0, [](record::DeviceRecord& r) {
        const Bytes saturday{124, 4, 18, 23, 59, 58, 6, 0};
        std::ranges::copy(saturday, r.field(record::offset::kClock, 8).begin());
    });
    poll();
    advance(2500ms);
    const record::DeviceRecord r = poll();
    const auto clock = r.field(record::offset::kClock, 8);
    EXPECT_EQ(Bytes(clock.begin(), clock.end()), (Bytes{124, 4, 19, 0, 0, 0, 0, 0})) << "Sunday 00:00:00";
    advance(600ms);  // the half second left over counts too
    EXPECT_EQ(poll().u8(record::offset::kClock + 5), 1);
}

TEST_F(LiveModules, AClockCalibrationSetsTheClockThatTicksOnFromThere) {
    const auto acks =
        framesOf(host.handle(protocol::clockCalibration(mac(), {2023, 1, 1, 8, 9, 10, 0}), kTool));
    ASSERT_EQ(acks.size(), 1u);
    EXPECT_EQ(acks[0].code, 0x84);
    advance(5s);
    const record::DeviceRecord r = poll();
    const auto clock = r.field(record::offset::kClock, 8);
    EXPECT_EQ(Bytes(clock.begin(), clock.end()), (Bytes{123, 0, 1, 8, 9, 15, 0, 0}));
}

TEST_F(LiveModules, OutputsFollowTheSwitchingWrites) {
    struct Step {
        const char* name;
        Bytes frame;
        Bytes outputs;  // Y1 to Y6 afterwards
    };
    Bytes twos(32, 3);
    twos[1] = 2;
    twos[2] = 0xFF;
    const Step steps[] = {
        {"全开", live::switchAllOutputs(mac(), true), {1, 1, 1, 1, 1, 1}},
        {"Y5 off", live::switchOutput(mac(), 4, false), {1, 1, 1, 1, 0, 1}},
        {"other bytes leave outputs",
         protocol::writeRequest(mac(), protocol::WriteKind::Setting, item(protocol::tag::kOutputs, twos)),
         {1, 1, 1, 1, 0, 1}},
        {"全关", live::switchAllOutputs(mac(), false), {0, 0, 0, 0, 0, 0}},
        {"Y5 on", live::switchOutput(mac(), 4, true), {0, 0, 0, 0, 1, 0}},
        {"a write of the wrong length does nothing",
         protocol::writeRequest(mac(), protocol::WriteKind::Setting,
                                item(protocol::tag::kOutputs, Bytes(31, 1))),
         {0, 0, 0, 0, 1, 0}},
    };
    for (const Step& s : steps) {
        write(s.frame);
        const record::DeviceRecord r = host.record(0);
        const auto outputs = r.field(kOutputs, 6);
        EXPECT_EQ(Bytes(outputs.begin(), outputs.end()), s.outputs) << s.name;
        EXPECT_EQ(poll().u8(kOutputs + 31), s.outputs[0]) << s.name << ": Y32 too";
    }
    EXPECT_EQ(host.record(1).u8(kOutputs), plausibleRecord(1).u8(kOutputs)) << "only the addressed module";
}

TEST_F(LiveModules, AByteOfThreeClearsItsCounter) {
    advance(3s);
    poll();
    Bytes some(32, 0);
    some[0] = some[31] = live::kClearCounter;
    write(protocol::writeRequest(mac(), protocol::WriteKind::Setting, item(protocol::tag::kCounters, some)));
    record::DeviceRecord r = host.record(0);
    EXPECT_EQ(r.u32(kCounters), 0u);
    EXPECT_EQ(r.u32(kCounters + 4 * 31), 0u);
    EXPECT_NE(r.u32(kCounters + 4), 0u) << "a byte of 0 leaves the counter";

    write(live::clearCounters(mac()));
    r = host.record(0);
    for (std::size_t i = 0; i < live::kPoints; ++i)
        EXPECT_EQ(r.u32(kCounters + 4 * i), 0u) << "counter " << i;
    EXPECT_EQ(poll().u32(kCounters), 0u) << "nothing counted since";
}

// A second PC on the segment, which never turned debug mode on.
constexpr Peer kOtherPc{0xC6336409, 50000};

TEST_F(LiveModules, InDebugModeAModuleCopiesWhatItTakesAndSendsToTheDebugPortOfTheCommandsSource) {
    const Bytes on = protocol::debugMode(mac(), true);
    const auto out = host.handle(on, kTool);
    ASSERT_EQ(out.size(), 3u);
    const Peer debug{kTool.address, 1112};
    EXPECT_EQ(out[0].destination, kTool) << "the acknowledgement";
    EXPECT_EQ(out[1].destination, debug);
    EXPECT_EQ(out[1].datagram, on);
    EXPECT_EQ(out[2].destination, debug);
    EXPECT_EQ(out[2].datagram, out[0].datagram);
    EXPECT_EQ(live.debugDestinations(), (std::vector<Peer>{debug}));

    // A read from another PC: answered there, copied to the PC that turned debug mode on.
    const Bytes read = live::statePoll(mac());
    const auto fromOther = host.handle(read, kOtherPc);
    ASSERT_GE(fromOther.size(), 3u);
    EXPECT_EQ(fromOther.front().destination, kOtherPc);
    EXPECT_EQ(fromOther[fromOther.size() / 2].datagram, read);
    for (std::size_t i = fromOther.size() / 2; i < fromOther.size(); ++i)
        EXPECT_EQ(fromOther[i].destination, debug);

    EXPECT_EQ(host.handle(live::statePoll(mac(1)), kTool).size(), 1u)
        << "the other module is not in debug mode";

    const auto off = host.handle(protocol::debugMode(mac(), false), kTool);
    EXPECT_EQ(off.size(), 1u) << "debug mode off: no copies";
    EXPECT_TRUE(live.debugDestinations().empty());
}

TEST_F(LiveModules, ARebootEndsDebugMode) {
    write(protocol::debugMode(mac(), true));
    ASSERT_EQ(live.debugDestinations().size(), 1u);
    EXPECT_EQ(host.handle(protocol::reboot(mac(), protocol::Route::Local), kTool).size(), 1u);
    EXPECT_TRUE(live.debugDestinations().empty());
}

TEST(LiveBehaviour, SendsCopiesToTheDebugPortItIsGiven) {
    LiveBehaviour live(40112);
    ModuleHost host(plausibleRecords(1), &live);
    const auto out = host.handle(protocol::debugMode(host.record(0).mac(), true), kTool);
    ASSERT_EQ(out.size(), 3u);
    EXPECT_EQ(out[1].destination, (Peer{kTool.address, 40112}));
}

}  // namespace
}  // namespace norvane::sim::test
