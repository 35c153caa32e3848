#pragma once

#include <chrono>
#include <cstdint>
#include <optional>
#include <string_view>

#include "bytes.h"
#include "protocol/codes.h"

namespace norvane::operation {

// The operations that wait for a module's acknowledgement, by the main window's codes for them.
enum class Operation : std::uint8_t {
    None = 0,
    Save = 1,
    FactoryReset = 2,
    Reboot = 3,
    DeepFactoryReset = 4,
    DebugOn = 7,
    DebugOff = 8,
    ClockCalibration = 16,
};

// The main window's buttons "保存" (1037), "恢复出厂" (1022) and "重启设备" (1021), disabled while they are
// set.
struct LockedButtons {
    bool save = false;
    bool factoryReset = false;
    bool reboot = false;
    bool operator==(const LockedButtons&) const = default;
};

enum class TimerAction : std::uint8_t {
    Keep,  // leave the operation timer as it is
    Arm,   // (re)start it with `timeout`
    Stop,
};

// What the window does after a transition: the new status text (if any), the operation timer, and the
// buttons to keep disabled from now on (every other one of the three is enabled).
struct OperationStep {
    std::optional<std::string_view> status;
    TimerAction timer = TimerAction::Keep;
    std::chrono::milliseconds timeout{0};
    LockedButtons locked;
    bool operator==(const OperationStep&) const = default;
};

// The one operation of the main window that waits for its acknowledgement. It keeps no clock: the window arms
// and stops the timer as each step says and calls timeout() when it fires.
class PendingOperation final {
  public:
    // Starts an operation for the module with this MAC; it takes over one still waiting.
    OperationStep start(Operation operation, const MacAddress& mac);
    // An acknowledgement ends the operation only when its code is the operation's and it comes from the
    // module the operation waits for; any other changes nothing (nullopt).
    std::optional<OperationStep> acknowledge(std::uint8_t code, const MacAddress& mac);
    // The operation timer fired: whatever waits has failed.
    OperationStep timeout();

    Operation current() const { return current_; }
    const MacAddress& module() const { return mac_; }

  private:
    OperationStep end(std::optional<std::string_view> status);

    Operation current_ = Operation::None;
    MacAddress mac_{};
    LockedButtons locked_;
};

}  // namespace norvane::operation
