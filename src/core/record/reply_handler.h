#pragma once

#include <array>

#include "record/device_list.h"
#include "record/item_codec.h"

namespace norvane::record {

// What one received datagram did.
struct ReplyOutcome {
    enum class Kind : std::uint8_t {
        Dropped,       // failed the envelope check, or a code the tool ignores
        ListFull,      // a search reply from a 513th module
        Listed,        // a search reply stored into the list (`added` when it made a new row)
        Read,          // a read reply stored into a listed record
        ReadUnlisted,  // a read reply from a module not listed: stored into a scratch record
        Acknowledged,  // 0x84, 0x85 or 0x86
    };
    Kind kind = Kind::Dropped;
    std::uint8_t code = 0;
    MacAddress mac{};
    std::size_t index = 0;
    bool added = false;
};

// Sees each item of a reply once it has been handled, with the record it went into (a listed one, or the
// scratch record of an unlisted module): the live-state mirror follows one module's record this way.
using RecordItemObserver =
    std::function<void(const DeviceRecord& record, const protocol::ConfigItem& item, bool stored)>;

// Checks each datagram that reaches the tool's socket and dispatches it by its reply code: search replies
// find or add their module in the list, read replies refresh the module's record.
class ReplyHandler final {
  public:
    explicit ReplyHandler(DeviceList& list) : list_(list) {}

    ReplyOutcome handle(const std::array<std::uint8_t, 4>& source, ByteView datagram,
                        const ItemObserver& observer = {});
    ReplyOutcome handle(const std::array<std::uint8_t, 4>& source, ByteView datagram,
                        const RecordItemObserver& observer);

    // Where the last read reply from an unlisted module was stored, so that its displayed items still show.
    const DeviceRecord& scratch() const { return scratch_; }

  private:
    DeviceList& list_;
    DeviceRecord scratch_;
};

}  // namespace norvane::record
