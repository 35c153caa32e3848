#include "protocol/requests.h"

#include "protocol/config_item.h"
#include "protocol/tags.h"

namespace norvane::protocol {
namespace {

constexpr std::array<std::uint8_t, 107> makeSearchTags() {
    std::array<std::uint8_t, 107> tags{};
    std::size_t n = 0;
    const auto span = [&](int first, int last) {
        for (int t = first; t <= last; ++t) tags[n++] = static_cast<std::uint8_t>(t);
    };
    span(0x01, 0x03);
    span(0x05, 0x08);
    span(0x11, 0x2E);
    span(0x30, 0x45);
    span(0x4F, 0x4F);
    span(0x54, 0x67);
    span(0x69, 0x6C);
    span(0x70, 0x74);
    span(0x80, 0x80);
    span(0x90, 0x94);
    span(0x9F, 0x9F);
    span(0xA0, 0xA6);
    span(0xB1, 0xB2);
    span(0xB6, 0xB6);
    span(0xB8, 0xB8);
    return n == tags.size() ? tags : throw "the search asks for 107 items";
}

Bytes single(std::uint8_t tag) {
    return Bytes{tag};
}

}  // namespace

const std::array<std::uint8_t, 107> kSearchTags = makeSearchTags();

Bytes searchFrame(Route route, const LockCredentials* lock) {
    Bytes frame = buildFrame(route, static_cast<std::uint8_t>(Command::Search), kSearchTags, kAllModules);
    return lock ? withLockPrefix(frame, *lock) : frame;
}

Bytes readRequest(const MacAddress& mac, ByteView tags, Route route) {
    return buildFrame(route, static_cast<std::uint8_t>(Command::Read), tags, mac);
}

Bytes clockPoll(const MacAddress& mac) {
    return readRequest(mac, single(tag::kClock));
}

Bytes networkTest(const MacAddress& mac, Route route) {
    return readRequest(mac, single(tag::kNetworkTest), route);
}

Bytes trafficQuery() {
    return buildFrame(Route::Local, static_cast<std::uint8_t>(Command::Search), single(tag::kTraffic),
                      kAllModules);
}

Bytes writeRequest(const MacAddress& mac, WriteKind kind, ByteView items, Route route) {
    Bytes payload{static_cast<std::uint8_t>(kind)};
    payload.insert(payload.end(), items.begin(), items.end());
    return buildFrame(route, static_cast<std::uint8_t>(Command::Write), payload, mac);
}

Bytes factoryReset(const MacAddress& mac, bool deep, Route route) {
    return buildFrame(route, static_cast<std::uint8_t>(Command::FactoryReset), single(deep ? 0x01 : 0x00),
                      mac);
}

Bytes reboot(const MacAddress& mac, Route route) {
    return buildFrame(route, static_cast<std::uint8_t>(Command::Reboot), {}, mac);
}

Bytes debugMode(const MacAddress& mac, bool on) {
    Bytes item;
    ItemWriter(item).add(tag::kDebugMode, {static_cast<std::uint8_t>(on ? 1 : 0)});
    return writeRequest(mac, WriteKind::Setting, item);
}

Bytes clockCalibration(const MacAddress& mac, const LocalTime& time) {
    const auto byte = [](int v) { return static_cast<std::uint8_t>(v); };
    // Modules take the item's length field as 8 while seven value bytes follow, so it is written by hand.
    const Bytes item{tag::kClock,
                     0x00,
                     0x08,
                     byte(time.year - 1900),
                     byte(time.month - 1),
                     byte(time.day),
                     byte(time.hour),
                     byte(time.minute),
                     byte(time.second),
                     byte(time.weekday)};
    return writeRequest(mac, WriteKind::Setting, item);
}

Bytes calibrationStatusRead(const MacAddress& mac) {
    return readRequest(mac, Bytes{0x00, tag::kCalibrationStatus});
}

Bytes calibrationValuesRead(const MacAddress& mac) {
    return readRequest(mac, Bytes{0x00, tag::kCalibrationValues});
}

}  // namespace norvane::protocol
