#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <vector>

namespace norvane {

using Bytes = std::vector<std::uint8_t>;
using ByteView = std::span<const std::uint8_t>;
using MacAddress = std::array<std::uint8_t, 6>;

// Numbers on the wire are big-endian; these read and write them byte by byte.
inline std::uint16_t readBe16(const std::uint8_t* p) {
    return static_cast<std::uint16_t>(p[0] << 8 | p[1]);
}
inline std::uint32_t readBe32(const std::uint8_t* p) {
    return std::uint32_t{p[0]} << 24 | std::uint32_t{p[1]} << 16 | std::uint32_t{p[2]} << 8 | p[3];
}
inline void appendBe16(Bytes& out, std::uint16_t v) {
    out.push_back(static_cast<std::uint8_t>(v >> 8));
    out.push_back(static_cast<std::uint8_t>(v));
}
inline void appendBe32(Bytes& out, std::uint32_t v) {
    appendBe16(out, static_cast<std::uint16_t>(v >> 16));
    appendBe16(out, static_cast<std::uint16_t>(v));
}

}  // namespace norvane
