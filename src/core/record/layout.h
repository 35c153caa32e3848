#pragma once

#include <cstddef>

// Offsets of the device record that code names on its own; the item table places every other field.
namespace norvane::record::offset {

inline constexpr std::size_t kSourceAddress = 0;    // 4 bytes, the address the last search reply came from
inline constexpr std::size_t kNetworkSettings = 4;  // IP type, address, mask, gateway and DNS
inline constexpr std::size_t kNetworkSettingsSize = 17;
inline constexpr std::size_t kMac = 21;            // 6 bytes
inline constexpr std::size_t kDebugMode = 40;      // 1 while debug mode is on; a restart ends it
inline constexpr std::size_t kUserName = 41;       // text[64]
inline constexpr std::size_t kPassword = 105;      // text[64]
inline constexpr std::size_t kDeviceName = 186;    // text[64]
inline constexpr std::size_t kFirmware = 1048;     // text[64], a letter and a decimal number
inline constexpr std::size_t kModel = 1176;        // text[64]
inline constexpr std::size_t kPwmPresets = 3204;   // 20 values, u32 each
inline constexpr std::size_t kMotorFlags = 3465;   // 16 bytes, 1 for each motor ticked
inline constexpr std::size_t kAccessLock = 3582;   // 0x78 when the module's lock is on
inline constexpr std::size_t kStatusArea = 12484;  // to the end of the record: filled only from replies
inline constexpr std::size_t kClock = 12996;  // year-1900, month-1, day, hour, minute, second, weekday, spare

inline constexpr std::size_t kTextWidth = 64;
inline constexpr std::size_t kStatusAreaSize = 13304 - kStatusArea;

}  // namespace norvane::record::offset

namespace norvane::record {
inline constexpr unsigned char kAccessLockOn = 0x78;
}
