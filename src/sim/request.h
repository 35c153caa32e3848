#pragma once

#include <optional>

#include "bytes.h"
#include "protocol/codes.h"

namespace norvane::sim {

// A request as a module takes it. Views point into the caller's bytes.
struct Request {
    protocol::Route route = protocol::Route::Local;
    std::uint8_t code = 0;
    ByteView payload;
    MacAddress mac{};
};

// A frame with the full envelope whose length field matches the datagram exactly; anything else is not a
// request and gets no answer.
std::optional<Request> parseRequest(ByteView frame);

// Whether the bytes begin a frame (0x88 0x3A).
bool beginsFrame(ByteView data);

// The size the frame beginning here declares (14 + its length field), once its length field is present.
std::optional<std::size_t> declaredFrameSize(ByteView data);

}  // namespace norvane::sim
