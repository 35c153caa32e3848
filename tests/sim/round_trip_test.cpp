// Whatever a module holds travels whole: what it reports is what the tool stores, and what the tool writes is
// what it holds.

#include <gtest/gtest.h>

#include <random>

#include "sim_test_support.h"

namespace norvane::sim::test {
namespace {

using record::Direction;
using record::ItemKind;
using record::ItemRow;

// A record whose every item holds random content that its row allows: texts without zeros within their length
// rule, data counts up to 128, script blocks up to 4094 bytes, and the 4G state 1 so that its whole item
// counts.
record::DeviceRecord randomRecord(std::uint32_t seed) {
    std::mt19937 random(seed);
    const auto byte = [&](int low = 0) {
        return static_cast<std::uint8_t>(std::uniform_int_distribution(low, 255)(random));
    };
    const auto upTo = [&](std::size_t n) { return std::uniform_int_distribution<std::size_t>(0, n)(random); };
    record::DeviceRecord r;
    for (const ItemRow& row : record::itemTable()) {
        switch (row.kind) {
            case ItemKind::Fixed:
            case ItemKind::Strided:
            case ItemKind::FourG:
                for (std::size_t e = 0; e < row.repeat; ++e)
                    for (const record::Segment& s : row.segments)
                        for (std::uint8_t& b : r.field(s.offset + e * row.recordStride, s.wireSize))
                            b = byte();
                break;
            case ItemKind::Text: {
                const std::size_t length = upTo(std::min<std::size_t>(row.ruleLength, row.width));
                std::string text(length, ' ');
                for (char& c : text) c = static_cast<char>(byte(1));
                r.setText(row.offset, row.width, text);
                break;
            }
            case ItemKind::Data: {
                const std::size_t count = upTo(record::kDataFieldSize);
                for (std::uint8_t& b : r.field(row.offset, count)) b = byte();
                r.setU8(row.countOffset, static_cast<std::uint8_t>(count));
                break;
            }
            case ItemKind::Script: {
                const std::size_t length = upTo(record::kScriptBlockSize - 2);
                const auto block = r.field(row.offset, 2 + length);
                block[0] = static_cast<std::uint8_t>(length >> 8);
                block[1] = static_cast<std::uint8_t>(length);
                for (std::size_t i = 2; i < block.size(); ++i) block[i] = byte();
                break;
            }
        }
    }
    r.setU8(13148, 1);
    r.setMac({0x02, byte(), byte(), byte(), byte(), byte(1)});
    return r;
}

class RoundTrip : public ::testing::TestWithParam<std::uint32_t> {};

TEST_P(RoundTrip, EveryItemReportedIsStoredAsTheModuleHoldsIt) {
    const record::DeviceRecord held = randomRecord(GetParam());
    ModuleHost host({held});
    // The random lock byte may have locked the module; its own credentials always pass.
    const protocol::LockCredentials credentials{std::string(held.text(record::offset::kUserName, 64)),
                                                std::string(held.text(record::offset::kPassword, 64))};
    const Bytes read = protocol::withLockPrefix(protocol::readRequest(held.mac(), everyTag()), credentials);
    record::DeviceRecord stored;
    Bytes tags;
    for (const auto& frame : framesOf(host.handle(read, kTool))) {
        record::storeReplyItems(stored, frame, [&](const protocol::ConfigItem& item, bool wasStored) {
            EXPECT_TRUE(wasStored) << "tag " << int{item.tag} << ", " << item.declaredLength << " bytes";
            tags.push_back(item.tag);
        });
    }
    EXPECT_EQ(tags, everyTag());
    for (const ItemRow& row : record::itemTable())
        EXPECT_EQ(record::encodeValue(stored, row, Direction::Reply),
                  record::encodeValue(held, row, Direction::Reply))
            << "tag " << int{row.tag};
}

TEST_P(RoundTrip, EveryItemOfAFullWriteIsHeldAsWritten) {
    const record::DeviceRecord wanted = randomRecord(GetParam());
    ModuleHost host(plausibleRecords(1));
    const Bytes write = protocol::writeRequest(host.record(0).mac(), protocol::WriteKind::FullConfiguration,
                                               saveItems(wanted));
    ASSERT_EQ(framesOf(feed(host, piecesOf(write))).size(), 1u);
    for (const ItemRow& row : record::itemTable()) {
        if (!row.sentBySave) continue;
        EXPECT_EQ(record::encodeValue(host.record(0), row, Direction::Save),
                  record::encodeValue(wanted, row, Direction::Save))
            << "tag " << int{row.tag};
    }
}

INSTANTIATE_TEST_SUITE_P(Seeds, RoundTrip, ::testing::Values(1u, 2u, 3u, 20240518u, 4000000000u));

}  // namespace
}  // namespace norvane::sim::test
