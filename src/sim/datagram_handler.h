#pragma once

#include <chrono>
#include <compare>
#include <vector>

#include "bytes.h"

namespace norvane::sim {

// An IPv4 address (host byte order) and a UDP port.
struct Peer {
    std::uint32_t address = 0;
    std::uint16_t port = 0;
    auto operator<=>(const Peer&) const = default;
};

// A datagram to send once `delay` has passed.
struct Outgoing {
    Bytes datagram;
    Peer destination;
    std::chrono::milliseconds delay{0};
};

// What answers on one UDP port. The module host answers port 1111; the firmware-upgrade responder of port
// 1110 joins later the same way, behind a server of its own.
class DatagramHandler {
  public:
    virtual ~DatagramHandler() = default;
    // Everything one received datagram makes the modules send; called on the receiving thread only.
    virtual std::vector<Outgoing> handle(ByteView datagram, const Peer& source) = 0;
};

}  // namespace norvane::sim
