#include "live/pwm_motor_frames.h"

#include <stdexcept>

#include "protocol/config_item.h"
#include "protocol/requests.h"
#include "record/layout.h"

namespace norvane::live {
namespace {

constexpr std::uint8_t kPwmCommandTag = 0xF0;
constexpr std::uint8_t kMotorCommandTag = 0x68;

std::size_t presetOffset(std::size_t k) {
    return record::offset::kPwmPresets + 4 * k;
}

Bytes writeOf(const MacAddress& mac, std::uint8_t tag, const Bytes& value) {
    Bytes item;
    protocol::ItemWriter(item).add(tag, value);
    return protocol::writeRequest(mac, protocol::WriteKind::Setting, item);
}

}  // namespace

PwmPresets pwmPresets(const record::DeviceRecord& record) {
    PwmPresets presets{};
    for (std::size_t k = 0; k < presets.size(); ++k)
        presets[k] = static_cast<std::int32_t>(record.u32(presetOffset(k)));
    return presets;
}

void setPwmPresets(record::DeviceRecord& record, const PwmPresets& presets) {
    for (std::size_t k = 0; k < presets.size(); ++k)
        record.setU32(presetOffset(k), static_cast<std::uint32_t>(presets[k]));
}

Bytes pwmCommand(const MacAddress& mac, const PwmPresets& presets, bool run) {
    // 21 bytes a channel: run flag, frequency, duty, pulse count, ramp time, ramp start frequency.
    Bytes value;
    for (std::size_t c = 0; c < kPwmChannels; ++c) {
        value.push_back(run ? 1 : 0);
        for (const std::size_t k : {2 * c, 2 * c + 1, 8 + c, 12 + c, 16 + c})
            appendBe32(value, static_cast<std::uint32_t>(presets[k]));
    }
    return writeOf(mac, kPwmCommandTag, value);
}

MotorActions oneMotor(std::size_t motor, MotorAction action) {
    if (motor >= kMotors) throw std::out_of_range("the motor window drives motors 1 to 16");
    MotorActions actions = everyMotor(MotorAction::Keep);
    actions[motor] = action;
    return actions;
}

MotorActions everyMotor(MotorAction action) {
    MotorActions actions;
    actions.fill(action);
    return actions;
}

Bytes motorCommand(const MacAddress& mac, const MotorActions& actions) {
    Bytes value;
    for (const MotorAction action : actions) value.push_back(static_cast<std::uint8_t>(action));
    return writeOf(mac, kMotorCommandTag, value);
}

}  // namespace norvane::live
