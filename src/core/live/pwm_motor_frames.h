#pragma once

#include <array>

#include "bytes.h"
#include "record/device_record.h"

// The PWM window's presets and live command, and the motor window's live command.
namespace norvane::live {

inline constexpr std::size_t kPwmChannels = 4;
inline constexpr std::size_t kPwmPresetCount = 20;

// The twenty presets in record order: frequency and duty of channels 1 to 4 in turn, then the four pulse
// counts, the four ramp times and the four ramp start frequencies. Value k lives at record offset 3204 + 4k.
using PwmPresets = std::array<std::int32_t, kPwmPresetCount>;

PwmPresets pwmPresets(const record::DeviceRecord& record);
void setPwmPresets(record::DeviceRecord& record, const PwmPresets& presets);

// The 102-byte write of item 0xF0 that starts (`run`) or stops all four channels with the presets' values.
Bytes pwmCommand(const MacAddress& mac, const PwmPresets& presets, bool run);

inline constexpr std::size_t kMotors = 16;

// One byte per motor in a motor command.
enum class MotorAction : std::uint8_t { Stop = 0, Forward = 1, Reverse = 2, ReverseAc = 3, Keep = 4 };
using MotorActions = std::array<MotorAction, kMotors>;

// `action` for motor `motor` (0 for motor 1) and Keep for the other fifteen.
MotorActions oneMotor(std::size_t motor, MotorAction action);
MotorActions everyMotor(MotorAction action);

// The 34-byte write of item 0x68 with the sixteen actions, motor 1 first.
Bytes motorCommand(const MacAddress& mac, const MotorActions& actions);

}  // namespace norvane::live
