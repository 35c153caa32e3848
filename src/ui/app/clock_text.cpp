#include "app/clock_text.h"

#include <array>

#include "record/layout.h"

namespace norvane::ui {
namespace {

constexpr std::array<const char*, 7> kWeekdays{"星期日", "星期一", "星期二", "星期三",
                                               "星期四", "星期五", "星期六"};
constexpr std::size_t kWeekday = 6;

std::uint8_t weekday(std::uint8_t stored) {
    return stored < kWeekdays.size() ? stored : 0;
}

QString twoDigits(std::uint8_t value) {
    return QStringLiteral("%1").arg(int{value}, 2, 10, QLatin1Char('0'));
}

}  // namespace

QString clockText(std::span<const std::uint8_t, 8> clock) {
    return QStringLiteral("%1-%2-%3 %4:%5:%6  %7")
        .arg(int{clock[0]} + 1900)
        .arg(QStringLiteral("%1").arg(int{clock[1]} + 1, 2, 10, QLatin1Char('0')), twoDigits(clock[2]),
             twoDigits(clock[3]), twoDigits(clock[4]), twoDigits(clock[5]),
             QString::fromUtf8(kWeekdays[weekday(clock[kWeekday])]));
}

void normalizeWeekday(record::DeviceRecord& record) {
    constexpr std::size_t at = record::offset::kClock + kWeekday;
    record.setU8(at, weekday(record.u8(at)));
}

}  // namespace norvane::ui
