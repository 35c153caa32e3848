#pragma once

#include "bytes.h"

// The control panel's frames: the poll of the live state and the single-item writes that switch outputs and
// clear counters. Each goes to the module's port 1111 with route flag 0.
namespace norvane::live {

// Inputs X0-X31, outputs Y0-Y31 and counters, 32 of each; 8 analogue readings.
inline constexpr std::size_t kPoints = 32;
inline constexpr std::size_t kReadings = 8;

// One byte per output in a write of item 0x51: close, open or leave as it is.
enum class OutputCommand : std::uint8_t { Open = 0, Close = 1, Unchanged = 3 };
// A byte of 3 in a write of item 0x53 clears that counter; the panel's "清除" clears all 32.
inline constexpr std::uint8_t kClearCounter = 3;

// The 18-byte read of the inputs, outputs, readings and counters (items 0x50 to 0x53).
Bytes statePoll(const MacAddress& mac);

// Switches output `output` (0 for Y0, shown as Y1) and leaves the other 31 as they are: 50 bytes.
Bytes switchOutput(const MacAddress& mac, std::size_t output, bool close);

// Closes ("全开") or opens ("全关") all 32 outputs: 50 bytes.
Bytes switchAllOutputs(const MacAddress& mac, bool close);

// "清除": item 0x53 with 32 bytes of kClearCounter. 50 bytes.
Bytes clearCounters(const MacAddress& mac);

}  // namespace norvane::live
