#include "sim/live_motion.h"

#include "live/live_frames.h"
#include "protocol/codes.h"
#include "protocol/config_item.h"
#include "protocol/tags.h"
#include "record/layout.h"
#include "sim/request.h"

namespace norvane::sim {
namespace {

constexpr std::size_t kInputs = record::offset::kStatusArea;
constexpr std::size_t kOutputs = kInputs + 64;
constexpr std::size_t kReadings = kInputs + 128;
constexpr std::size_t kCounters = kInputs + 256;

// Inputs have periods of 6 to 18 steps, each started at its own phase.
std::int64_t periodOf(std::size_t input) {
    return 6 + 2 * static_cast<std::int64_t>(input % 7);
}
std::int64_t phaseOf(std::size_t input) {
    return 3 * static_cast<std::int64_t>(input);
}

// Rising edges come where the wave restarts: the number of restarts up to `step`.
std::int64_t restartsUpTo(std::size_t input, std::int64_t step) {
    return (step + phaseOf(input)) / periodOf(input);
}

}  // namespace

bool inputHigh(std::size_t input, std::int64_t step) {
    const std::int64_t period = periodOf(input);
    return (step + phaseOf(input)) % period < period / 2;
}

std::uint16_t readingAt(std::size_t channel, std::int64_t step) {
    const auto k = static_cast<std::int64_t>(channel);
    const std::int64_t period = 40 + 8 * k;
    const std::int64_t at = (step + 5 * k) % period;
    const std::int64_t rise = at < period / 2 ? at : period - at;  // 0 to period / 2
    return static_cast<std::uint16_t>(200 + 3200 * rise / period);
}

void advanceLiveState(record::DeviceRecord& record, std::int64_t from, std::int64_t to) {
    for (std::size_t i = 0; i < live::kPoints; ++i) {
        record.setU8(kInputs + i, inputHigh(i, to) ? 1 : 0);
        const auto edges = static_cast<std::uint32_t>(restartsUpTo(i, to) - restartsUpTo(i, from));
        record.setU32(kCounters + 4 * i, record.u32(kCounters + 4 * i) + edges);
    }
    for (std::size_t k = 0; k < live::kReadings; ++k) record.setU16(kReadings + 2 * k, readingAt(k, to));
}

bool advanceClock(record::DeviceRecord& record, std::chrono::seconds by) {
    using namespace std::chrono;
    const auto clock = record.field(record::offset::kClock, 8);
    const year_month_day date{year{1900 + clock[0]}, month{clock[1] + 1u}, day{clock[2]}};
    if (!date.ok() || clock[3] > 23 || clock[4] > 59 || clock[5] > 59) return false;
    const sys_seconds then = sys_days{date} + hours{clock[3]} + minutes{clock[4]} + seconds{clock[5]};
    const sys_seconds now = then + by;
    const sys_days today = floor<days>(now);
    const year_month_day shown{today};
    const hh_mm_ss time{now - today};
    clock[0] = static_cast<std::uint8_t>(static_cast<int>(shown.year()) - 1900);
    clock[1] = static_cast<std::uint8_t>(static_cast<unsigned>(shown.month()) - 1);
    clock[2] = static_cast<std::uint8_t>(static_cast<unsigned>(shown.day()));
    clock[3] = static_cast<std::uint8_t>(time.hours().count());
    clock[4] = static_cast<std::uint8_t>(time.minutes().count());
    clock[5] = static_cast<std::uint8_t>(time.seconds().count());
    clock[6] = static_cast<std::uint8_t>(weekday{today}.c_encoding());
    return true;
}

void switchOutputs(record::DeviceRecord& record, ByteView commands) {
    for (std::size_t i = 0; i < live::kPoints && i < commands.size(); ++i) {
        const auto command = static_cast<live::OutputCommand>(commands[i]);
        if (command == live::OutputCommand::Open || command == live::OutputCommand::Close)
            record.setU8(kOutputs + i, commands[i]);
    }
}

void clearCounters(record::DeviceRecord& record, ByteView commands) {
    for (std::size_t i = 0; i < live::kPoints && i < commands.size(); ++i)
        if (commands[i] == live::kClearCounter) record.setU32(kCounters + 4 * i, 0);
}

bool turnsDebugModeOn(ByteView request) {
    const auto parsed = parseRequest(request);
    if (!parsed || parsed->code != static_cast<std::uint8_t>(protocol::Command::Write) ||
        parsed->payload.empty())
        return false;
    bool on = false;
    const ByteView items = parsed->payload.subspan(1);
    protocol::forEachItem(
        items, static_cast<std::uint16_t>(items.size()), [&](const protocol::ConfigItem& item) {
            if (item.complete && item.tag == protocol::tag::kDebugMode && item.value.size() == 1)
                on = item.value[0] == 1;
        });
    return on;
}

}  // namespace norvane::sim
