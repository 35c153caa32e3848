#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "bytes.h"

// The debug monitor's columns. The monitor shows datagrams raw and never interprets them.
namespace norvane::live {

// A datagram longer than this is listed with its true length and only these first bytes.
inline constexpr std::size_t kMonitorKeptBytes = 8092;

// The local time a datagram arrived.
struct ArrivalTime {
    int year = 1970;
    int month = 1;
    int day = 1;
    int hour = 0;
    int minute = 0;
    int second = 0;
    int millisecond = 0;
};

// "2024-03-05 07:08:09 042": year, month, day, hour, minute, second, milliseconds.
std::string arrivalText(const ArrivalTime& time);

// The bytes as text up to the first zero byte, read as GBK (a byte that is no GBK character shows as U+FFFD),
// with each control character shown as a middle dot, as hex viewers do, so that no datagram can break a row
// into lines; the HEX column tells which byte it was.
std::string asciiColumn(ByteView bytes);

// Every byte as two lower-case hexadecimal digits and a space: "41 42 00 43 ".
std::string hexColumn(ByteView bytes);

// The detail box: "ASCII : " + the ASCII column + three line breaks + "HEX : " + the HEX column.
std::string detailText(std::string_view ascii, std::string_view hex);

}  // namespace norvane::live
