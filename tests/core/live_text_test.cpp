// How the panel writes readings and counters, and how the debug monitor writes a datagram's columns.
#include <gtest/gtest.h>

#include "live/monitor_text.h"
#include "live/reading_text.h"

namespace norvane::live {
namespace {

TEST(ReadingText, ScalesTheRawCountToTheChosenRange) {
    struct Case {
        std::uint16_t raw;
        ReadingRange range;
        const char* shown;
    };
    const Case cases[] = {
        {2027, ReadingRange::Current20mA, "20.000"},
        {2027, ReadingRange::Voltage5V, "5.000"},
        {2027, ReadingRange::Voltage10V, "10.000"},
        {1000, ReadingRange::Adc, "1000"},
        {1000, ReadingRange::Current20mA, "9.867"},
        {0, ReadingRange::Voltage10V, "0.000"},
        {65535, ReadingRange::Adc, "65535"},
        {65535, ReadingRange::Voltage5V, "161.655"},
        // Single precision: 1 * 10 / 2027 is 0.0049333... and rounds to 0.005.
        {1, ReadingRange::Voltage10V, "0.005"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(readingText(c.raw, c.range), c.shown) << c.raw << " in range " << static_cast<int>(c.range);
}

TEST(CounterText, IsSigned) {
    EXPECT_EQ(counterText(0xFFFFFFFF), "-1");
    EXPECT_EQ(counterText(0x80000000), "-2147483648");
    EXPECT_EQ(counterText(123456), "123456");
}

Bytes bytes(std::initializer_list<std::uint8_t> list) {
    return Bytes(list);
}

TEST(MonitorColumns, ShowTheBytesAsTextUpToTheFirstZeroAndAllOfThemInHex) {
    struct Case {
        const char* name;
        Bytes datagram;
        std::string ascii;
        std::string hex;
    };
    const Case cases[] = {
        {"zero inside", bytes({0x41, 0x42, 0x00, 0x43}), "AB", "41 42 00 43 "},
        {"no zero", bytes({0x6F, 0x6B}), "ok", "6f 6b "},
        {"zero first", bytes({0x00, 0xFF}), "", "00 ff "},
        {"GBK text", bytes({0xD6, 0xD0, 0xCE, 0xC4}), "中文", "d6 d0 ce c4 "},
        // A lead byte without its trail and a byte GBK never uses: each shows as U+FFFD.
        {"broken GBK", bytes({0x41, 0xFF, 0x42, 0xD6}), "A\uFFFDB\uFFFD", "41 ff 42 d6 "},
        // Line breaks and other control characters never split a row.
        {"control characters", bytes({0x0D, 0x0A, 0x09, 0x41, 0x7F, 0x01}), "\u00B7\u00B7\u00B7A\u00B7\u00B7",
         "0d 0a 09 41 7f 01 "},
        {"frame header", bytes({0x88, 0x3A, 0x00, 0x04}), "\uFFFD:", "88 3a 00 04 "},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(asciiColumn(c.datagram), c.ascii) << c.name;
        EXPECT_EQ(hexColumn(c.datagram), c.hex) << c.name;
    }
    EXPECT_EQ(asciiColumn({}), "");
    EXPECT_EQ(hexColumn({}), "");
}

TEST(MonitorColumns, TimeAndDetail) {
    EXPECT_EQ(arrivalText({2024, 3, 5, 7, 8, 9, 42}), "2024-03-05 07:08:09 042");
    EXPECT_EQ(arrivalText({2099, 12, 31, 23, 59, 59, 999}), "2099-12-31 23:59:59 999");
    EXPECT_EQ(detailText("AB", "41 42 00 43 "), "ASCII : AB\r\n\r\n\r\nHEX : 41 42 00 43 ");
}

}  // namespace
}  // namespace norvane::live
