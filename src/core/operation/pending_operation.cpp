#include "operation/pending_operation.h"

#include <algorithm>
#include <array>

namespace norvane::operation {
namespace {

using namespace std::chrono_literals;
using protocol::Reply;

struct OperationRow {
    Operation operation;
    protocol::Reply acknowledgement;    // the reply that ends it
    std::chrono::milliseconds timeout;  // 0: it arms no time-out of its own
    LockedButtons locks;
    std::string_view waiting;  // texts for the status line, UTF-8
    std::string_view succeeded;
    std::optional<std::string_view> failed;  // none: a time-out ends it without a text
};

constexpr LockedButtons kNone{};
constexpr LockedButtons kSaveButton{.save = true};
constexpr LockedButtons kAllButtons{.save = true, .factoryReset = true, .reboot = true};

constexpr std::array<OperationRow, 7> kRows{{
    {Operation::Save, Reply::WriteAck, 3000ms, kSaveButton, "正在保存...", "保存成功", "保存失败"},
    {Operation::FactoryReset, Reply::FactoryResetAck, 3000ms, kAllButtons, "正在恢复出厂...", "恢复出厂成功",
     "恢复出厂失败"},
    {Operation::Reboot, Reply::RebootAck, 3000ms, kAllButtons, "正在重启...", "重启成功", "重启失败"},
    {Operation::DeepFactoryReset, Reply::FactoryResetAck, 3000ms, kAllButtons, "正在深度恢复出厂...",
     "深度恢复出厂成功", "深度恢复出厂失败"},
    {Operation::DebugOn, Reply::WriteAck, 2000ms, kNone, "正在启动调试...", "调试启动成功", "调试启动失败"},
    {Operation::DebugOff, Reply::WriteAck, 2000ms, kNone, "正在关闭调试...", "调试关闭成功", "调试关闭失败"},
    {Operation::ClockCalibration, Reply::WriteAck, 0ms, kNone, "正在校准时间...", "校准成功", std::nullopt},
}};

LockedButtons both(const LockedButtons& a, const LockedButtons& b) {
    return {a.save || b.save, a.factoryReset || b.factoryReset, a.reboot || b.reboot};
}

// The row of an operation; nullptr for None.
const OperationRow* findOperation(Operation operation) {
    const auto* row = std::ranges::find(kRows, operation, &OperationRow::operation);
    return row == kRows.end() ? nullptr : row;
}

}  // namespace

OperationStep PendingOperation::start(Operation operation, const MacAddress& mac) {
    const OperationRow* row = findOperation(operation);
    if (!row) return end(std::nullopt);
    current_ = operation;
    mac_ = mac;
    // Buttons locked by an operation taken over stay locked until this one ends; an operation without a
    // time-out of its own leaves a running timer to end it.
    locked_ = both(locked_, row->locks);
    const bool arms = row->timeout > 0ms;
    return {.status = row->waiting,
            .timer = arms ? TimerAction::Arm : TimerAction::Keep,
            .timeout = row->timeout,
            .locked = locked_};
}

std::optional<OperationStep> PendingOperation::acknowledge(std::uint8_t code, const MacAddress& mac) {
    const OperationRow* row = findOperation(current_);
    if (!row || code != static_cast<std::uint8_t>(row->acknowledgement) || mac != mac_) return std::nullopt;
    return end(row->succeeded);
}

OperationStep PendingOperation::timeout() {
    const OperationRow* row = findOperation(current_);
    return end(row ? row->failed : std::nullopt);
}

OperationStep PendingOperation::end(std::optional<std::string_view> status) {
    current_ = Operation::None;
    mac_ = {};
    locked_ = {};
    return {.status = status, .timer = TimerAction::Stop, .timeout = {}, .locked = {}};
}

}  // namespace norvane::operation
