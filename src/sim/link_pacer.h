#pragma once

#include <chrono>
#include <cstdint>

namespace norvane::sim {

// Holds replies to the rate of the link the modules share, as a segment of real modules delivers them: a
// burst of answers to one broadcast arrives no faster than the wire carries it. Without it, hundreds of
// modules on loopback answer faster than any network could, and faster than a receiver that a real segment
// never outruns.
class LinkPacer final {
  public:
    using Clock = std::chrono::steady_clock;

    // Real modules sit on 100 Mbit/s Ethernet.
    static constexpr std::uint64_t kSegmentBitsPerSecond = 100'000'000;
    // What an Ethernet frame carries besides the UDP payload: preamble, header, IP and UDP headers, check
    // sequence and the gap between frames.
    static constexpr std::uint64_t kFrameOverheadBytes = 8 + 14 + 20 + 8 + 4 + 12;

    // 0 bits per second: no pacing at all.
    explicit LinkPacer(std::uint64_t bitsPerSecond) : bitsPerSecond_(bitsPerSecond) {}

    // When a datagram of `bytes` that is ready at `ready` has left the link.
    Clock::time_point departure(Clock::time_point ready, std::size_t bytes) {
        if (bitsPerSecond_ == 0) return ready;
        const auto onWire =
            std::chrono::nanoseconds((bytes + kFrameOverheadBytes) * 8 * 1'000'000'000 / bitsPerSecond_);
        linkFree_ = std::max(linkFree_, ready) + onWire;
        return linkFree_;
    }

  private:
    std::uint64_t bitsPerSecond_;
    Clock::time_point linkFree_{};
};

}  // namespace norvane::sim
