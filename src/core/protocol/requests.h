#pragma once

#include <array>

#include "protocol/device_frame.h"
#include "protocol/lock_prefix.h"

namespace norvane::protocol {

// The 107 items a discovery search asks every module for, in the order modules expect them.
extern const std::array<std::uint8_t, 107> kSearchTags;

inline constexpr MacAddress kAllModules{};

// The 121-byte discovery search. The sweep sends it with sendto directly, so for the sweep the builder puts
// the lock prefix in front itself (126 + K bytes); the local broadcast leaves without it and the sender adds
// it.
Bytes searchFrame(Route route, const LockCredentials* lock = nullptr);

// A read of the listed items (or of the 0x00-and-tag forms some reads use) from one module.
Bytes readRequest(const MacAddress& mac, ByteView tags, Route route = Route::Local);
Bytes clockPoll(const MacAddress& mac);
Bytes networkTest(const MacAddress& mac, Route route);

// A search that asks only for the traffic counters; it carries no MAC, so every module that hears it answers.
Bytes trafficQuery();

// A write: the leading byte, then items already encoded by an ItemWriter.
Bytes writeRequest(const MacAddress& mac, WriteKind kind, ByteView items, Route route = Route::Local);

Bytes factoryReset(const MacAddress& mac, bool deep, Route route);
Bytes reboot(const MacAddress& mac, Route route);

// Debug mode on or off: a single-setting write of item 0x07.
Bytes debugMode(const MacAddress& mac, bool on);

// The PC's local time as the caller read it; the clock calibration sends it.
struct LocalTime {
    int year = 1900;  // e.g. 2023
    int month = 1;    // 1 to 12
    int day = 1;
    int hour = 0;
    int minute = 0;
    int second = 0;
    int weekday = 0;  // 0 = Sunday to 6
};

// The 25-byte clock calibration write.
Bytes clockCalibration(const MacAddress& mac, const LocalTime& time);

// The control panel's reads of the calibration status (item 0xB3) and values (item 0xB4).
Bytes calibrationStatusRead(const MacAddress& mac);
Bytes calibrationValuesRead(const MacAddress& mac);

}  // namespace norvane::protocol
