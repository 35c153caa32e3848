#pragma once

#include <cstdint>

namespace norvane::protocol {

// Every exchange on the module's port 1111; a reply carries the command it answers plus 0x80.
inline constexpr std::uint16_t kModulePort = 1111;

enum class Command : std::uint8_t {
    Search = 0x01,
    Read = 0x03,
    Write = 0x04,
    FactoryReset = 0x05,
    Reboot = 0x06,
};

enum class Reply : std::uint8_t {
    Search = 0x81,
    Read = 0x83,
    WriteAck = 0x84,
    FactoryResetAck = 0x85,
    RebootAck = 0x86,
};

constexpr Reply replyTo(Command command) {
    return static_cast<Reply>(static_cast<std::uint8_t>(command) | 0x80);
}

// The leading byte of a write payload: a full configuration write, or a single setting.
enum class WriteKind : std::uint8_t { Setting = 0x00, FullConfiguration = 0x01 };

// Route flag: 1 when a request is meant to cross routers.
enum class Route : std::uint8_t { Local = 0, CrossRouter = 1 };

}  // namespace norvane::protocol
