#include "live/live_frames.h"

#include <array>
#include <stdexcept>

#include "protocol/config_item.h"
#include "protocol/requests.h"
#include "protocol/tags.h"

namespace norvane::live {
namespace {

using Commands = std::array<std::uint8_t, kPoints>;

Commands every(std::uint8_t command) {
    Commands commands;
    commands.fill(command);
    return commands;
}

constexpr std::uint8_t byteOf(OutputCommand command) {
    return static_cast<std::uint8_t>(command);
}

Bytes writeOf(const MacAddress& mac, std::uint8_t tag, const Commands& commands) {
    Bytes item;
    protocol::ItemWriter(item).add(tag, commands);
    return protocol::writeRequest(mac, protocol::WriteKind::Setting, item);
}

}  // namespace

Bytes statePoll(const MacAddress& mac) {
    using namespace protocol::tag;
    return protocol::readRequest(mac, Bytes{kInputs, kOutputs, kAnalogue, kCounters});
}

Bytes switchOutput(const MacAddress& mac, std::size_t output, bool close) {
    if (output >= kPoints) throw std::out_of_range("a module has outputs Y0 to Y31");
    Commands commands = every(byteOf(OutputCommand::Unchanged));
    commands[output] = byteOf(close ? OutputCommand::Close : OutputCommand::Open);
    return writeOf(mac, protocol::tag::kOutputs, commands);
}

Bytes switchAllOutputs(const MacAddress& mac, bool close) {
    return writeOf(mac, protocol::tag::kOutputs,
                   every(byteOf(close ? OutputCommand::Close : OutputCommand::Open)));
}

Bytes clearCounters(const MacAddress& mac) {
    return writeOf(mac, protocol::tag::kCounters, every(kClearCounter));
}

}  // namespace norvane::live
