// Any datagram that reaches the tool's socket: checked, dispatched and stored without reading outside it.
#include <cstddef>
#include <cstdint>

#include "record/reply_handler.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static norvane::record::DeviceList list;
    static norvane::record::ReplyHandler handler(list);
    if (list.count() == norvane::record::DeviceList::kCapacity) list.clear();
    handler.handle({198, 51, 100, 2}, norvane::ByteView(data, size));
    return 0;
}
