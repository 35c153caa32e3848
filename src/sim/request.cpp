#include "sim/request.h"

#include "protocol/device_frame.h"

namespace norvane::sim {

bool beginsFrame(ByteView data) {
    return data.size() >= 2 && data[0] == 0x88 && data[1] == 0x3A;
}

std::optional<std::size_t> declaredFrameSize(ByteView data) {
    if (!beginsFrame(data) || data.size() < 6) return std::nullopt;
    return protocol::kFrameOverhead + readBe16(&data[4]);
}

std::optional<Request> parseRequest(ByteView frame) {
    const auto size = declaredFrameSize(frame);
    if (!size || *size != frame.size()) return std::nullopt;
    const auto checked = protocol::checkFrame(frame);
    if (!checked) return std::nullopt;
    return Request{.route = static_cast<protocol::Route>(frame[2]),
                   .code = checked->code,
                   .payload = checked->body,
                   .mac = checked->mac};
}

}  // namespace norvane::sim
