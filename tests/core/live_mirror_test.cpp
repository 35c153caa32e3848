// The live-state mirror as the reply handler refreshes it, and the panel's redraw worked out from it.
#include <gtest/gtest.h>

#include "live/live_state_mirror.h"
#include "live/panel_redraw.h"
#include "protocol/config_item.h"
#include "record/reply_handler.h"

namespace norvane::live {
namespace {

const MacAddress kPanelModule{0x02, 0x4E, 0x56, 0x00, 0x00, 0x01};
const MacAddress kOtherModule{0x02, 0x4E, 0x56, 0x00, 0x00, 0x02};
constexpr std::array<std::uint8_t, 4> kSource{198, 51, 100, 2};
constexpr std::size_t kClockInArea = record::offset::kClock - record::offset::kStatusArea;

Bytes reply(std::uint8_t code, const MacAddress& mac,
            const std::vector<std::pair<std::uint8_t, Bytes>>& items) {
    Bytes payload;
    protocol::ItemWriter writer(payload);
    for (const auto& [tag, value] : items) writer.add(tag, value);
    return protocol::buildFrame(protocol::Route::Local, code, payload, mac);
}

// Two listed modules; the mirror follows the first, as a panel opened on it leaves it.
class MirrorTest : public testing::Test {
  protected:
    void SetUp() override {
        for (const MacAddress& mac : {kPanelModule, kOtherModule})
            handler.handle(kSource, reply(0x81, mac, {{0x1B, Bytes{'m'}}}));
        mirror.follow(list[0]);
    }

    // Hands a read reply to the handler as the main window does, the mirror watching.
    bool readReply(const MacAddress& mac, const std::vector<std::pair<std::uint8_t, Bytes>>& items) {
        bool refreshed = false;
        handler.handle(kSource, reply(0x83, mac, items),
                       [&](const record::DeviceRecord& record, const protocol::ConfigItem& item,
                           bool stored) { refreshed = mirror.afterItem(record, item, stored) || refreshed; });
        return refreshed;
    }

    // A clock item changes the status area without refreshing the mirror, so a later refresh shows.
    void moveClock(std::uint8_t second) {
        readReply(kPanelModule, {{0xB0, Bytes{124, 0, 1, 0, 0, second, 1, 0}}});
    }
    std::uint8_t mirroredSecond() const { return mirror.copy()[kClockInArea + 5]; }

