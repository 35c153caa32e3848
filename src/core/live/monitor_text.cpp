#include "live/monitor_text.h"

#include <algorithm>
#include <cstdio>

#include "text/gbk.h"

namespace norvane::live {

std::string arrivalText(const ArrivalTime& t) {
    char text[64];
    std::snprintf(text, sizeof text, "%4d-%02d-%02d %02d:%02d:%02d %03d", t.year, t.month, t.day, t.hour,
                  t.minute, t.second, t.millisecond);
    return text;
}

std::string asciiColumn(ByteView bytes) {
    const auto end = std::ranges::find(bytes, std::uint8_t{0});
    const std::string_view gbk(reinterpret_cast<const char*>(bytes.data()),
                               static_cast<std::size_t>(end - bytes.begin()));
    const std::string utf8 = text::gbkToUtf8(gbk);
    std::string shown;
    shown.reserve(utf8.size());
    for (const char c : utf8) {
        const auto byte = static_cast<unsigned char>(c);
        // Only ASCII control characters are single bytes below 0x20 (or 0x7F) in UTF-8.
        if (byte < 0x20 || byte == 0x7F)
            shown += "\u00B7";
        else
            shown += c;
    }
    return shown;
}

std::string hexColumn(ByteView bytes) {
    constexpr char kDigits[] = "0123456789abcdef";
    std::string text;
    text.reserve(3 * bytes.size());
    for (const std::uint8_t byte : bytes) text += {kDigits[byte >> 4], kDigits[byte & 0x0F], ' '};
    return text;
}

std::string detailText(std::string_view ascii, std::string_view hex) {
    std::string text = "ASCII : ";
    text.append(ascii).append("\r\n\r\n\r\nHEX : ").append(hex);
    return text;
}

}  // namespace norvane::live
