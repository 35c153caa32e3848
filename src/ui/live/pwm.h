#pragma once

#include <QDialog>
#include <QHostAddress>
#include <array>

#include "device_link.h"
#include "live/pwm_motor_frames.h"
#include "record/device_record.h"

class QLineEdit;

namespace norvane::ui {

// The PWM window ("PWM"): edits the module's four channel presets in its record, which reach the module with
// the next save, and starts ("启动") or stops ("停止") all four channels at once with the values in the
// boxes.
class pwm final : public QDialog {
    Q_OBJECT
  public:
    static constexpr int kStart = 1021, kStop = 1022, kOk = 1040, kCancel = 1041, kHelp = 1100;
    // The boxes in record order: frequency and duty of channels 1 to 4, then pulse counts, ramp times and
    // ramp start frequencies.
    static constexpr std::array<int, live::kPwmPresetCount> kBoxes{1116, 1101, 1120, 1102, 1122, 1103, 1124,
                                                                   1104, 1105, 1106, 1107, 1108, 1109, 1110,
                                                                   1111, 1112, 1113, 1114, 1115, 1127};

    // `destination` is the module's address, or a null address for the broadcast, for the window's whole
    // life.
    pwm(net::DeviceLink& link, record::DeviceRecord& record, const QHostAddress& destination,
        QWidget* parent = nullptr);

  private:
    void takeBoxes();
    void sendCommand(bool run);

    net::DeviceLink& link_;
    record::DeviceRecord& record_;
    QHostAddress destination_;
    std::array<QLineEdit*, live::kPwmPresetCount> boxes_{};
};

}  // namespace norvane::ui
