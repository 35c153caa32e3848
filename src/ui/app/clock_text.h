#pragma once

#include <QString>
#include <span>

#include "record/device_record.h"

namespace norvane::ui {

// The module clock item (year - 1900, month - 1, day, hour, minute, second, weekday, spare) as the window
// shows it: "%d-%02d-%02d %02d:%02d:%02d  %s" ending in the weekday's name; a weekday past Saturday reads as
// Sunday.
QString clockText(std::span<const std::uint8_t, 8> clock);

// A weekday past Saturday is kept as Sunday in the record.
void normalizeWeekday(record::DeviceRecord& record);

}  // namespace norvane::ui
