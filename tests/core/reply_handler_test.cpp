#include "record/reply_handler.h"

#include <gtest/gtest.h>

#include "protocol/config_item.h"
#include "protocol/requests.h"

namespace norvane::record {
namespace {

using Kind = ReplyOutcome::Kind;

const MacAddress kMacA{0x02, 0x4E, 0x56, 0x00, 0x00, 0x0A};
const MacAddress kMacB{0x02, 0x4E, 0x56, 0x00, 0x00, 0x0B};
constexpr std::array<std::uint8_t, 4> kFirstPath{198, 51, 100, 2}, kSecondPath{203, 0, 113, 2};

Bytes reply(std::uint8_t code, const MacAddress& mac, std::uint8_t tag, std::string_view text) {
    Bytes items;
    protocol::ItemWriter(items).add(
        tag, ByteView(reinterpret_cast<const std::uint8_t*>(text.data()), text.size()));
    return protocol::buildFrame(protocol::Route::Local, code, items, mac);
}

class ReplyHandlerTest : public testing::Test {
  protected:
    DeviceList list;
    ReplyHandler handler{list};
};

TEST_F(ReplyHandlerTest, TwoRepliesFromOneModuleGiveOneRecordWithTheLatestAddress) {
    const auto first = handler.handle(kFirstPath, reply(0x81, kMacA, 0x1B, "east"));
    const auto second = handler.handle(kSecondPath, reply(0x81, kMacA, 0x03, "NV-3232"));
    EXPECT_EQ(first.kind, Kind::Listed);
    EXPECT_TRUE(first.added);
    EXPECT_FALSE(second.added);
    ASSERT_EQ(list.count(), 1u);
    EXPECT_EQ(list[0].name(), "east");
    EXPECT_EQ(list[0].model(), "NV-3232");
    EXPECT_EQ(list[0].sourceAddress(), kSecondPath);
}

TEST_F(ReplyHandlerTest, ANewModuleIsKnownByItsFrameMacBeforeItsMacItemArrives) {
    // The datagrams of a split reply: only the first carries item 0x16 in a real search, here neither does.
    handler.handle(kFirstPath, reply(0x81, kMacA, 0x1B, "east"));
    handler.handle(kFirstPath, reply(0x81, kMacA, 0x01, "V10030"));
    ASSERT_EQ(list.count(), 1u);
    EXPECT_EQ(list[0].mac(), kMacA);
    EXPECT_EQ(list[0].firmware(), "V10030");
}

TEST_F(ReplyHandlerTest, AMacItemInTheReplyDoesNotMoveTheRecord) {
    handler.handle(kFirstPath, reply(0x81, kMacA, 0x1B, "east"));
    const auto outcome =
        handler.handle(kFirstPath, reply(0x81, kMacA, 0x16, std::string_view("\x02\x4E\x56\x00\x00\x0B", 6)));
    EXPECT_EQ(outcome.index, 0u);
    EXPECT_EQ(list[0].mac(), kMacB);
}

TEST_F(ReplyHandlerTest, ReadRepliesRefreshTheListedModuleOrAScratchRecord) {
    handler.handle(kFirstPath, reply(0x81, kMacA, 0x1B, "east"));
    const auto listed = handler.handle(kSecondPath, reply(0x83, kMacA, 0x1B, "west"));
    EXPECT_EQ(listed.kind, Kind::Read);
    EXPECT_EQ(list[0].name(), "west");
    EXPECT_EQ(list[0].sourceAddress(), kFirstPath);  // only a search reply records the address

    const auto unlisted = handler.handle(kFirstPath, reply(0x83, kMacB, 0x1B, "north"));
    EXPECT_EQ(unlisted.kind, Kind::ReadUnlisted);
    EXPECT_EQ(list.count(), 1u);
    EXPECT_EQ(handler.scratch().name(), "north");
}

TEST_F(ReplyHandlerTest, AcknowledgementsCarryTheirCodeAndModuleOthersAreDropped) {
    struct Case {
        std::uint8_t code;
        Kind kind;
    };
    for (const Case c :
         {Case{0x84, Kind::Acknowledged}, Case{0x85, Kind::Acknowledged}, Case{0x86, Kind::Acknowledged},
          Case{0x82, Kind::Dropped}, Case{0x01, Kind::Dropped}}) {
        const auto outcome =
            handler.handle(kFirstPath, protocol::buildFrame(protocol::Route::Local, c.code, {}, kMacB));
        EXPECT_EQ(outcome.kind, c.kind) << int{c.code};
        if (c.kind == Kind::Acknowledged) {
            EXPECT_EQ(outcome.mac, kMacB);
        }
    }
    EXPECT_EQ(handler.handle(kFirstPath, Bytes{0x88, 0x3A, 0x45, 0x2E}).kind, Kind::Dropped);
    EXPECT_EQ(list.count(), 0u);
}

TEST_F(ReplyHandlerTest, TheFullListIgnoresNewModules) {
    for (std::size_t i = 0; i < DeviceList::kCapacity; ++i) {
        const MacAddress mac{0x02, 0, 0, 0, static_cast<std::uint8_t>(i >> 8), static_cast<std::uint8_t>(i)};
        ASSERT_TRUE(handler.handle(kFirstPath, reply(0x81, mac, 0x1B, "m")).added);
    }
    EXPECT_EQ(handler.handle(kFirstPath, reply(0x81, kMacA, 0x1B, "late")).kind, Kind::ListFull);
    EXPECT_EQ(list.count(), DeviceList::kCapacity);
}

}  // namespace
}  // namespace norvane::record
