#include <gtest/gtest.h>

#include <algorithm>

#include "record/item_codec.h"

namespace norvane::record {
namespace {

enum class Lands : std::uint8_t { Raw, U16, U32, Text };
enum class Length : std::uint8_t { Exactly, AtMost, AtLeast };

// Every tag of the record layout: its length rule, and where the first piece of its value lands.
struct TagCase {
    std::uint8_t tag;
    Length rule;
    std::uint16_t n;
    std::uint16_t wirePos;  // where that piece starts in the value
    std::uint16_t offset;
    Lands lands;
    std::uint16_t size;  // Raw: bytes; Text: the field's width
};

constexpr Length EQ = Length::Exactly, LE = Length::AtMost, GE = Length::AtLeast;
constexpr Lands RAW = Lands::Raw, U16 = Lands::U16, U32 = Lands::U32, TXT = Lands::Text;

constexpr TagCase kTags[] = {
    {0x01, LE, 63, 0, 1048, TXT, 64},     {0x02, LE, 63, 0, 1112, TXT, 64},
    {0x03, LE, 63, 0, 1176, TXT, 64},     {0x05, EQ, 1, 0, 34, RAW, 1},
    {0x06, EQ, 4, 0, 36, U32, 4},         {0x07, EQ, 1, 0, 40, RAW, 1},
    {0x08, EQ, 1, 0, 3508, RAW, 1},       {0x09, EQ, 8, 0, 3509, RAW, 8},
    {0x11, EQ, 1, 0, 4, RAW, 1},          {0x12, EQ, 4, 0, 5, RAW, 4},
    {0x13, EQ, 4, 0, 9, RAW, 4},          {0x14, EQ, 4, 0, 13, RAW, 4},
    {0x15, EQ, 4, 0, 17, RAW, 4},         {0x16, EQ, 6, 0, 21, RAW, 6},
    {0x17, EQ, 6, 0, 27, RAW, 4},         {0x18, LE, 63, 0, 41, TXT, 64},
    {0x19, LE, 63, 0, 105, TXT, 64},      {0x1A, LE, 16, 0, 169, TXT, 17},
    {0x1B, LE, 63, 0, 186, TXT, 64},      {0x1C, EQ, 1, 0, 254, RAW, 1},
    {0x1D, LE, 127, 0, 255, TXT, 128},    {0x1E, EQ, 2, 0, 384, U16, 2},
    {0x1F, EQ, 2, 0, 386, U16, 2},        {0x20, LE, 128, 0, 388, TXT, 128},
    {0x21, EQ, 2, 1, 517, RAW, 1},        {0x22, EQ, 1, 0, 518, RAW, 1},
    {0x23, LE, 128, 0, 519, TXT, 128},    {0x24, EQ, 1, 0, 648, RAW, 1},
    {0x25, LE, 127, 0, 649, TXT, 128},    {0x26, EQ, 2, 0, 778, U16, 2},
    {0x27, EQ, 2, 0, 780, U16, 2},        {0x28, LE, 128, 0, 782, TXT, 128},
    {0x29, EQ, 2, 1, 911, RAW, 1},        {0x2A, EQ, 1, 0, 912, RAW, 1},
    {0x2B, LE, 128, 0, 913, TXT, 128},    {0x2C, EQ, 2, 0, 1042, RAW, 2},
    {0x2D, EQ, 2, 0, 1044, U16, 2},       {0x2E, EQ, 2, 0, 1046, U16, 2},
    {0x30, EQ, 1, 0, 1240, RAW, 1},       {0x31, LE, 128, 0, 1241, TXT, 128},
    {0x32, EQ, 2, 0, 1370, U16, 2},       {0x33, LE, 65, 0, 1372, TXT, 65},
    {0x34, LE, 65, 0, 1437, TXT, 65},     {0x35, LE, 65, 0, 1502, TXT, 65},
    {0x36, EQ, 2, 0, 1568, U16, 2},       {0x37, EQ, 1, 0, 1570, RAW, 1},
    {0x38, EQ, 1, 0, 1571, RAW, 1},       {0x39, LE, 65, 0, 1572, TXT, 65},
    {0x3A, LE, 65, 0, 1703, TXT, 65},     {0x3B, LE, 65, 0, 1963, TXT, 65},
    {0x3C, EQ, 1, 0, 2030, RAW, 1},       {0x3D, LE, 65, 0, 2031, TXT, 65},
    {0x3E, LE, 65, 0, 2096, TXT, 65},     {0x3F, LE, 65, 0, 2161, TXT, 65},
    {0x40, EQ, 1, 0, 1702, RAW, 1},       {0x41, LE, 65, 0, 1637, TXT, 65},
    {0x42, EQ, 1, 0, 2028, RAW, 1},       {0x43, LE, 65, 0, 1768, TXT, 65},
    {0x44, LE, 65, 0, 1833, TXT, 65},     {0x45, LE, 65, 0, 1898, TXT, 65},
    {0x4F, GE, 2, 0, 250, RAW, 2},        {0x50, EQ, 32, 0, 12484, RAW, 32},
    {0x51, EQ, 32, 0, 12548, RAW, 32},    {0x52, EQ, 16, 0, 12612, U16, 2},
    {0x53, EQ, 128, 0, 12740, U32, 4},    {0x54, EQ, 1, 0, 2226, RAW, 1},
    {0x55, GE, 448, 0, 2228, RAW, 2},     {0x56, EQ, 1, 0, 3200, RAW, 1},
    {0x57, GE, 80, 0, 3204, U32, 4},      {0x58, EQ, 1, 0, 2740, RAW, 1},
    {0x59, GE, 361, 1, 2838, RAW, 9},     {0x5A, GE, 49, 1, 2774, RAW, 1},
    {0x5B, EQ, 1, 0, 3284, RAW, 1},       {0x5C, EQ, 1, 0, 3362, RAW, 1},
    {0x5D, EQ, 3, 0, 3358, RAW, 1},       {0x5E, EQ, 1, 0, 3363, RAW, 1},
    {0x5F, EQ, 9, 0, 3285, RAW, 9},       {0x60, GE, 57, 1, 3294, RAW, 2},
    {0x61, GE, 16, 0, 3432, RAW, 3},      {0x62, GE, 1, 0, 252, RAW, 1},
    {0x63, LE, 64, 0, 3364, TXT, 65},     {0x64, GE, 1, 0, 3429, RAW, 1},
    {0x65, GE, 3, 0, 3460, RAW, 3},       {0x66, GE, 1, 0, 3463, RAW, 1},
    {0x67, GE, 16, 0, 3465, RAW, 16},     {0x68, GE, 16, 0, 13131, RAW, 16},
    {0x69, GE, 1, 0, 3482, RAW, 1},       {0x6A, GE, 8, 0, 3483, RAW, 8},
    {0x6B, GE, 16, 0, 3492, U16, 2},      {0x6C, EQ, 32, 0, 2741, RAW, 32},
    {0x70, GE, 1, 0, 11776, RAW, 1},      {0x71, GE, 288, 0, 11780, RAW, 1},
    {0x72, GE, 1, 0, 3583, RAW, 1},       {0x73, LE, 4096, 0, 7680, TXT, 4096},
    {0x74, LE, 4096, 0, 3584, TXT, 4096}, {0x80, GE, 5, 0, 12164, RAW, 1},
    {0x90, EQ, 1, 0, 12172, RAW, 1},      {0x91, EQ, 1, 0, 12173, RAW, 1},
    {0x92, EQ, 2, 0, 12174, U16, 2},      {0x93, LE, 64, 0, 12176, TXT, 65},
    {0x94, LE, 127, 0, 12241, TXT, 128},  {0x9F, GE, 1, 0, 3582, RAW, 1},
    {0xA0, GE, 1, 0, 12482, RAW, 1},      {0xA1, GE, 2, 0, 12380, RAW, 2},
    {0xA2, LE, 31, 0, 12382, TXT, 32},    {0xA3, LE, 31, 0, 12414, TXT, 32},
    {0xA4, LE, 31, 0, 12446, TXT, 32},    {0xA5, LE, 20, 0, 13247, TXT, 20},
    {0xA6, LE, 20, 0, 13267, TXT, 20},    {0xB0, EQ, 8, 0, 12996, RAW, 8},
    {0xB1, GE, 10, 0, 13012, RAW, 10},    {0xB2, GE, 24, 0, 13024, U32, 4},
    {0xB3, GE, 17, 0, 13112, RAW, 1},     {0xB4, GE, 16, 0, 13114, U16, 2},
    {0xB6, GE, 1, 0, 13148, RAW, 1},      {0xB8, GE, 15, 0, 13288, RAW, 2},
};

// A value whose bytes tell their positions apart; a strided item's first byte (its stride) and the 4G
// presence byte come out as 1.
Bytes patterned(std::size_t length) {
    Bytes v(length);
    for (std::size_t i = 0; i < length; ++i) v[i] = static_cast<std::uint8_t>(i + 1);
    return v;
}

DeviceRecord filledWith(std::uint8_t byte) {
    DeviceRecord r;
    r.image().fill(byte);
    return r;
}

std::vector<std::size_t> acceptedLengths(const TagCase& c) {
    switch (c.rule) {
        case EQ:
            return {c.n};
        case LE:
            return {0, c.n};
        case GE:
            return {c.n, std::size_t{c.n} + 3};
    }
    return {};
}

std::vector<std::size_t> rejectedLengths(const TagCase& c) {
    switch (c.rule) {
        case EQ:
            return {c.n - 1u, c.n + 1u};
        case LE:
            return {c.n + 1u};
        case GE:
            return {c.n - 1u};
    }
    return {};
}

TEST(StoreItem, EveryTagLandsAtItsOffsetInItsByteOrderWhenItsLengthMeetsTheRule) {
    for (const TagCase& c : kTags) {
        for (const std::size_t length : acceptedLengths(c)) {
            SCOPED_TRACE(testing::Message()
                         << "tag 0x" << std::hex << int{c.tag} << std::dec << " length " << length);
            DeviceRecord r = filledWith(0xEE);
            const Bytes value = patterned(length);
            ASSERT_TRUE(storeItem(r, c.tag, value));
            if (length == 0) {
                EXPECT_TRUE(std::ranges::all_of(r.field(c.offset, c.size), [](auto b) { return b == 0; }));
                continue;
            }
            const std::uint8_t* w = &value[c.wirePos];
            switch (c.lands) {
                case RAW:
                    EXPECT_TRUE(std::equal(w, w + c.size, r.field(c.offset, c.size).begin()));
                    break;
                case U16:
                    EXPECT_EQ(r.u16(c.offset), readBe16(w));
                    break;
                case U32:
                    EXPECT_EQ(r.u32(c.offset), readBe32(w));
                    break;
                case TXT: {
                    // Cleared before the copy: no byte of the previous content survives past the value.
                    Bytes expected(value);
                    expected.resize(c.size, 0);
                    const auto f = r.field(c.offset, c.size);
                    EXPECT_EQ(Bytes(f.begin(), f.end()), expected);
                    break;
                }
            }
        }
    }
}

TEST(StoreItem, EveryTagRejectsTheNearestLengthsOutsideItsRuleAndLeavesTheRecordAsItWas) {
    for (const TagCase& c : kTags) {
        for (const std::size_t length : rejectedLengths(c)) {
            SCOPED_TRACE(testing::Message()
                         << "tag 0x" << std::hex << int{c.tag} << std::dec << " length " << length);
            DeviceRecord r = filledWith(0xEE);
            EXPECT_FALSE(storeItem(r, c.tag, patterned(length)));
            EXPECT_EQ(r, filledWith(0xEE));
        }
    }
}

TEST(ItemTable, KnowsExactlyTheTagsOfTheLayout) {
    // Items that only act on the screen (network test, traffic) have no field.
    std::vector<std::uint8_t> expected;
    for (const TagCase& c : kTags) expected.push_back(c.tag);
    std::vector<std::uint8_t> known;
    for (int t = 0; t < 256; ++t)
        if (findItem(static_cast<std::uint8_t>(t))) known.push_back(static_cast<std::uint8_t>(t));
    EXPECT_EQ(known, expected);
    for (int unknown : {0x00, 0x04, 0x0A, 0x10, 0x2F, 0x46, 0x4E, 0x6D, 0x6F, 0x75, 0x7F,
                        0x81, 0x8F, 0x95, 0x9E, 0xA7, 0xAF, 0xB5, 0xB7, 0xB9, 0xFF}) {
        DeviceRecord r;
        EXPECT_FALSE(storeItem(r, static_cast<std::uint8_t>(unknown), patterned(4))) << unknown;
        EXPECT_EQ(r, DeviceRecord{});
    }
}

TEST(StoreItem, SerialSettingsSplitIntoSingleBytesAndTheBigEndianPackingTime) {
    DeviceRecord r;
    ASSERT_TRUE(storeItem(r, 0x17, Bytes{0x06, 0x01, 0x08, 0x02, 0x01, 0x2C}));
    EXPECT_EQ(Bytes(r.field(27, 4).begin(), r.field(27, 4).end()), (Bytes{0x06, 0x01, 0x08, 0x02}));
    EXPECT_EQ(r.u16(32), 300);
}

TEST(StoreItem, HeartbeatIntervalKeepsOnlyItsSecondByte) {
    DeviceRecord r;
    ASSERT_TRUE(storeItem(r, 0x21, Bytes{0x01, 0x2C}));
    EXPECT_EQ(r.u8(517), 0x2C);
    EXPECT_EQ(r.u8(516), 0);
    EXPECT_EQ(encodeValue(r, *findItem(0x21), Direction::Save), (Bytes{0x00, 0x2C}));
}

TEST(StoreItem, RtuAddressReadsTwoBytesAndSavesOne) {
    DeviceRecord r;
    ASSERT_TRUE(storeItem(r, 0x4F, Bytes{0x11, 0x01, 0x99}));
    EXPECT_EQ(r.u8(250), 0x11);
    EXPECT_EQ(r.u8(251), 0x01);
    EXPECT_EQ(r.u8(252), 0);
    EXPECT_EQ(encodeValue(r, *findItem(0x4F), Direction::Save), Bytes{0x11});
    EXPECT_EQ(encodeValue(r, *findItem(0x4F), Direction::Reply), (Bytes{0x11, 0x01}));
}

TEST(StoreItem, PwmPresetsArriveInOrderAndLeaveInterleaved) {
    Bytes value;
    for (std::uint32_t k = 0; k < 20; ++k) appendBe32(value, 0x01000000u + k);
    DeviceRecord r;
    ASSERT_TRUE(storeItem(r, 0x57, value));
    for (std::size_t k = 0; k < 20; ++k) EXPECT_EQ(r.u32(3204 + 4 * k), 0x01000000u + k);

    Bytes saved;
    for (std::uint32_t k :
         {0u, 1u, 2u, 3u, 4u, 5u, 6u, 7u, 8u, 9u, 10u, 11u, 12u, 16u, 13u, 17u, 14u, 18u, 15u, 19u})
        appendBe32(saved, 0x01000000u + k);
    EXPECT_EQ(encodeValue(r, *findItem(0x57), Direction::Save), saved);

    // A module taking the save reads the same order back.
    DeviceRecord module;
    ASSERT_TRUE(storeItem(module, 0x57, saved, Direction::Save));
    EXPECT_EQ(encodeValue(module, *findItem(0x57), Direction::Reply), value);
}

TEST(StoreItem, StridedItemsAreReadAtTheStrideTheirFirstByteGives) {
    // Linkage rules announced with 10-byte entries: each rule's 9 bytes start every 10 bytes.
    Bytes value{10};
    for (std::uint8_t r = 0; r < 40; ++r)
        for (std::uint8_t b = 0; b < 10; ++b)
            value.push_back(static_cast<std::uint8_t>(b == 9 ? 0xFF : r + b));
    DeviceRecord rec;
    ASSERT_TRUE(storeItem(rec, 0x59, value));
    for (std::size_t r = 0; r < 40; ++r)
        for (std::size_t b = 0; b < 9; ++b) ASSERT_EQ(rec.u8(2838 + 9 * r + b), r + b) << r << ' ' << b;

    // ADC conditions at their own stride: entry bytes 0, 6, then 2-3 and 4-5 as big-endian numbers.
    Bytes adc{8};
    for (std::uint8_t k = 0; k < 8; ++k) adc.insert(adc.end(), {k, 0x60, 0x12, 0x34, 0x56, 0x78, 0xEE, 0xEE});
    ASSERT_TRUE(storeItem(rec, 0x5A, adc));
    for (std::size_t k = 0; k < 8; ++k) {
        EXPECT_EQ(rec.u8(2774 + 8 * k), k);
        EXPECT_EQ(rec.u8(2780 + 8 * k), 0x60);
        EXPECT_EQ(rec.u16(2776 + 8 * k), 0x1234);
        EXPECT_EQ(rec.u16(2778 + 8 * k), 0x5678);
    }
}

TEST(StoreItem, StridedItemWhoseLastEntryRunsPastItsEndIsIgnoredWhole) {
    for (const std::uint8_t tag : {std::uint8_t{0x59}, std::uint8_t{0x5A}, std::uint8_t{0x60}}) {
        const ItemRow& row = *findItem(tag);
        Bytes value(row.ruleLength, 0x33);
        value[0] = 20;  // entries this far apart do not fit in the item's length
        DeviceRecord r = filledWith(0xEE);
        EXPECT_FALSE(storeItem(r, tag, value)) << int{tag};
        EXPECT_EQ(r, filledWith(0xEE)) << int{tag};
    }
}

TEST(StoreItem, FourGStateStoresTheRestOnlyWhenPresentAndWhole) {
    Bytes full{1, 5, 7, 28};
    const std::string imei = "861234567890123", iccid = "89860012345678901234";
    full.insert(full.end(), imei.begin(), imei.end());
    full.insert(full.end(), iccid.begin(), iccid.end());
    ASSERT_EQ(full.size(), 39u);

    DeviceRecord r = filledWith(0xEE);
    ASSERT_TRUE(storeItem(r, 0xB6, full));
    EXPECT_EQ(r.u8(13148), 1);
    EXPECT_EQ(r.u8(13246), 5);
    EXPECT_EQ(r.u8(13213), 7);
    EXPECT_EQ(r.u8(13147), 28);
    EXPECT_EQ(r.text(13149, 32), imei);
    EXPECT_EQ(r.text(13181, 32), iccid);
    EXPECT_EQ(r.u8(13149 + 15), 0);  // cleared between the IMEI and the ICCID
    EXPECT_EQ(r.u8(13212), 0);

    for (const Bytes& partial : {Bytes{0}, Bytes(full.begin(), full.end() - 1)}) {
        DeviceRecord p = filledWith(0xEE);
        ASSERT_TRUE(storeItem(p, 0xB6, partial));
        DeviceRecord expected = filledWith(0xEE);
        expected.setU8(13148, partial[0]);
        EXPECT_EQ(p, expected) << partial.size();
    }
}

TEST(StoreItem, ReservedBytesClearTheByteAfterThem) {
    DeviceRecord r = filledWith(0xEE);
    ASSERT_TRUE(storeItem(r, 0x09, patterned(8)));
    EXPECT_EQ(r.u8(3516), 8);
    EXPECT_EQ(r.u8(3517), 0);
    EXPECT_EQ(r.u8(3518), 0xEE);
}

TEST(StoreItem, SixtyFiveByteTextFillsItsFieldWithoutTerminator) {
    DeviceRecord r;
    ASSERT_TRUE(storeItem(r, 0x33, Bytes(65, 'm')));
    EXPECT_EQ(r.text(1372, 65), std::string(65, 'm'));
    EXPECT_EQ(r.u8(1437), 0);
    EXPECT_EQ(encodeValue(r, *findItem(0x33), Direction::Save), Bytes(65, 'm'));
}

TEST(StoreItem, DataItemsSetTheirByteCountSoASaveSendsBackWhatTheModuleHolds) {
    struct Case {
        std::uint8_t tag;
        std::size_t countOffset;
    };
    for (const Case c : {Case{0x20, 516}, Case{0x23, 647}, Case{0x28, 910}, Case{0x2B, 1041}}) {
        for (const std::size_t length : {std::size_t{0}, std::size_t{5}, std::size_t{128}}) {
            DeviceRecord r;
            r.setU8(c.countOffset, 77);
            const Bytes value = patterned(length);
            ASSERT_TRUE(storeItem(r, c.tag, value));
            EXPECT_EQ(r.u8(c.countOffset), length) << int{c.tag};
            EXPECT_EQ(encodeValue(r, *findItem(c.tag), Direction::Save), value) << int{c.tag};
        }
    }
}

TEST(StoreItem, ScriptBlocksAreClearedThenCopiedAndSentByTheirLengthPrefix) {
    DeviceRecord r = filledWith(0xEE);
    ASSERT_TRUE(storeItem(r, 0x74, Bytes{0x00, 0x03, 'a', 'b', 'c'}));
    EXPECT_EQ(r.u8(3584 + 5), 0);
    EXPECT_EQ(r.u8(3584 + 4095), 0);
    EXPECT_EQ(encodeValue(r, *findItem(0x74), Direction::Save), (Bytes{0x00, 0x03, 'a', 'b', 'c'}));

    // A length prefix that claims more than the block holds: sent empty, never cut.
    r.setU8(7680, 0x0F);
    r.setU8(7681, 0xFF);
    EXPECT_TRUE(encodeValue(r, *findItem(0x73), Direction::Save).empty());
}

TEST(StoreItem, ShortDeviceInformationFillsOnlyTheNumbersItHolds) {
    DeviceRecord r;
    r.setText(13048, 4, "c1.0");
    ASSERT_TRUE(storeItem(r, 0xB2, patterned(24)));
    EXPECT_EQ(r.u32(13044), readBe32(&patterned(24)[20]));
    EXPECT_EQ(r.text(13048, 32), "c1.0");

    Bytes full = patterned(49);
    std::copy_n("2.01", 4, full.begin() + 24);
    ASSERT_TRUE(storeItem(r, 0xB2, full));
    EXPECT_EQ(r.text(13048, 32), "2.01");
    EXPECT_EQ(r.u32(3452), readBe32(&full[40]));
    EXPECT_EQ(r.u8(13130), 49);
}

TEST(StoreItem, EveryItemASaveSendsIsTakenBackByAModule) {
    // Whatever a save encodes, a module storing it in the save layout holds the same bytes again.
    DeviceRecord source;
    for (std::size_t i = 0; i < DeviceRecord::kSize; ++i)
        source.image()[i] = static_cast<std::uint8_t>(i * 7 + 3);
    source.setU16(3584, 0);  // script blocks start with a length that fits
    source.setU16(7680, 0x0200);
    for (const ItemRow& row : itemTable()) {
        if (!row.sentBySave) continue;
        if (row.kind == ItemKind::Text)
            source.setText(row.offset, row.width, std::string(row.ruleLength, 'x'));
        const Bytes value = encodeValue(source, row, Direction::Save);
        DeviceRecord module;
        ASSERT_TRUE(storeItem(module, row.tag, value, Direction::Save)) << int{row.tag};
        EXPECT_EQ(encodeValue(module, row, Direction::Save), value) << int{row.tag};
    }
}

}  // namespace
}  // namespace norvane::record
