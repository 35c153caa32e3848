#pragma once

#include <cstdint>

// The item tags that code names on its own; the record's item table holds every tag the tool knows.
namespace norvane::protocol::tag {

inline constexpr std::uint8_t kFirmware = 0x01;
inline constexpr std::uint8_t kModel = 0x03;
inline constexpr std::uint8_t kDebugMode = 0x07;
inline constexpr std::uint8_t kMac = 0x16;
inline constexpr std::uint8_t kDeviceName = 0x1B;
inline constexpr std::uint8_t kInputs = 0x50;
inline constexpr std::uint8_t kOutputs = 0x51;
inline constexpr std::uint8_t kAnalogue = 0x52;
inline constexpr std::uint8_t kCounters = 0x53;
inline constexpr std::uint8_t kTriggerScripts = 0x73;
inline constexpr std::uint8_t kMainScript = 0x74;
inline constexpr std::uint8_t kAccessLock = 0x9F;
inline constexpr std::uint8_t kClock = 0xB0;
inline constexpr std::uint8_t kDeviceInfo = 0xB2;
inline constexpr std::uint8_t kCalibrationStatus = 0xB3;
inline constexpr std::uint8_t kCalibrationValues = 0xB4;
inline constexpr std::uint8_t kNetworkTest = 0xB5;
inline constexpr std::uint8_t kTraffic = 0xB7;

}  // namespace norvane::protocol::tag
