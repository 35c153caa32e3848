#pragma once

#include <functional>

#include "protocol/config_item.h"
#include "protocol/device_frame.h"
#include "record/device_record.h"
#include "record/item_table.h"

namespace norvane::record {

// Items travel in two layouts: as a module reports them, and as a configuration save writes them.
enum class Direction : std::uint8_t { Reply, Save };

// Stores one item's value into the record when its length meets the row's rule; returns whether it did.
// Unknown tags are ignored. The reply direction is the tool's; the save direction is how a module takes a
// write.
bool storeItem(DeviceRecord& record, std::uint8_t tag, ByteView value,
               Direction direction = Direction::Reply);

// Called for each item of a reply once it has been handled, so that items that show something can act.
using ItemObserver = std::function<void(const protocol::ConfigItem& item, bool stored)>;

// Stores every item of a checked 0x81/0x83 frame into the record.
void storeReplyItems(DeviceRecord& record, const protocol::FrameView& frame,
                     const ItemObserver& observer = {});

// The value of a row's item as the record holds it, in the given layout.
Bytes encodeValue(const DeviceRecord& record, const ItemRow& row, Direction direction);
void appendItem(Bytes& out, const DeviceRecord& record, const ItemRow& row, Direction direction);

}  // namespace norvane::record
