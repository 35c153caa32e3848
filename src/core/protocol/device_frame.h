#pragma once

#include <optional>

#include "bytes.h"
#include "protocol/codes.h"

namespace norvane::protocol {

// 0x88 0x3A, route flag, code, payload length (u16 BE), payload, MAC, 0x45 0x2E.
inline constexpr std::size_t kFrameOverhead = 14;
// The receive buffer: a datagram this long is handled whole (a reply carrying a full script block is 4113).
inline constexpr std::size_t kReceiveBufferSize = 8092;

Bytes buildFrame(Route route, std::uint8_t code, ByteView payload, const MacAddress& mac);

// A received datagram that passed the envelope check. Views point into the caller's bytes.
struct FrameView {
    std::uint8_t code = 0;
    // Bytes 6 up to the MAC: where a reply's items live. Empty for frames shorter than 14 bytes.
    ByteView body;
    // The payload length field; a reply's items are read while their offset stays below it.
    std::uint16_t declaredLength = 0;
    MacAddress mac{};
};

// The envelope check of every datagram on the tool's socket: longer than 3 bytes, 0x88 0x3A first and
// 0x45 0x2E last. Replies that carry items (0x81, 0x83) also need the full 14-byte envelope, or they are
// dropped.
std::optional<FrameView> checkFrame(ByteView datagram);

}  // namespace norvane::protocol
