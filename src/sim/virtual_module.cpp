#include "sim/virtual_module.h"

#include <algorithm>

#include "protocol/config_item.h"
#include "protocol/requests.h"
#include "protocol/tags.h"
#include "record/item_codec.h"

namespace norvane::sim {
namespace {

using protocol::Command;
using protocol::Reply;

constexpr std::uint8_t byteOf(Command command) {
    return static_cast<std::uint8_t>(command);
}
constexpr std::uint8_t byteOf(Reply reply) {
    return static_cast<std::uint8_t>(reply);
}

// What identifies the hardware does not change by a write.
bool isIdentity(std::uint8_t tag) {
    return tag == protocol::tag::kFirmware || tag == protocol::tag::kModel || tag == protocol::tag::kMac;
}

// The items of a write, or nothing when one runs past the payload or bytes trail the last.
std::optional<std::vector<protocol::ConfigItem>> wholeItems(ByteView items) {
    std::vector<protocol::ConfigItem> parsed;
    std::size_t consumed = 0;
    bool truncated = false;
    protocol::forEachItem(items, static_cast<std::uint16_t>(items.size()),
                          [&](const protocol::ConfigItem& item) {
                              truncated = truncated || !item.complete;
                              if (!item.complete) return;
                              consumed += 3 + item.declaredLength;
                              parsed.push_back(item);
                          });
    if (truncated || consumed != items.size()) return std::nullopt;
    return parsed;
}

// The clock calibration declares eight value bytes but carries seven, the weekday last; a module takes them
// as its clock with the spare byte zero.
std::optional<Bytes> clockCalibration(ByteView items) {
    constexpr std::size_t kCarried = 7;
    if (items.size() != 3 + kCarried || items[0] != protocol::tag::kClock || readBe16(&items[1]) != 8)
        return std::nullopt;
    Bytes clock(items.begin() + 3, items.end());
    clock.push_back(0);
    return clock;
}

void copyField(record::DeviceRecord& to, const record::DeviceRecord& from, std::size_t offset,
               std::size_t size) {
    std::ranges::copy(from.field(offset, size), to.field(offset, size).begin());
}

}  // namespace

bool Answer::carriesItems() const {
    return code == byteOf(Reply::Search) || code == byteOf(Reply::Read);
}

VirtualModule::VirtualModule(const record::DeviceRecord& factory, ModuleExtension* extension)
    : factory_(factory), record_(factory), extension_(extension) {}

bool VirtualModule::isAddressedBy(const Request& request) const {
    return request.mac == mac() ||
           (request.code == byteOf(Command::Search) && request.mac == protocol::kAllModules);
}

std::optional<Answer> VirtualModule::answer(const Request& request, bool apply) {
    switch (request.code) {
        case byteOf(Command::Search):
            return report(Reply::Search, request.payload);
        case byteOf(Command::Read):
            return report(Reply::Read, request.payload);
        case byteOf(Command::Write):
            return write(request.payload, apply);
        case byteOf(Command::FactoryReset):
            return factoryReset(request.payload, apply);
        case byteOf(Command::Reboot):
            return reboot(request.payload, apply);
        default:
            return std::nullopt;
    }
}

Answer VirtualModule::report(Reply reply, ByteView tags) {
    if (extension_) extension_->beforeReport(record_);
    Answer answer{byteOf(reply), {}};
    for (const std::uint8_t tag : tags) {
        Bytes item;
        if (const record::ItemRow* row = record::findItem(tag)) {
            record::appendItem(item, record_, *row, record::Direction::Reply);
        } else if (const auto value =
                       extension_ ? extension_->itemOutsideTable(record_, tag) : std::nullopt) {
            protocol::ItemWriter(item).add(tag, *value);
        } else {
            continue;  // a tag the module does not know is left out
        }
        answer.items.push_back(std::move(item));
    }
    return answer;
}

std::optional<Answer> VirtualModule::write(ByteView payload, bool apply) {
    // The leading byte tells a full configuration from a single setting; the module takes both alike.
    if (payload.empty() || payload[0] > static_cast<std::uint8_t>(protocol::WriteKind::FullConfiguration))
        return std::nullopt;
    const Bytes clock = clockCalibration(payload.subspan(1)).value_or(Bytes{});
    const auto items = clock.empty()
                           ? wholeItems(payload.subspan(1))
                           : std::vector{protocol::ConfigItem{protocol::tag::kClock, 8, clock, true}};
    if (!items) return std::nullopt;
    if (apply) {
        for (const protocol::ConfigItem& item : *items) {
            if (isIdentity(item.tag)) continue;
            if (extension_ && extension_->applyWrite(record_, item.tag, item.value)) continue;
            record::storeItem(record_, item.tag, item.value, record::Direction::Save);
        }
    }
    return Answer{byteOf(Reply::WriteAck), {}};
}

std::optional<Answer> VirtualModule::factoryReset(ByteView payload, bool apply) {
    if (payload.size() != 1 || payload[0] > 1) return std::nullopt;
    const bool deep = payload[0] == 1;
    if (apply) {
        // Settings go back to the factory's; the MAC and the status area are the module's own and stay.
        const record::DeviceRecord before = record_;
        record_ = factory_;
        record_.setMac(before.mac());
        copyField(record_, before, record::offset::kStatusArea, record::offset::kStatusAreaSize);
        // An ordinary factory reset keeps the network settings, so the module stays reachable.
        if (!deep)
            copyField(record_, before, record::offset::kNetworkSettings,
                      record::offset::kNetworkSettingsSize);
    }
    return Answer{byteOf(Reply::FactoryResetAck), {}};
}

std::optional<Answer> VirtualModule::reboot(ByteView payload, bool apply) {
    if (!payload.empty()) return std::nullopt;
    // Debug mode does not survive a restart.
    if (apply) record_.setU8(record::offset::kDebugMode, 0);
    return Answer{byteOf(Reply::RebootAck), {}};
}

}  // namespace norvane::sim
