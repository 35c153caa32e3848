#include <gtest/gtest.h>

#include "text/decimal.h"
#include "text/gbk.h"

namespace norvane::text {
namespace {

TEST(Gbk, ChineseNamesRoundTrip) {
    const std::string name = "一号车间";
    const std::string gbk = utf8ToGbk(name);
    EXPECT_EQ(gbk, "\xD2\xBB\xBA\xC5\xB3\xB5\xBC\xE4");
    EXPECT_EQ(gbkToUtf8(gbk), name);
    EXPECT_EQ(gbkToUtf8("V10020"), "V10020");
}

TEST(Gbk, BrokenBytesBecomeMarksInsteadOfStoppingTheText) {
    EXPECT_EQ(gbkToUtf8("a\xFF"
                        "b"),
              "a\xEF\xBF\xBD"
              "b");
    EXPECT_EQ(gbkToUtf8("ab\xD2"), "ab\xEF\xBF\xBD");  // a lead byte cut off at the end
    EXPECT_EQ(utf8ToGbk("a\xF0\x9F\x98\x80"
                        "b"),
              "a?b");  // no GBK form for an emoji
}

TEST(Gbk, CutsOnACharacterBoundary) {
    const std::string gbk = utf8ToGbk("ab一号车");  // 2 + 3 × 2 bytes
    EXPECT_EQ(cutGbk(gbk, 8), gbk);
    EXPECT_EQ(cutGbk(gbk, 7), gbk.substr(0, 6));
    EXPECT_EQ(cutGbk(gbk, 3), "ab");
    EXPECT_EQ(cutGbk(gbk, 0), "");
}

TEST(Decimal, ReadsAsTheCLibraryDoes) {
    struct Case {
        const char* text;
        std::int64_t value;
    };
    for (const Case& c : {Case{"300", 300}, Case{"  -12x", -12}, Case{"+7", 7}, Case{"abc", 0}, Case{"", 0},
                          Case{"12 34", 12}, Case{"\t9", 9}, Case{"-", 0}}) {
        EXPECT_EQ(parseDecimal(c.text), c.value) << c.text;
    }
    EXPECT_EQ(static_cast<std::uint8_t>(parseDecimal("300")), 44);  // kept to a one-byte field
    EXPECT_EQ(static_cast<std::uint16_t>(parseDecimal("99999999999999999999999")),
              static_cast<std::uint16_t>(parseDecimal("99999999999999999999999")));  // wraps, never undefined
}

}  // namespace
}  // namespace norvane::text
