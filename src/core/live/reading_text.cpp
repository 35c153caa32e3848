#include "live/reading_text.h"

#include <cstdio>

namespace norvane::live {
namespace {

constexpr float kFullScaleCount = 2027.0F;

float fullScale(ReadingRange range) {
    switch (range) {
        case ReadingRange::Current20mA:
            return 20.0F;
        case ReadingRange::Voltage5V:
            return 5.0F;
        case ReadingRange::Voltage10V:
            return 10.0F;
        case ReadingRange::Adc:
            break;
    }
    return 0.0F;
}

}  // namespace

std::string readingText(std::uint16_t raw, ReadingRange range) {
    if (range == ReadingRange::Adc) return std::to_string(raw);
    const float value = static_cast<float>(raw) * fullScale(range) / kFullScaleCount;
    char text[32];
    std::snprintf(text, sizeof text, "%.03f", static_cast<double>(value));
    return text;
}

std::string counterText(std::uint32_t value) {
    return std::to_string(static_cast<std::int32_t>(value));
}

}  // namespace norvane::live
