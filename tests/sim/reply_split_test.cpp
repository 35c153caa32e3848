// Replies too long for one Ethernet frame leave as several complete frames of whole items.

#include <gtest/gtest.h>

#include "sim/reply_splitter.h"
#include "sim_test_support.h"

namespace norvane::sim::test {
namespace {

// Module 0 with both script blocks full (4094 bytes each), so that a read of everything must be split and
// holds items longer than a datagram may be.
ModuleHost hostWithFullScripts() {
    record::DeviceRecord r = plausibleRecord(0);
    for (const std::size_t script : {std::size_t{3584}, std::size_t{7680}}) {
        const auto block = r.field(script, record::kScriptBlockSize);
        block[0] = 0x0F;
        block[1] = 0xFE;
        for (std::size_t i = 2; i < block.size(); ++i) block[i] = static_cast<std::uint8_t>(i * 7);
    }
    return ModuleHost({r});
}

TEST(ReplySplit, AReadOfEveryItemComesInFramesBelowTheLimitSaveForLoneLongItems) {
    ModuleHost host = hostWithFullScripts();
    const Bytes asked = everyTag();
    const auto out = host.handle(protocol::readRequest(host.record(0).mac(), asked), kTool);
    const auto frames = framesOf(out);
    ASSERT_EQ(frames.size(), out.size());
    ASSERT_GE(frames.size(), 4u);

    Bytes tagsInOrder;
    std::size_t longOnes = 0;
    for (std::size_t i = 0; i < frames.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(frames[i].code, 0x83);
        EXPECT_EQ(frames[i].mac, host.record(0).mac());
        EXPECT_EQ(frames[i].declaredLength, frames[i].body.size());
        const Bytes tags = tagsOf(frames[i]);
        if (out[i].datagram.size() >= kReplyDatagramLimit) {
            EXPECT_EQ(tags.size(), 1u) << "only a lone item may pass the limit";
            EXPECT_EQ(out[i].datagram.size(), 4113u);  // 14 + 3 + a 4096-byte block
            ++longOnes;
        }
        tagsInOrder.insert(tagsInOrder.end(), tags.begin(), tags.end());
    }
    EXPECT_EQ(longOnes, 2u);
    EXPECT_EQ(tagsInOrder, asked);
}

TEST(ReplySplit, StoringEveryPieceGivesTheRecordThatOneUnsplitReplyGives) {
    ModuleHost host = hostWithFullScripts();
    const MacAddress mac = host.record(0).mac();
    record::DeviceRecord fromPieces;
    for (const auto& frame : framesOf(host.handle(protocol::readRequest(mac, everyTag()), kTool)))
        record::storeReplyItems(fromPieces, frame);

    Bytes items;
    for (const record::ItemRow& row : record::itemTable())
        record::appendItem(items, host.record(0), row, record::Direction::Reply);
    const Bytes unsplit = protocol::buildFrame(protocol::Route::Local, 0x83, items, mac);
    record::DeviceRecord fromOne;
    record::storeReplyItems(fromOne, *protocol::checkFrame(unsplit));

    EXPECT_EQ(fromPieces, fromOne);
}

// Items made to measure: an item of n bytes in all.
Bytes itemOfSize(std::uint8_t tag, std::size_t n) {
    return item(tag, Bytes(n - 3, tag));
}

struct SplitCase {
    const char* name;
    std::vector<std::size_t> itemSizes;
    std::vector<std::size_t> datagramSizes;
    friend void PrintTo(const SplitCase& c, std::ostream* os) { *os << c.name; }
};

// 1457 bytes of items make the largest datagram that stays below 1472.
const SplitCase kSplitCases[] = {
    {"no_items", {}, {14}},
    {"exactly_the_largest", {1000, 457}, {1471}},
    {"one_byte_more", {1000, 458}, {1014, 472}},
    {"lone_long_item_between_short_ones", {10, 4099, 10}, {24, 4113, 24}},
    {"long_item_first", {4099, 10, 10}, {4113, 34}},
    {"many_small", std::vector<std::size_t>(300, 10), {1464, 1464, 114}},
};

class SplitLimits : public ::testing::TestWithParam<SplitCase> {};

TEST_P(SplitLimits, GreedyInOrder) {
    std::vector<Bytes> items;
    for (std::size_t i = 0; i < GetParam().itemSizes.size(); ++i)
        items.push_back(itemOfSize(static_cast<std::uint8_t>(i + 1), GetParam().itemSizes[i]));
    const MacAddress mac{2, 0, 0, 0, 0, 1};
    const auto datagrams = splitReply(protocol::Route::Local, 0x81, items, mac);
    std::vector<std::size_t> sizes;
    Bytes joined;
    for (const Bytes& d : datagrams) {
        sizes.push_back(d.size());
        const auto frame = protocol::checkFrame(d);
        ASSERT_TRUE(frame);
        EXPECT_EQ(frame->declaredLength, frame->body.size());
        joined.insert(joined.end(), frame->body.begin(), frame->body.end());
    }
    EXPECT_EQ(sizes, GetParam().datagramSizes);
    Bytes all;
    for (const Bytes& i : items) all.insert(all.end(), i.begin(), i.end());
    EXPECT_EQ(joined, all);
}

INSTANTIATE_TEST_SUITE_P(Cases, SplitLimits, ::testing::ValuesIn(kSplitCases), ByName{});

}  // namespace
}  // namespace norvane::sim::test
