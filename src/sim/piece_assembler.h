#pragma once

#include <map>
#include <optional>
#include <string>

#include "bytes.h"
#include "sim/datagram_handler.h"

namespace norvane::sim {

// A frame as it arrived whole, with the credential text its first datagram carried.
struct ArrivedFrame {
    Bytes frame;
    std::optional<std::string> credentialText;
};

// Puts back together the configuration writes a tool sends as consecutive 1024-byte datagrams: only the first
// begins a frame, and its length field says how many bytes the rest bring. Pieces are kept per source. The
// length field bounds one source's buffer (at 14 + 65535 bytes and one more piece), and at most
// kMaxOpenSources sources are kept waiting, the one waiting longest giving way to a new one.
class PieceAssembler final {
  public:
    static constexpr std::size_t kMaxOpenSources = 16;

    // Takes one datagram with its lock prefix already taken off, and gives the frame it completes, if any. A
    // datagram that begins a frame stands for a new one and drops what the source left unfinished.
    std::optional<ArrivedFrame> take(const Peer& source, ByteView data,
                                     std::optional<std::string> credentialText);

    // How many sources have a frame waiting for pieces.
    std::size_t openCount() const { return open_.size(); }

  private:
    struct Open {
        Bytes buffer;
        std::size_t total = 0;
        std::optional<std::string> credentialText;
        std::uint64_t openedAt = 0;
    };
    void makeRoom();

    std::map<Peer, Open> open_;
    std::uint64_t opened_ = 0;
};

}  // namespace norvane::sim
