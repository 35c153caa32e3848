#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "bytes.h"
#include "protocol/codes.h"
#include "record/device_record.h"

namespace norvane::record {

// Firmware up to this number takes a save as one datagram; later firmware takes it in 1024-byte pieces.
inline constexpr std::int64_t kLastWholeFrameFirmware = 10027;
inline constexpr std::size_t kSavePieceSize = 1024;
// A module that takes the save as one datagram reads at most this many bytes of it.
inline constexpr std::size_t kWholeFrameLimit = 4096;

// The full configuration write: 0x01, then every item a save sends, in item-table order, to the record's
// MAC. Built at its true size.
Bytes saveFrame(const DeviceRecord& record, protocol::Route route);

// The number in a firmware text such as "V10028": the leading digits after its first character, 0 when none.
std::int64_t firmwareNumber(std::string_view firmwareText);

// The datagrams of a save, in sending order and back to back; or, when the module cannot take the frame,
// nothing to send and the reason (UTF-8) for the status line.
struct SavePlan {
    std::vector<Bytes> datagrams;
    std::string refusal;
    bool refused() const { return datagrams.empty(); }
};

SavePlan planSave(const DeviceRecord& record, protocol::Route route);

}  // namespace norvane::record