    record::DeviceList list;
    record::ReplyHandler handler{list};
    LiveStateMirror mirror;
};

TEST_F(MirrorTest, FollowingAModuleCopiesItsStatusAreaAtOnce) {
    list[1].setU8(record::offset::kStatusArea + LiveStateMirror::kOutputs + 4, 1);
    mirror.follow(list[1]);
    EXPECT_EQ(mirror.followed(), kOtherModule);
    EXPECT_EQ(mirror.output(4), 1);
}

TEST_F(MirrorTest, LiveItemsRefreshTheCopyAsTheirRulesSay) {
    struct Case {
        const char* name;
        std::uint8_t tag;
        std::size_t length;
        bool refreshes;
    };
    const Case cases[] = {
        {"inputs, stored", 0x50, 32, true},
        {"inputs of a wrong length", 0x50, 31, false},
        {"outputs", 0x51, 32, true},
        {"outputs of a wrong length", 0x51, 5, true},
        {"readings of 14 bytes", 0x52, 14, true},
        {"counters, empty", 0x53, 0, true},
        {"clock", 0xB0, 8, false},
    };
    std::uint8_t second = 0;
    for (const Case& c : cases) {
        moveClock(++second);
        EXPECT_EQ(readReply(kPanelModule, {{c.tag, Bytes(c.length, 0)}}), c.refreshes) << c.name;
        EXPECT_EQ(mirroredSecond() == second, c.refreshes) << c.name;
    }
}

TEST_F(MirrorTest, ReadingsOfFourteenBytesAreNotStoredYetTheMirrorIsRefreshed) {
    readReply(kPanelModule, {{0x52, Bytes{0x07, 0xEB, 0, 1, 0, 2, 0, 3, 0, 4, 0, 5, 0, 6, 0, 7}}});
    ASSERT_EQ(mirror.reading(0), 2027);
    moveClock(42);
    readReply(kPanelModule, {{0x52, Bytes(14, 0xAA)}});
    EXPECT_EQ(mirror.reading(0), 2027);
    EXPECT_EQ(mirror.reading(7), 7);
    EXPECT_EQ(mirroredSecond(), 42);
}

TEST_F(MirrorTest, AReplyFromAnotherModuleUpdatesItsRecordButNotTheMirror) {
    const Bytes high(32, 1);
    EXPECT_FALSE(readReply(kOtherModule, {{0x50, high}, {0x51, high}}));
    EXPECT_EQ(list[1].u8(record::offset::kStatusArea), 1);
    EXPECT_FALSE(mirror.inputHigh(0));
    EXPECT_EQ(mirror.output(0), 0);

    const MacAddress unlisted{0x02, 0x4E, 0x56, 0x00, 0x00, 0x03};
    EXPECT_FALSE(readReply(unlisted, {{0x50, high}})) << "stored into the scratch record";
    EXPECT_EQ(handler.scratch().u8(record::offset::kStatusArea), 1);
}

TEST_F(MirrorTest, ReadsTheRecordsNumbersInHostOrder) {
    Bytes counters(128, 0);
    counters[0] = counters[1] = counters[2] = counters[3] = 0xFF;  // counter 1: -1
    counters[124] = 0x01, counters[127] = 0x02;                    // counter 32: 0x01000002
    readReply(kPanelModule, {{0x53, counters}, {0x50, Bytes(32, 0)}});
    EXPECT_EQ(mirror.counter(0), 0xFFFFFFFFu);
    EXPECT_EQ(mirror.counter(31), 0x01000002u);
}

TEST_F(MirrorTest, RedrawShowsEveryInputButOnlyOutputsWhoseReportChanged) {
    DrawnOutputs drawn;
    Bytes outputs(32, 0);
    Bytes inputs(32, 0);
    inputs[2] = 1;
    readReply(kPanelModule, {{0x50, inputs}, {0x51, outputs}});
    PanelRedraw redraw = panelRedraw(mirror, ReadingRange::Adc, drawn);
    EXPECT_TRUE(redraw.inputsHigh[2]);
    EXPECT_FALSE(redraw.inputsHigh[3]);
    EXPECT_TRUE(redraw.outputChanges.empty()) << "nothing reported differs from the open contacts drawn";

    outputs[4] = 1;
    readReply(kPanelModule, {{0x51, outputs}});
    redraw = panelRedraw(mirror, ReadingRange::Adc, drawn);
    ASSERT_EQ(redraw.outputChanges.size(), 1u);
    EXPECT_EQ(redraw.outputChanges[0].output, 4u);
    EXPECT_TRUE(redraw.outputChanges[0].closed);
    EXPECT_TRUE(panelRedraw(mirror, ReadingRange::Adc, drawn).outputChanges.empty()) << "unchanged report";

    // Another non-zero byte is still a change of report, drawn closed.
    outputs[4] = 2;
    readReply(kPanelModule, {{0x51, outputs}});
    redraw = panelRedraw(mirror, ReadingRange::Adc, drawn);
    ASSERT_EQ(redraw.outputChanges.size(), 1u);
    EXPECT_TRUE(redraw.outputChanges[0].closed);
}

TEST_F(MirrorTest, RedrawWritesReadingsInTheRangeAndCountersSigned) {
    Bytes readings(16, 0);
    readings[4] = 0x07, readings[5] = 0xEB;  // A3: 2027
    readReply(kPanelModule, {{0x52, readings}, {0x53, Bytes(128, 0xFF)}});
    DrawnOutputs drawn;
    const PanelRedraw redraw = panelRedraw(mirror, ReadingRange::Voltage10V, drawn);
    EXPECT_EQ(redraw.readings[2], "10.000");
    EXPECT_EQ(redraw.readings[0], "0.000");
    EXPECT_EQ(redraw.counters[31], "-1");
}

}  // namespace
}  // namespace norvane::live
