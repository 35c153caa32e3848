#pragma once

#include <QString>
#include <optional>

#include "bytes.h"

namespace norvane::ui {

// The message a reply item shows as soon as it is handled: the calibration status (0xB3) and values (0xB4)
// once stored, the traffic counters (0xB7); nothing for any other item or a value of the wrong size.
std::optional<QString> displayedItemText(std::uint8_t tag, ByteView value, bool stored);

}  // namespace norvane::ui
