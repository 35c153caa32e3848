#pragma once

#include <array>
#include <optional>

#include "live/live_frames.h"
#include "protocol/config_item.h"
#include "record/device_record.h"

namespace norvane::live {

// The main window's copy of the status area (the record's last 820 bytes) of the module whose control panel
// was opened last. The reply handler refreshes it after each live-state item stored into that module's
// record, and the panel redraws from it; it keeps following the module after the panel closes.
class LiveStateMirror final {
  public:
    // Where the live state lies inside the copy.
    static constexpr std::size_t kInputs = 0;
    static constexpr std::size_t kOutputs = 64;
    static constexpr std::size_t kReadings = 128;
    static constexpr std::size_t kCounters = 256;

    // Follows this module from now on. The copy starts as its record's status area, so that a panel never
    // shows another module's state while the first poll is on its way.
    void follow(const record::DeviceRecord& record);
    std::optional<MacAddress> followed() const { return mac_; }

    // To be called for each item of a reply once it has been handled, with the record it was stored into.
    // Items 0x51 to 0x53 refresh the copy whatever their length; item 0x50 only when it was stored. Returns
    // whether the copy was refreshed.
    bool afterItem(const record::DeviceRecord& record, const protocol::ConfigItem& item, bool stored);

    bool inputHigh(std::size_t input) const { return copy_.at(kInputs + input) != 0; }
    std::uint8_t output(std::size_t output) const { return copy_.at(kOutputs + output); }
    std::array<std::uint8_t, kPoints> outputs() const;
    std::uint16_t reading(std::size_t channel) const;
    std::uint32_t counter(std::size_t counter) const;

    const std::array<std::uint8_t, record::offset::kStatusAreaSize>& copy() const { return copy_; }

  private:
    void refresh(const record::DeviceRecord& record);

    std::optional<MacAddress> mac_;
    std::array<std::uint8_t, record::offset::kStatusAreaSize> copy_{};
};

}  // namespace norvane::live
