#include "text/hex_text.h"

#include <algorithm>

namespace norvane::text {
namespace {

std::optional<std::uint8_t> digitValue(char c) {
    if (c >= '0' && c <= '9') return static_cast<std::uint8_t>(c - '0');
    if (c >= 'A' && c <= 'F') return static_cast<std::uint8_t>(c - 'A' + 10);
    if (c >= 'a' && c <= 'f') return static_cast<std::uint8_t>(c - 'a' + 10);
    return std::nullopt;
}

}  // namespace

HexParseResult parseHexText(std::string_view text, std::span<std::uint8_t> destination) {
    std::string digits;
    std::ranges::copy_if(text, std::back_inserter(digits), [](char c) { return c != ' '; });
    if (!std::ranges::all_of(digits, [](char c) { return digitValue(c).has_value(); }))
        return {.failure = HexFailure::NotHex};
    const std::size_t count = (digits.size() + 1) / 2;
    if (count > destination.size()) return {.failure = HexFailure::TooLong};
    for (std::size_t i = 0; i < count; ++i) {
        const std::uint8_t high = *digitValue(digits[2 * i]);
        destination[i] = 2 * i + 1 < digits.size()
                             ? static_cast<std::uint8_t>(high << 4 | *digitValue(digits[2 * i + 1]))
                             : high;
    }
    return {.count = count, .failure = std::nullopt};
}

std::string hexFailureMessage(HexFailure failure, std::size_t capacity) {
    if (failure == HexFailure::NotHex) return "Please type hex number";
    return "Please type at most " + std::to_string(capacity) + " bytes of hex";
}

}  // namespace norvane::text
