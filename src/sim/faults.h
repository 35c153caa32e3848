#pragma once

#include <atomic>
#include <chrono>
#include <cstdint>

#include "bytes.h"

namespace norvane::sim {

// The faults a module host can show, as chosen at start.
struct FaultSettings {
    bool silent = false;  // answer nothing and take nothing: the modules are off the network
    std::chrono::milliseconds replyDelay{0};  // every reply leaves this late
    std::uint32_t dropEvery = 0;              // every Nth reply datagram is lost; 0 loses none
    bool ackFromOtherMac = false;             // 0x84, 0x85 and 0x86 carry a MAC that is not the module's
    bool ackWithoutApplying = false;  // writes, resets and reboots are acknowledged but change nothing
};

// The same switches, flipped from any thread while the host answers on its own.
class FaultSwitches final {
  public:
    void apply(const FaultSettings& settings) {
        setSilent(settings.silent);
        setReplyDelay(settings.replyDelay);
        setDropEvery(settings.dropEvery);
        setAckFromOtherMac(settings.ackFromOtherMac);
        setAckWithoutApplying(settings.ackWithoutApplying);
    }

    void setSilent(bool on) { silent_ = on; }
    bool silent() const { return silent_; }

    void setReplyDelay(std::chrono::milliseconds delay) { delayMs_ = delay.count(); }
    std::chrono::milliseconds replyDelay() const { return std::chrono::milliseconds(delayMs_.load()); }

    // Counting starts again here, so the Nth reply datagram from now on is the first one lost.
    void setDropEvery(std::uint32_t n) {
        replies_ = 0;
        dropEvery_ = n;
    }
    // Counts one reply datagram; true when it is to be lost.
    bool dropNextReply() {
        const std::uint32_t n = dropEvery_;
        return n != 0 && (replies_.fetch_add(1) + 1) % n == 0;
    }

    void setAckFromOtherMac(bool on) { ackFromOtherMac_ = on; }
    bool ackFromOtherMac() const { return ackFromOtherMac_; }

    void setAckWithoutApplying(bool on) { ackWithoutApplying_ = on; }
    bool ackWithoutApplying() const { return ackWithoutApplying_; }

  private:
    std::atomic<bool> silent_{false};
    std::atomic<std::chrono::milliseconds::rep> delayMs_{0};
    std::atomic<std::uint32_t> dropEvery_{0};
    std::atomic<std::uint64_t> replies_{0};
    std::atomic<bool> ackFromOtherMac_{false};
    std::atomic<bool> ackWithoutApplying_{false};
};

// The MAC a misaddressed acknowledgement carries: the module's with its last three bytes inverted, which no
// plausible module's MAC is.
inline MacAddress otherMacThan(const MacAddress& mac) {
    MacAddress other = mac;
    for (std::size_t i = 3; i < other.size(); ++i) other[i] = static_cast<std::uint8_t>(~other[i]);
    return other;
}

}  // namespace norvane::sim
