#include "sim/live_behaviour.h"

#include "live/live_frames.h"
#include "protocol/config_item.h"
#include "protocol/tags.h"
#include "record/layout.h"
#include "sim/live_motion.h"
#include "sim/request.h"

namespace norvane::sim {

LiveBehaviour::LiveBehaviour(std::uint16_t debugPort, std::function<Clock::time_point()> now)
    : debugPort_(debugPort), now_(std::move(now)) {}

LiveBehaviour::Module& LiveBehaviour::moduleOf(const record::DeviceRecord& record) {
    const auto [at, added] = modules_.try_emplace(record.mac());
    if (added) at->second.start = at->second.clockAt = now_();
    return at->second;
}

void LiveBehaviour::beforeReport(record::DeviceRecord& record) {
    const std::lock_guard lock(mutex_);
    Module& module = moduleOf(record);
    const Clock::time_point now = now_();
    const std::int64_t step = (now - module.start) / kStep;
    advanceLiveState(record, module.step, step);
    module.step = step;
    const auto seconds = std::chrono::floor<std::chrono::seconds>(now - module.clockAt);
    if (seconds.count() > 0 && advanceClock(record, seconds)) module.clockAt += seconds;
}

std::optional<Bytes> LiveBehaviour::itemOutsideTable(const record::DeviceRecord&, std::uint8_t) {
    return std::nullopt;
}

bool LiveBehaviour::applyWrite(record::DeviceRecord& record, std::uint8_t tag, ByteView value) {
    namespace tag_ = protocol::tag;
    switch (tag) {
        case tag_::kOutputs:
            if (value.size() == live::kPoints) switchOutputs(record, value);
            return true;
        case tag_::kCounters:
            if (value.size() == live::kPoints) clearCounters(record, value);
            return true;
        case tag_::kClock: {
            // A calibration sets the clock, which ticks on from now.
            const std::lock_guard lock(mutex_);
            moduleOf(record).clockAt = now_();
            return false;
        }
        default:
            return false;
    }
}

void LiveBehaviour::afterAnswer(const record::DeviceRecord& record, ByteView request, const Peer& source,
                                std::span<const Outgoing> answer, std::vector<Outgoing>& extra) {
    const std::lock_guard lock(mutex_);
    Module& module = moduleOf(record);
    if (turnsDebugModeOn(request)) module.debugAddress = source.address;
    module.debugging = record.u8(record::offset::kDebugMode) == 1 && module.debugAddress;
    if (!module.debugging) return;
    const Peer debug{*module.debugAddress, debugPort_};
    extra.push_back({Bytes(request.begin(), request.end()), debug, {}});
    for (const Outgoing& sent : answer) extra.push_back({sent.datagram, debug, sent.delay});
}

std::vector<Peer> LiveBehaviour::debugDestinations() const {
    const std::lock_guard lock(mutex_);
    std::vector<Peer> destinations;
    for (const auto& [mac, module] : modules_)
        if (module.debugging) destinations.push_back({*module.debugAddress, debugPort_});
    return destinations;
}

}  // namespace norvane::sim
