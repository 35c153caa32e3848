#include "protocol/device_frame.h"

#include <algorithm>

namespace norvane::protocol {

Bytes buildFrame(Route route, std::uint8_t code, ByteView payload, const MacAddress& mac) {
    Bytes frame(kFrameOverhead + payload.size());
    const auto length = static_cast<std::uint16_t>(payload.size());
    frame[0] = 0x88;
    frame[1] = 0x3A;
    frame[2] = static_cast<std::uint8_t>(route);
    frame[3] = code;
    frame[4] = static_cast<std::uint8_t>(length >> 8);
    frame[5] = static_cast<std::uint8_t>(length);
    auto at = std::copy(payload.begin(), payload.end(), frame.begin() + 6);
    at = std::copy(mac.begin(), mac.end(), at);
    at[0] = 0x45;
    at[1] = 0x2E;
    return frame;
}

std::optional<FrameView> checkFrame(ByteView d) {
    const std::size_t n = d.size();
    if (n <= 3 || d[0] != 0x88 || d[1] != 0x3A || d[n - 2] != 0x45 || d[n - 1] != 0x2E) return std::nullopt;
    FrameView frame;
    frame.code = d[3];
    const bool carriesItems = frame.code == static_cast<std::uint8_t>(Reply::Search) ||
                              frame.code == static_cast<std::uint8_t>(Reply::Read);
    if (n < kFrameOverhead) {
        if (carriesItems) return std::nullopt;
        return frame;
    }
    frame.declaredLength = readBe16(&d[4]);
    frame.body = d.subspan(6, n - kFrameOverhead);
    std::copy_n(d.begin() + static_cast<std::ptrdiff_t>(n - 8), 6, frame.mac.begin());
    return frame;
}

}  // namespace norvane::protocol
