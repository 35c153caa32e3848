#pragma once

#include <memory>

#include "record/device_record.h"

namespace norvane::record {

// The modules found since the last search, in order of first reply, keyed by MAC; at most 512.
class DeviceList final {
  public:
    static constexpr std::size_t kCapacity = 512;

    DeviceList();

    std::size_t count() const { return count_; }
    DeviceRecord& operator[](std::size_t index) { return records_->at(index); }
    const DeviceRecord& operator[](std::size_t index) const { return records_->at(index); }

    // Zeroes every record in use, so fields a module has not yet reported read as 0 or empty.
    void clear();

    // The index of the first listed record with this MAC, or -1.
    int find(const MacAddress& mac) const;

    struct Slot {
        DeviceRecord* record = nullptr;  // nullptr when the list is full and the module is new
        std::size_t index = 0;
        bool added = false;
    };
    // The listed record with this MAC, or the next free one, which takes the MAC at once so that a later
    // datagram of the same reply finds it even when the MAC item has not come yet.
    Slot findOrAdd(const MacAddress& mac);

  private:
    std::size_t count_ = 0;
    std::unique_ptr<std::array<DeviceRecord, kCapacity>> records_;
};

}  // namespace norvane::record
