#pragma once

#include <array>
#include <string_view>

#include "bytes.h"
#include "record/layout.h"

namespace norvane::record {

// One module's configuration and last reported status as the packed 13304-byte image that configuration
// files store byte for byte. Numbers are little-endian; texts are zero-terminated GBK in fixed fields.
class DeviceRecord final {
  public:
    static constexpr std::size_t kSize = 13304;

    std::array<std::uint8_t, kSize>& image() { return image_; }
    const std::array<std::uint8_t, kSize>& image() const { return image_; }

    std::span<std::uint8_t> field(std::size_t offset, std::size_t width) {
        return {&image_.at(offset), checked(offset, width)};
    }
    std::span<const std::uint8_t> field(std::size_t offset, std::size_t width) const {
        return {&image_.at(offset), checked(offset, width)};
    }

    std::uint8_t u8(std::size_t offset) const { return image_.at(offset); }
    std::uint16_t u16(std::size_t offset) const;
    std::uint32_t u32(std::size_t offset) const;
    void setU8(std::size_t offset, std::uint8_t v) { image_.at(offset) = v; }
    void setU16(std::size_t offset, std::uint16_t v);
    void setU32(std::size_t offset, std::uint32_t v);

    // The bytes of a text field up to its first zero (all of it when it holds none).
    std::string_view text(std::size_t offset, std::size_t width) const;
    // Clears the field, then copies at most `width` bytes of the text (no terminator when it fills the
    // field).
    void setText(std::size_t offset, std::size_t width, std::string_view gbk);

    MacAddress mac() const;
    void setMac(const MacAddress& mac);
    std::array<std::uint8_t, 4> sourceAddress() const;
    void setSourceAddress(const std::array<std::uint8_t, 4>& address);
    std::string_view name() const { return text(offset::kDeviceName, offset::kTextWidth); }
    std::string_view firmware() const { return text(offset::kFirmware, offset::kTextWidth); }
    std::string_view model() const { return text(offset::kModel, offset::kTextWidth); }

    bool operator==(const DeviceRecord&) const = default;

  private:
    static std::size_t checked(std::size_t offset, std::size_t width);
    std::array<std::uint8_t, kSize> image_{};
};

}  // namespace norvane::record
