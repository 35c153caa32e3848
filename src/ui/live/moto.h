#pragma once

#include <QDialog>
#include <QHostAddress>
#include <array>

#include "device_link.h"
#include "live/pwm_motor_frames.h"
#include "record/device_record.h"

class QCheckBox;

namespace norvane::ui {

class ColourButton;

// The motor window: stop, forward and reverse for each of sixteen motors, sent at once, and one tick box per
// motor kept in the record as its selection flag (stored by "确定", sent with the next save). The button of
// the last command sent to a motor shows green.
class moto final : public QDialog {
    Q_OBJECT
  public:
    enum Button { Stop, Forward, Reverse };
    struct MotorIds {
        int tick, stop, forward, reverse;
    };
    static constexpr std::array<MotorIds, live::kMotors> kMotorIds{{
        {1042, 1021, 1022, 1023},
        {1045, 1024, 1025, 1026},
        {1046, 1027, 1028, 1029},
        {1047, 1030, 1031, 1032},
        {1048, 1033, 1034, 1035},
        {1049, 1036, 1037, 1038},
        {1050, 1039, 1040, 1041},
        {1051, 1043, 1044, 1060},
        {1052, 1061, 1062, 1063},
        {1053, 1064, 1065, 1066},
        {1054, 1067, 1068, 1069},
        {1055, 1070, 1071, 1072},
        {1056, 1073, 1074, 1075},
        {1057, 1076, 1077, 1078},
        {1058, 1079, 1080, 1081},
        {1059, 1082, 1083, 1084},
    }};
    static constexpr int kTickAll = 1234, kTickNone = 1239, kAcMotor = 1285;
    static constexpr int kAllStop = 1235, kAllForward = 1237, kAllReverse = 1236, kOk = 1238, kCancel = 1240;

    static const QColor kUntouched, kOther, kSent;

    // `destination` is the module's address, or a null address for the broadcast, for the window's whole
    // life.
    moto(net::DeviceLink& link, record::DeviceRecord& record, const QHostAddress& destination,
         QWidget* parent = nullptr);

  private:
    live::MotorAction actionOf(Button button) const;
    void showSent(std::size_t motor, Button button);
    void motorCommand(std::size_t motor, Button button);
    void allMotors(Button button);
    void tickAll(bool ticked);
    void storeTicks();

    net::DeviceLink& link_;
    record::DeviceRecord& record_;
    QHostAddress destination_;
    std::array<QCheckBox*, live::kMotors> ticks_{};
    std::array<std::array<ColourButton*, 3>, live::kMotors> buttons_{};
    QCheckBox* acMotor_ = nullptr;
};

}  // namespace norvane::ui
