#pragma once

#include <vector>

#include "bytes.h"
#include "protocol/codes.h"

namespace norvane::sim {

// A reply datagram stays below this so that it fits one Ethernet frame (1500 less the IP and UDP headers).
inline constexpr std::size_t kReplyDatagramLimit = 1472;

// Lays encoded items out in complete frames of whole items, in their order, each datagram below the limit; an
// item too long for that travels in a frame of its own. No items still make one frame.
std::vector<Bytes> splitReply(protocol::Route route, std::uint8_t code, const std::vector<Bytes>& items,
                              const MacAddress& mac);

}  // namespace norvane::sim
