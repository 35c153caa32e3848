#pragma once

#include <optional>
#include <span>
#include <vector>

#include "bytes.h"
#include "record/device_record.h"
#include "sim/datagram_handler.h"

namespace norvane::sim {

// Where behaviour beyond answering from the record joins a module: status that moves (inputs, counters,
// readings, a ticking clock, the calibration items 0xB3 and 0xB4 that show them), writes that act rather than
// store (outputs switched, counters cleared), items outside the item table (the network test 0xB5, the
// traffic counters 0xB7), and the debug copies a module sends to the tool's port 1112 while its item 0x07
// reads 1. The host calls each hook under its lock on its receiving thread.
class ModuleExtension {
  public:
    virtual ~ModuleExtension() = default;

    // Just before a module reports items from its record.
    virtual void beforeReport(record::DeviceRecord& record) = 0;

    // The value of an asked tag the item table does not hold, or nothing to leave the tag out.
    virtual std::optional<Bytes> itemOutsideTable(const record::DeviceRecord& record, std::uint8_t tag) = 0;

    // Each item of a write the module applies, before it is stored; true when the extension took it, and the
    // record is then not written the ordinary way.
    virtual bool applyWrite(record::DeviceRecord& record, std::uint8_t tag, ByteView value) = 0;

    // After a module has answered `request` from `source` with the datagrams `answer`; what the module sends
    // besides goes into `extra`.
    virtual void afterAnswer(const record::DeviceRecord& record, ByteView request, const Peer& source,
                             std::span<const Outgoing> answer, std::vector<Outgoing>& extra) = 0;
};

}  // namespace norvane::sim
