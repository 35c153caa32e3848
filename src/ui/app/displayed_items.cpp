#include "app/displayed_items.h"

#include <QStringList>

#include "protocol/tags.h"

namespace norvane::ui {
namespace {

constexpr std::size_t kCalibrationValues = 8;
constexpr std::uint16_t kCalibrationFailed = 0xFFFF;
constexpr std::size_t kTrafficSize = 8;
constexpr int kMegabyteShift = 20;

std::uint32_t bigEndian(ByteView bytes, std::size_t at, std::size_t width) {
    std::uint32_t value = 0;
    for (std::size_t i = 0; i < width; ++i) value = value << 8 | bytes[at + i];
    return value;
}

// The eight 16-bit values from `first` on, "失败" for a value that failed when `failures` are named.
QString calibrationValues(ByteView value, std::size_t first, bool failures) {
    QStringList parts;
    for (std::size_t k = 0; k < kCalibrationValues; ++k) {
        const auto v = static_cast<std::uint16_t>(bigEndian(value, first + 2 * k, 2));
        parts << (failures && v == kCalibrationFailed ? QStringLiteral("失败") : QString::number(v));
    }
    return QLatin1Char('(') + parts.join(QLatin1Char(' ')) + QLatin1Char(')');
}

}  // namespace

std::optional<QString> displayedItemText(std::uint8_t tag, ByteView value, bool stored) {
    switch (tag) {
        case protocol::tag::kCalibrationStatus:
            if (!stored) return std::nullopt;
            return QStringLiteral("校准状态") + calibrationValues(value, 1, true);
        case protocol::tag::kCalibrationValues:
            if (!stored) return std::nullopt;
            return calibrationValues(value, 0, false);
        case protocol::tag::kTraffic: {
            if (value.size() != kTrafficSize) return std::nullopt;
            // Unsigned, so that a counter past 2 GB does not show negative.
            const std::uint32_t received = bigEndian(value, 0, 4);
            const std::uint32_t sent = bigEndian(value, 4, 4);
            return QStringLiteral("此数据掉电丢失！！！\r\n接收:%1 (%2 MB) \r\n发送:%3 (%4 MB) ")
                .arg(received)
                .arg(received >> kMegabyteShift)
                .arg(sent)
                .arg(sent >> kMegabyteShift);
        }
        default:
            return std::nullopt;
    }
}

}  // namespace norvane::ui
