#include "record/save_frame.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <utility>

#include "save_test_records.h"

namespace norvane::record {
namespace {

using testing::kKnownMac;
using testing::knownRecord;

struct Item {
    std::uint8_t tag;
    Bytes value;
    bool operator==(const Item&) const = default;
};

void PrintTo(const Item& item, std::ostream* os) {
    *os << "tag 0x" << std::hex << int{item.tag} << std::dec << ", " << item.value.size() << " bytes";
}

// Walks a save frame by its own envelope: header, the 0x01 leading byte, the items, the MAC and 0x45 0x2E.
struct WalkedFrame {
    std::uint8_t route = 0xFF;
    std::vector<Item> items;
    MacAddress mac{};
    bool wellFormed = false;
};

WalkedFrame walk(const Bytes& f) {
    WalkedFrame w;
    if (f.size() < 15 || f[0] != 0x88 || f[1] != 0x3A || f[3] != 0x04 || f[6] != 0x01) return w;
    w.route = f[2];
    const std::size_t itemsEnd = 6 + readBe16(&f[4]);
    if (itemsEnd + 8 != f.size()) return w;
    std::size_t p = 7;
    while (p < itemsEnd) {
        if (p + 3 > itemsEnd) return w;
        const std::size_t n = readBe16(&f[p + 1]);
        if (p + 3 + n > itemsEnd) return w;
        const auto at = f.begin() + static_cast<std::ptrdiff_t>(p);
        w.items.push_back({f[p], Bytes(at + 3, at + 3 + static_cast<std::ptrdiff_t>(n))});
        p += 3 + n;
    }
    std::copy_n(f.begin() + static_cast<std::ptrdiff_t>(itemsEnd), 6, w.mac.begin());
    w.wellFormed = f[f.size() - 2] == 0x45 && f.back() == 0x2E;
    return w;
}

Bytes zeros(std::size_t n) {
    return Bytes(n, 0);
}

Bytes be32s(std::initializer_list<std::uint32_t> values) {
    Bytes out;
    for (const std::uint32_t v : values) appendBe32(out, v);
    return out;
}

// Every item the known record's save carries, in order.
std::vector<Item> expectedItems() {
    return {
        {0x05, {0x00}},
        {0x08, {0x5A}},
        {0x11, {0x01}},
        {0x12, {192, 168, 1, 50}},
        {0x13, {255, 255, 255, 0}},
        {0x14, {192, 168, 1, 1}},
        {0x15, {8, 8, 8, 8}},
        {0x17, {0x07, 0x01, 0x08, 0x00, 0x01, 0x32}},
        {0x18, {}},
        {0x19, {}},
        {0x1B, {0xD2, 0xBB, 0xBA, 0xC5, 0xB3, 0xB5, 0xBC, 0xE4}},
        {0x1C, {0x02}},
        {0x1D, {'1', '0', '.', '0', '.', '0', '.', '9'}},
        {0x1E, {0x01, 0xF6}},
        {0x1F, {0x00, 0x00}},
        {0x20, {'p', 'i', 'n', 'g'}},
        {0x21, {0x00, 0x1E}},
        {0x22, {0x01}},
        {0x23, {0x00, 0xFF, 0x10}},
        {0x24, {0x00}},
        {0x25, {}},
        {0x26, {0x00, 0x00}},
        {0x27, {0x00, 0x00}},
        {0x28, {}},
        {0x29, {0x00, 0x00}},
        {0x2A, {0x00}},
        {0x2B, {}},
        {0x2C, zeros(2)},
        {0x2D, zeros(2)},
        {0x2E, zeros(2)},
        {0x30, {0x00}},
        {0x31, {}},
        {0x32, zeros(2)},
        {0x33, {}},
        {0x34, {}},
        {0x35, {}},
        {0x36, zeros(2)},
        {0x37, {0x00}},
        {0x38, {0x00}},
        {0x39, {}},
        {0x3A, {}},
        {0x3B, {}},
        {0x3C, {0x00}},
        {0x3D, {}},
        {0x3E, {}},
        {0x3F, {}},
        {0x40, {0x00}},
        {0x41, {}},
        {0x42, {0x00}},
        {0x43, {}},
        {0x44, {}},
        {0x45, {}},
        {0x4F, {17}},
        {0x54, {0x00}},
        {0x55, zeros(448)},
        {0x56, {0x01}},
        {0x57, be32s({1000, 1001, 1002, 1003, 1004, 1005, 1006, 1007, 1008, 1009,
                      1010, 1011, 1012, 1016, 1013, 1017, 1014, 1018, 1015, 1019})},
        {0x58, {0x00}},
        {0x59,
         [] {
             Bytes v = zeros(361);
             v[0] = 9;
             return v;
         }()},
        {0x5A,
         [] {
             Bytes v = zeros(49);
             v[0] = 6;
             return v;
         }()},
        {0x5B, {0x00}},
        {0x5C, {0x00}},
        {0x5D, zeros(3)},
        {0x5E, {0x00}},
        {0x5F, zeros(9)},
        {0x60,
         [] {
             Bytes v = zeros(57);
             v[0] = 7;
             return v;
         }()},
        {0x61, zeros(16)},
        {0x62, {0x00}},
        {0x63, {}},
        {0x64, {0x00}},
        {0x65, zeros(3)},
        {0x66, {0x00}},
        {0x67, zeros(16)},
        {0x69, {0x00}},
        {0x6A, zeros(8)},
        {0x6B, zeros(16)},
        {0x6C, zeros(32)},
        {0x70, {0x00}},
        {0x71, zeros(288)},
        {0x72, {0x01}},
        {0x73, {}},
        {0x74, {0x00, 0x03, 0x01, 0x05, 0x01}},
        {0x80, zeros(5)},
        {0x90, {0x00}},
        {0x91, {0x00}},
        {0x92, zeros(2)},
        {0x93, {}},
        {0x94, {}},
        {0x9F, {0x78}},
        {0xA0, {0x00}},
        {0xA1, zeros(2)},
        {0xA2, {}},
        {0xA3, {}},
        {0xA4, {}},
    };
}

TEST(SaveFrame, CarriesEveryItemOfTheKnownRecordInOrder) {
    const Bytes frame = saveFrame(knownRecord(), protocol::Route::Local);
    const WalkedFrame w = walk(frame);
    ASSERT_TRUE(w.wellFormed);
    EXPECT_EQ(w.route, 0);
    EXPECT_EQ(w.mac, kKnownMac);
    const std::vector<Item> expected = expectedItems();
    ASSERT_EQ(w.items.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) EXPECT_EQ(w.items[i], expected[i]) << "item " << i;
}

TEST(SaveFrame, NeverSendsWhatOnlyTheModuleReportsOrTheToolKeeps) {
    const WalkedFrame w = walk(saveFrame(knownRecord(), protocol::Route::Local));
    ASSERT_TRUE(w.wellFormed);
    const std::uint8_t neverSent[] = {0x01, 0x02, 0x03, 0x06, 0x07, 0x09, 0x16, 0x1A, 0x50, 0x51, 0x52, 0x53,
                                      0x68, 0xA5, 0xA6, 0xB0, 0xB1, 0xB2, 0xB3, 0xB4, 0xB5, 0xB6, 0xB7, 0xB8};
    for (const std::uint8_t tag : neverSent)
        EXPECT_FALSE(std::ranges::any_of(w.items, [&](const Item& item) { return item.tag == tag; }))
            << "tag 0x" << std::hex << int{tag};
}

TEST(SaveFrame, TakesTheRouteFlagAndTheRecordsMac) {
    DeviceRecord r = knownRecord();
    const MacAddress other{0x0A, 0x0B, 0x0C, 0x0D, 0x0E, 0x0F};
    r.setMac(other);
    const WalkedFrame w = walk(saveFrame(r, protocol::Route::CrossRouter));
    ASSERT_TRUE(w.wellFormed);
    EXPECT_EQ(w.route, 1);
    EXPECT_EQ(w.mac, other);
}

TEST(SaveFrame, IsBuiltWholeAtItsTrueSizeWhenEveryFieldIsFull) {
    // Every text as long as its field allows, data counts past the field, both script blocks full.
    DeviceRecord r;
    std::ranges::fill(r.image(), 'x');
    for (const std::size_t count : {516u, 647u, 910u, 1041u}) r.setU8(count, 255);
    for (const std::size_t block : {3584u, 7680u}) testing::setScriptLength(r, block, 4094);
    const Bytes frame = saveFrame(r, protocol::Route::Local);
    const WalkedFrame w = walk(frame);
    ASSERT_TRUE(w.wellFormed);
    EXPECT_GT(frame.size(), 2 * 4096u);
    const auto item = [&](std::uint8_t tag) {
        return std::ranges::find(w.items, tag, &Item::tag)->value.size();
    };
    EXPECT_EQ(item(0x73), 4096u);
    EXPECT_EQ(item(0x74), 4096u);
    EXPECT_EQ(item(0x20), 128u);  // a count past the field sends the field, no more
    EXPECT_EQ(item(0x1B), 64u);
    EXPECT_EQ(item(0x33), 65u);
}

}  // namespace
}  // namespace norvane::record
