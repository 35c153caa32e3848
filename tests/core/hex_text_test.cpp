#include "text/hex_text.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "bytes.h"

namespace norvane::text {
namespace {

constexpr std::size_t kField = 128;

struct Parsed {
    HexParseResult result;
    Bytes field;  // the destination afterwards, prefilled with 0xEE
};

// The destination is a heap buffer of exactly the field's size, so a write past it is caught by the
// sanitizer.
Parsed parse(std::string_view text) {
    Bytes field(kField, 0xEE);
    const HexParseResult result = parseHexText(text, field);
    return {result, field};
}

TEST(HexText, TurnsDigitPairsIntoBytes) {
    struct Case {
        std::string text;
        Bytes bytes;
    };
    const Case cases[] = {
        {"01 02 0A", {0x01, 0x02, 0x0A}},
        {"1 2", {0x12}},
        {"ABC", {0xAB, 0x0C}},
        {"abcdef", {0xAB, 0xCD, 0xEF}},
        {" 7 ", {0x07}},
        {"00FF10", {0x00, 0xFF, 0x10}},
        {"", {}},
        {"   ", {}},
        {std::string(2 * kField, 'f'), Bytes(kField, 0xFF)},
        {std::string(2 * kField - 1, '1'),
         [] {
             Bytes b(kField, 0x11);
             b.back() = 0x01;
             return b;
         }()},
    };
    for (const Case& c : cases) {
        const Parsed p = parse(c.text);
        ASSERT_FALSE(p.result.failure) << c.text;
        EXPECT_EQ(p.result.count, c.bytes.size()) << c.text;
        EXPECT_EQ(Bytes(p.field.begin(), p.field.begin() + static_cast<std::ptrdiff_t>(c.bytes.size())),
                  c.bytes)
            << c.text;
    }
}

TEST(HexText, RefusesWhatIsNotHexOrDoesNotFitAndWritesNothing) {
    struct Case {
        std::string text;
        HexFailure failure;
    };
    const Case cases[] = {
        {"0G", HexFailure::NotHex},
        {"12\t34", HexFailure::NotHex},  // only spaces are dropped
        {"0x12", HexFailure::NotHex},
        {"12-34", HexFailure::NotHex},
        {"\xA3\xB1\xA3\xB2", HexFailure::NotHex},  // full-width digits in GBK
        {std::string(2 * kField + 1, 'A'), HexFailure::TooLong},
        {std::string(2 * kField + 2, '0'), HexFailure::TooLong},
        {std::string(300, '0') + "z", HexFailure::NotHex},
    };
    for (const Case& c : cases) {
        const Parsed p = parse(c.text);
        EXPECT_EQ(p.result.failure, c.failure) << c.text.substr(0, 20);
        EXPECT_EQ(p.result.count, 0u);
        EXPECT_TRUE(std::ranges::all_of(p.field, [](std::uint8_t b) { return b == 0xEE; }))
            << c.text.substr(0, 20);
    }
}

TEST(HexText, FailureMessagesTellTheTwoFailuresApart) {
    EXPECT_EQ(hexFailureMessage(HexFailure::NotHex, kField), "Please type hex number");
    EXPECT_EQ(hexFailureMessage(HexFailure::TooLong, kField), "Please type at most 128 bytes of hex");
}

}  // namespace
}  // namespace norvane::text
