#include "operation/pending_operation.h"

#include <gtest/gtest.h>

namespace norvane::operation {
namespace {

using namespace std::chrono_literals;

const MacAddress kModule{0x02, 0x4E, 0x56, 0x00, 0x00, 0x01};
const MacAddress kOtherModule{0x02, 0x4E, 0x56, 0x00, 0x00, 0x02};

constexpr std::uint8_t kWriteAck = 0x84, kResetAck = 0x85, kRebootAck = 0x86;
constexpr LockedButtons kNoButtons{};
constexpr LockedButtons kSaveButton{.save = true};
constexpr LockedButtons kAllButtons{.save = true, .factoryReset = true, .reboot = true};

struct Case {
    Operation operation;
    std::uint8_t ack;
    std::chrono::milliseconds timeout;  // 0: the timer is left alone
    LockedButtons locks;
    const char* waiting;
    const char* succeeded;
    const char* failed;  // nullptr: no text
};

const Case kOperations[] = {
    {Operation::Save, kWriteAck, 3000ms, kSaveButton, "正在保存...", "保存成功", "保存失败"},
    {Operation::FactoryReset, kResetAck, 3000ms, kAllButtons, "正在恢复出厂...", "恢复出厂成功",
     "恢复出厂失败"},
    {Operation::Reboot, kRebootAck, 3000ms, kAllButtons, "正在重启...", "重启成功", "重启失败"},
    {Operation::DeepFactoryReset, kResetAck, 3000ms, kAllButtons, "正在深度恢复出厂...", "深度恢复出厂成功",
     "深度恢复出厂失败"},
    {Operation::DebugOn, kWriteAck, 2000ms, kNoButtons, "正在启动调试...", "调试启动成功", "调试启动失败"},
    {Operation::DebugOff, kWriteAck, 2000ms, kNoButtons, "正在关闭调试...", "调试关闭成功", "调试关闭失败"},
    {Operation::ClockCalibration, kWriteAck, 0ms, kNoButtons, "正在校准时间...", "校准成功", nullptr},
};

std::optional<std::string_view> text(const char* t) {
    return t ? std::optional<std::string_view>(t) : std::nullopt;
}

// How every end looks: the timer stopped, the buttons enabled, and the text if there is one.
OperationStep ended(const char* status) {
    return {.status = text(status), .timer = TimerAction::Stop, .timeout = {}, .locked = {}};
}

TEST(PendingOperation, EachOperationShowsItsTextsAndEndsByItsOwnAcknowledgementOrItsTimeout) {
    for (const Case& c : kOperations) {
        SCOPED_TRACE(c.waiting);
        PendingOperation pending;
        const OperationStep started = pending.start(c.operation, kModule);
        EXPECT_EQ(started.status, text(c.waiting));
        EXPECT_EQ(started.timer, c.timeout > 0ms ? TimerAction::Arm : TimerAction::Keep);
        EXPECT_EQ(started.timeout, c.timeout);
        EXPECT_EQ(started.locked, c.locks);
        EXPECT_EQ(pending.current(), c.operation);

        const auto acknowledged = pending.acknowledge(c.ack, kModule);
        ASSERT_TRUE(acknowledged);
        EXPECT_EQ(*acknowledged, ended(c.succeeded));
        EXPECT_EQ(pending.current(), Operation::None);

        pending.start(c.operation, kModule);
        EXPECT_EQ(pending.timeout(), ended(c.failed));
        EXPECT_EQ(pending.current(), Operation::None);
    }
}

TEST(PendingOperation, AnAcknowledgementOfAnotherKindOrFromAnotherModuleChangesNothing) {
    for (const Case& c : kOperations) {
        SCOPED_TRACE(c.waiting);
        PendingOperation pending;
        pending.start(c.operation, kModule);
        EXPECT_FALSE(pending.acknowledge(c.ack, kOtherModule));
        for (const std::uint8_t code :
             {kWriteAck, kResetAck, kRebootAck, std::uint8_t{0x81}, std::uint8_t{0x83}}) {
            if (code == c.ack) continue;
            EXPECT_FALSE(pending.acknowledge(code, kModule)) << int{code};
        }
        EXPECT_EQ(pending.current(), c.operation);
        EXPECT_EQ(pending.module(), kModule);
    }
}

TEST(PendingOperation, ASaveAcknowledgedByAnotherModuleStillFails) {
    PendingOperation pending;
    pending.start(Operation::Save, kModule);
    EXPECT_FALSE(pending.acknowledge(kWriteAck, kOtherModule));
    EXPECT_FALSE(pending.acknowledge(kRebootAck, kModule));
    EXPECT_EQ(pending.timeout().status, "保存失败");
}

TEST(PendingOperation, ALateAcknowledgementFindsNothingWaiting) {
    PendingOperation pending;
    EXPECT_FALSE(pending.acknowledge(kWriteAck, kModule));
    pending.start(Operation::Save, kModule);
    EXPECT_EQ(pending.timeout().status, "保存失败");
    EXPECT_FALSE(pending.acknowledge(kWriteAck, kModule));
}

TEST(PendingOperation, AWriteAcknowledgedWhileARebootWaitsDoesNotEndTheReboot) {
    // The control panel's output switches are acknowledged with 0x84 as well.
    PendingOperation pending;
    pending.start(Operation::Reboot, kModule);
    EXPECT_FALSE(pending.acknowledge(kWriteAck, kModule));
    EXPECT_EQ(pending.acknowledge(kRebootAck, kModule)->status, "重启成功");
}

TEST(PendingOperation, ANewStartTakesOverTheOperationAndItsModule) {
    PendingOperation pending;
    pending.start(Operation::Save, kModule);
    // One-key configuration saves again, to another module.
    const OperationStep again = pending.start(Operation::Save, kOtherModule);
    EXPECT_EQ(again.timer, TimerAction::Arm);
    EXPECT_FALSE(pending.acknowledge(kWriteAck, kModule));
    EXPECT_EQ(pending.acknowledge(kWriteAck, kOtherModule)->status, "保存成功");

    // Buttons locked by the operation taken over stay locked until the new one ends.
    pending.start(Operation::Reboot, kModule);
    EXPECT_EQ(pending.start(Operation::DebugOn, kModule).locked, kAllButtons);
    EXPECT_FALSE(pending.acknowledge(kRebootAck, kModule));
    const auto ended = pending.acknowledge(kWriteAck, kModule);
    ASSERT_TRUE(ended);
    EXPECT_EQ(ended->locked, kNoButtons);
}

TEST(PendingOperation, ACalibrationLeavesTheRunningTimerToEndItQuietly) {
    PendingOperation pending;
    pending.start(Operation::FactoryReset, kModule);
    const OperationStep calibrating = pending.start(Operation::ClockCalibration, kModule);
    EXPECT_EQ(calibrating.timer, TimerAction::Keep);
    EXPECT_EQ(calibrating.locked, kAllButtons);
    EXPECT_EQ(pending.timeout(), ended(nullptr));
    EXPECT_EQ(pending.current(), Operation::None);
}

}  // namespace
}  // namespace norvane::operation
