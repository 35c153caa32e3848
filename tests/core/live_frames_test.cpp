// The control panel's, PWM window's and motor window's frames, byte for byte.
#include "live/live_frames.h"

#include <gtest/gtest.h>

#include "live/pwm_motor_frames.h"

namespace norvane::live {
namespace {

const MacAddress kMac{0x02, 0x4E, 0x56, 0x00, 0x00, 0x07};

Bytes framed(Bytes head) {
    head.insert(head.end(), kMac.begin(), kMac.end());
    head.insert(head.end(), {0x45, 0x2E});
    return head;
}

// A single-setting write of one 32-byte item whose bytes are all `fill` except those given.
Bytes write32(std::uint8_t tag, std::uint8_t fill,
              std::initializer_list<std::pair<std::size_t, std::uint8_t>> set = {}) {
    Bytes frame{0x88, 0x3A, 0x00, 0x04, 0x00, 0x24, 0x00, tag, 0x00, 0x20};
    frame.resize(frame.size() + 32, fill);
    for (const auto& [at, value] : set) frame[10 + at] = value;
    return framed(frame);
}

TEST(PanelFrames, AreTheBytesModulesRelyOn) {
    struct Case {
        const char* name;
        Bytes built;
        Bytes expected;
    };
    const Case cases[] = {
        {"poll", statePoll(kMac), framed({0x88, 0x3A, 0x00, 0x03, 0x00, 0x04, 0x50, 0x51, 0x52, 0x53})},
        // Y5 is the module's Y4: byte 4 of the 32.
        {"Y5 on", switchOutput(kMac, 4, true), write32(0x51, 0x03, {{4, 0x01}})},
        {"Y5 off", switchOutput(kMac, 4, false), write32(0x51, 0x03, {{4, 0x00}})},
        {"Y1 on", switchOutput(kMac, 0, true), write32(0x51, 0x03, {{0, 0x01}})},
        {"Y32 off", switchOutput(kMac, 31, false), write32(0x51, 0x03, {{31, 0x00}})},
        {"全开", switchAllOutputs(kMac, true), write32(0x51, 0x01)},
        {"全关", switchAllOutputs(kMac, false), write32(0x51, 0x00)},
        {"清除", clearCounters(kMac), write32(0x53, 0x03)},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.built, c.expected) << c.name;
        EXPECT_EQ(c.built.size(), c.name == std::string_view("poll") ? 18u : 50u) << c.name;
    }
}

TEST(PanelFrames, ThereIsNoOutputBeyondY32) {
    EXPECT_THROW(switchOutput(kMac, 32, true), std::out_of_range);
}

PwmPresets samplePresets() {
    // Frequency and duty of channels 1-4, then pulse counts, ramp times and ramp start frequencies.
    return {1000, 30, 2000, 40, 3000, 50, 4000, 60, 0, 5, -1, 7, 100, 200, 300, 400, 110, 220, 330, 440};
}

TEST(PwmCommand, CarriesEachChannelsPresetsWithTheRunFlag) {
    for (const bool run : {true, false}) {
        const Bytes frame = pwmCommand(kMac, samplePresets(), run);
        Bytes expected{0x88, 0x3A, 0x00, 0x04, 0x00, 0x58, 0x00, 0xF0, 0x00, 0x54};
        const auto be32 = [&](std::uint32_t v) { appendBe32(expected, v); };
        const std::uint8_t flag = run ? 1 : 0;
        expected.push_back(flag), be32(1000), be32(30), be32(0), be32(100), be32(110);
        expected.push_back(flag), be32(2000), be32(40), be32(5), be32(200), be32(220);
        // A negative pulse count travels as its two's complement.
        expected.push_back(flag), be32(3000), be32(50), be32(0xFFFFFFFF), be32(300), be32(330);
        expected.push_back(flag), be32(4000), be32(60), be32(7), be32(400), be32(440);
        EXPECT_EQ(frame, framed(expected)) << (run ? "启动" : "停止");
        EXPECT_EQ(frame.size(), 102u);
    }
}

TEST(PwmPresets, LieInTheRecordAsTwentyLittleEndianValues) {
    record::DeviceRecord record;
    setPwmPresets(record, samplePresets());
    EXPECT_EQ(record.u32(3204), 1000u);        // frequency 1
    EXPECT_EQ(record.u32(3208), 30u);          // duty 1
    EXPECT_EQ(record.u32(3244), 0xFFFFFFFFu);  // pulse count 3
    EXPECT_EQ(record.u32(3280), 440u);         // ramp start frequency 4
    EXPECT_EQ(record.u8(3284), 0u) << "the byte after the block is left alone";
    EXPECT_EQ(pwmPresets(record), samplePresets());
}

TEST(MotorCommand, CarriesSixteenActions) {
    struct Case {
        const char* name;
        MotorActions actions;
        Bytes value;
    };
    const Case cases[] = {
        {"motor 3 forward",
         oneMotor(2, MotorAction::Forward),
         {4, 4, 1, 4, 4, 4, 4, 4, 4, 4, 4, 4, 4, 4, 4, 4}},
        {"motor 16 AC reverse",
         oneMotor(15, MotorAction::ReverseAc),
         {4, 4, 4, 4, 4, 4, 4, 4, 4, 4, 4, 4, 4, 4, 4, 3}},
        {"all stop", everyMotor(MotorAction::Stop), Bytes(16, 0)},
        {"all reverse", everyMotor(MotorAction::Reverse), Bytes(16, 2)},
    };
    for (const Case& c : cases) {
        Bytes expected{0x88, 0x3A, 0x00, 0x04, 0x00, 0x14, 0x00, 0x68, 0x00, 0x10};
        expected.insert(expected.end(), c.value.begin(), c.value.end());
        EXPECT_EQ(motorCommand(kMac, c.actions), framed(expected)) << c.name;
    }
    EXPECT_THROW(oneMotor(16, MotorAction::Stop), std::out_of_range);
}

}  // namespace
}  // namespace norvane::live
