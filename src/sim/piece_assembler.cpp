#include "sim/piece_assembler.h"

#include <algorithm>

#include "sim/request.h"

namespace norvane::sim {

std::optional<ArrivedFrame> PieceAssembler::take(const Peer& source, ByteView data,
                                                 std::optional<std::string> credentialText) {
    if (beginsFrame(data)) {
        open_.erase(source);
        const auto total = declaredFrameSize(data);
        if (!total) return std::nullopt;
        // A frame that is whole, or longer than it says, is the request parser's to judge.
        if (data.size() >= *total)
            return ArrivedFrame{Bytes(data.begin(), data.end()), std::move(credentialText)};
        makeRoom();
        open_[source] = Open{Bytes(data.begin(), data.end()), *total, std::move(credentialText), opened_++};
        return std::nullopt;
    }
    const auto it = open_.find(source);
    if (it == open_.end()) return std::nullopt;
    Open& open = it->second;
    open.buffer.insert(open.buffer.end(), data.begin(), data.end());
    if (open.buffer.size() < open.total) return std::nullopt;
    // A last piece that brings more than the frame declared makes a frame the request parser refuses.
    ArrivedFrame frame{std::move(open.buffer), std::move(open.credentialText)};
    open_.erase(it);
    return frame;
}

void PieceAssembler::makeRoom() {
    if (open_.size() < kMaxOpenSources) return;
    const auto oldest =
        std::ranges::min_element(open_, {}, [](const auto& entry) { return entry.second.openedAt; });
    open_.erase(oldest);
}

}  // namespace norvane::sim
