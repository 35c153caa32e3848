#pragma once

#include <cstdint>
#include <string>

// How the control panel writes the module's readings and counters.
namespace norvane::live {

// The panel's range selector, in the order of its list: one range applies to all eight readings.
enum class ReadingRange : std::uint8_t { Adc, Current20mA, Voltage5V, Voltage10V };

// A raw converter count as the range shows it: the count itself for ADC, else the count scaled so that 2027
// is the top of the range, computed in single precision and written with three decimals ("20.000").
std::string readingText(std::uint16_t raw, ReadingRange range);

// Counters are shown signed: a counter whose four bytes are all FF reads -1.
std::string counterText(std::uint32_t value);

}  // namespace norvane::live
