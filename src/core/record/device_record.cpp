#include "record/device_record.h"

#include <algorithm>
#include <cstring>
#include <stdexcept>

namespace norvane::record {

std::size_t DeviceRecord::checked(std::size_t offset, std::size_t width) {
    if (offset > kSize || width > kSize - offset) throw std::out_of_range("field outside the device record");
    return width;
}

std::uint16_t DeviceRecord::u16(std::size_t offset) const {
    const auto f = field(offset, 2);
    return static_cast<std::uint16_t>(f[0] | f[1] << 8);
}

std::uint32_t DeviceRecord::u32(std::size_t offset) const {
    const auto f = field(offset, 4);
    return std::uint32_t{f[0]} | std::uint32_t{f[1]} << 8 | std::uint32_t{f[2]} << 16 |
           std::uint32_t{f[3]} << 24;
}

void DeviceRecord::setU16(std::size_t offset, std::uint16_t v) {
    const auto f = field(offset, 2);
    f[0] = static_cast<std::uint8_t>(v);
    f[1] = static_cast<std::uint8_t>(v >> 8);
}

void DeviceRecord::setU32(std::size_t offset, std::uint32_t v) {
    const auto f = field(offset, 4);
    for (std::size_t i = 0; i < 4; ++i) f[i] = static_cast<std::uint8_t>(v >> (8 * i));
}

std::string_view DeviceRecord::text(std::size_t offset, std::size_t width) const {
    const auto f = field(offset, width);
    const auto end = std::find(f.begin(), f.end(), 0);
    return {reinterpret_cast<const char*>(f.data()), static_cast<std::size_t>(end - f.begin())};
}

void DeviceRecord::setText(std::size_t offset, std::size_t width, std::string_view gbk) {
    const auto f = field(offset, width);
    std::fill(f.begin(), f.end(), 0);
    std::memcpy(f.data(), gbk.data(), std::min(width, gbk.size()));
}

MacAddress DeviceRecord::mac() const {
    MacAddress mac;
    std::ranges::copy(field(offset::kMac, 6), mac.begin());
    return mac;
}

void DeviceRecord::setMac(const MacAddress& mac) {
    std::ranges::copy(mac, field(offset::kMac, 6).begin());
}

std::array<std::uint8_t, 4> DeviceRecord::sourceAddress() const {
    std::array<std::uint8_t, 4> address;
    std::ranges::copy(field(offset::kSourceAddress, 4), address.begin());
    return address;
}

void DeviceRecord::setSourceAddress(const std::array<std::uint8_t, 4>& address) {
    std::ranges::copy(address, field(offset::kSourceAddress, 4).begin());
}

}  // namespace norvane::record
