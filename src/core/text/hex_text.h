#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace norvane::text {

enum class HexFailure : std::uint8_t {
    NotHex,   // a character other than a space or a hex digit
    TooLong,  // more bytes than the destination holds
};

struct HexParseResult {
    std::size_t count = 0;  // bytes written
    std::optional<HexFailure> failure;
};

// Hex typed into a data box: spaces are dropped, pairs of digits become bytes (high digit first) and a final
// unpaired digit becomes one byte of its value ("ABC" gives AB 0C). On failure nothing is written, so the
// destination field keeps what it held.
HexParseResult parseHexText(std::string_view text, std::span<std::uint8_t> destination);

// The message box text for a failure; `capacity` is the destination's size.
std::string hexFailureMessage(HexFailure failure, std::size_t capacity);

}  // namespace norvane::text
