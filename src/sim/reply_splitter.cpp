#include "sim/reply_splitter.h"

#include "protocol/device_frame.h"

namespace norvane::sim {

std::vector<Bytes> splitReply(protocol::Route route, std::uint8_t code, const std::vector<Bytes>& items,
                              const MacAddress& mac) {
    std::vector<Bytes> frames;
    Bytes payload;
    const auto flush = [&] {
        frames.push_back(protocol::buildFrame(route, code, payload, mac));
        payload.clear();
    };
    for (const Bytes& item : items) {
        if (!payload.empty() &&
            protocol::kFrameOverhead + payload.size() + item.size() >= kReplyDatagramLimit)
            flush();
        payload.insert(payload.end(), item.begin(), item.end());
    }
    if (!payload.empty() || frames.empty()) flush();
    return frames;
}

}  // namespace norvane::sim
