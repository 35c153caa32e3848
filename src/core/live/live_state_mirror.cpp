#include "live/live_state_mirror.h"

#include <algorithm>

#include "protocol/tags.h"

namespace norvane::live {

void LiveStateMirror::follow(const record::DeviceRecord& record) {
    mac_ = record.mac();
    refresh(record);
}

bool LiveStateMirror::afterItem(const record::DeviceRecord& record, const protocol::ConfigItem& item,
                                bool stored) {
    namespace tag = protocol::tag;
    const bool live = item.tag == tag::kOutputs || item.tag == tag::kAnalogue || item.tag == tag::kCounters ||
                      (item.tag == tag::kInputs && stored);
    if (!live || record.mac() != mac_) return false;
    refresh(record);
    return true;
}

std::array<std::uint8_t, kPoints> LiveStateMirror::outputs() const {
    std::array<std::uint8_t, kPoints> outputs{};
    std::copy_n(copy_.begin() + kOutputs, kPoints, outputs.begin());
    return outputs;
}

// The copy holds the record's bytes, whose numbers are little-endian.
std::uint16_t LiveStateMirror::reading(std::size_t channel) const {
    const std::size_t at = kReadings + 2 * channel;
    return static_cast<std::uint16_t>(copy_.at(at) | copy_.at(at + 1) << 8);
}

std::uint32_t LiveStateMirror::counter(std::size_t counter) const {
    const std::size_t at = kCounters + 4 * counter;
    return std::uint32_t{copy_.at(at)} | std::uint32_t{copy_.at(at + 1)} << 8 |
           std::uint32_t{copy_.at(at + 2)} << 16 | std::uint32_t{copy_.at(at + 3)} << 24;
}

void LiveStateMirror::refresh(const record::DeviceRecord& record) {
    const auto area = record.field(record::offset::kStatusArea, record::offset::kStatusAreaSize);
    std::ranges::copy(area, copy_.begin());
}

}  // namespace norvane::live
