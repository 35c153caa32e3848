#include "record/device_list.h"

namespace norvane::record {

DeviceList::DeviceList() : records_(std::make_unique<std::array<DeviceRecord, kCapacity>>()) {}

void DeviceList::clear() {
    // Records past the count are never written, so they are still zero.
    for (std::size_t i = 0; i < count_; ++i) (*records_)[i] = DeviceRecord{};
    count_ = 0;
}

int DeviceList::find(const MacAddress& mac) const {
    for (std::size_t i = 0; i < count_; ++i)
        if ((*records_)[i].mac() == mac) return static_cast<int>(i);
    return -1;
}

DeviceList::Slot DeviceList::findOrAdd(const MacAddress& mac) {
    if (const int i = find(mac); i >= 0)
        return {&(*records_)[static_cast<std::size_t>(i)], static_cast<std::size_t>(i), false};
    if (count_ == kCapacity) return {};
    DeviceRecord& record = (*records_)[count_];
    record.setMac(mac);
    return {&record, count_++, true};
}

}  // namespace norvane::record
