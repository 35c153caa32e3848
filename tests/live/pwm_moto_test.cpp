// The PWM and motor windows on the offscreen platform: presets kept in the record, and the live commands as
// they reach the module's port over real UDP inside the test namespace.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QLineEdit>
#include <QNetworkDatagram>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QUdpSocket>

#include "controls/colour_button.h"
#include "controls/control_id.h"
#include "live/moto.h"
#include "live/pwm.h"
#include "live_fixture.h"
#include "record/layout.h"
#include "sim/plausible_record.h"

namespace norvane::ui {
namespace {

using live_test::waitFor;

// What reaches the module port: the frames the windows send, with the address they were sent to.
class ModulePort : public testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(port.bind(QHostAddress(QHostAddress::AnyIPv4), 0));
        link = std::make_unique<net::DeviceLink>(net::DeviceLink::Options{.modulePort = port.localPort()});
        ASSERT_TRUE(link->open());
    }

    // The next `n` frames, or fewer when they do not come.
    std::vector<Bytes> frames(std::size_t n) {
        std::vector<Bytes> got;
        waitFor([&] {
            while (port.hasPendingDatagrams()) {
                const QNetworkDatagram d = port.receiveDatagram();
                lastDestination = d.destinationAddress();
                const QByteArray data = d.data();
                got.emplace_back(data.begin(), data.end());
            }
            return got.size() >= n;
        });
        return got;
    }
    bool nothingMore() {
        QTest::qWait(200);
        return !port.hasPendingDatagrams();
    }
    void click(QWidget& window, int id) { QTest::mouseClick(findControl(window, id), Qt::LeftButton); }

    QUdpSocket port;
    QHostAddress lastDestination;
    std::unique_ptr<net::DeviceLink> link;
    record::DeviceRecord record = sim::plausibleRecord(0);
};

class PwmWindow : public ModulePort {
  protected:
    QLineEdit* box(std::size_t k) { return findControl<QLineEdit>(*window, pwm::kBoxes[k]); }
    void SetUp() override {
        ModulePort::SetUp();
        live::setPwmPresets(record, kShown);
        window = std::make_unique<pwm>(*link, record, QHostAddress());
        window->show();
    }
    static constexpr live::PwmPresets kShown{1000, 30, 2000, 40,  3000, 50,  4000, 60,  0,   1,
                                             2,    3,  100,  200, 300,  400, 110,  220, 330, 440};
    std::unique_ptr<pwm> window;
};

TEST_F(PwmWindow, ShowsThePresetsInTheirBoxes) {
    EXPECT_EQ(window->windowTitle(), u"PWM"_qs);
    EXPECT_EQ(findControl<QLineEdit>(*window, 1116)->text(), u"1000"_qs) << "frequency 1";
    EXPECT_EQ(findControl<QLineEdit>(*window, 1104)->text(), u"60"_qs) << "duty 4";
    EXPECT_EQ(findControl<QLineEdit>(*window, 1106)->text(), u"1"_qs) << "pulse count 2";
    EXPECT_EQ(findControl<QLineEdit>(*window, 1127)->text(), u"440"_qs) << "ramp start frequency 4";
    EXPECT_EQ(box(0)->accessibleName(), u"PWM1 频率(100-100k hz)"_qs);
}

TEST_F(PwmWindow, StartStoresTheBoxesAsTypedAndSendsThemWithRunFlagOne) {
    live::PwmPresets typed = kShown;
    const std::pair<std::size_t, QString> edits[] = {{0, u""_qs},    {1, u"150"_qs}, {2, u"1k"_qs},
                                                     {3, u"abc"_qs}, {8, u"-5"_qs},  {16, u"  50"_qs}};
    const std::int32_t stored[] = {0, 150, 1, 0, -5, 50};
    for (std::size_t i = 0; i < std::size(edits); ++i) {
        box(edits[i].first)->setText(edits[i].second);
        typed[edits[i].first] = stored[i];
    }
    click(*window, pwm::kStart);
    EXPECT_EQ(live::pwmPresets(record), typed) << "taken into the record at once";
    const auto sent = frames(1);
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_EQ(sent[0], live::pwmCommand(record.mac(), typed, true));
    EXPECT_EQ(lastDestination, QHostAddress(QHostAddress::Broadcast));
    EXPECT_TRUE(nothingMore());
}

TEST_F(PwmWindow, StopSendsTheCurrentValuesWithRunFlagZero) {
    box(4)->setText(u"3500"_qs);
    click(*window, pwm::kStop);
    live::PwmPresets expected = kShown;
    expected[4] = 3500;
    const auto sent = frames(1);
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_EQ(sent[0], live::pwmCommand(record.mac(), expected, false));
}

TEST_F(PwmWindow, OkStoresWithoutSendingAndCancelLeavesThePresets) {
    box(0)->setText(u"777"_qs);
    click(*window, pwm::kCancel);
    EXPECT_EQ(live::pwmPresets(record), kShown);
    EXPECT_EQ(window->result(), QDialog::Rejected);

    pwm again(*link, record, QHostAddress());
    findControl<QLineEdit>(again, 1116)->setText(u"777"_qs);
    click(again, pwm::kOk);
    EXPECT_EQ(live::pwmPresets(record)[0], 777);
    EXPECT_EQ(again.result(), QDialog::Accepted);
    EXPECT_TRUE(nothingMore());
}

TEST_F(PwmWindow, ShowsTheSerialCommandHelp) {
    const QString help = findControl<QPlainTextEdit>(*window, pwm::kHelp)->toPlainText();
    EXPECT_EQ(help.split(u'\n').size(), 7);
    EXPECT_TRUE(help.startsWith(u"指令HEX  48 3a 01(地址) 76(命令)"_qs));
    EXPECT_TRUE(help.endsWith(u" 注意：其中加速度 功能尚未实现  "_qs));
}

// The motor window on a module whose address was fixed at opening: the unicast destination.
class MotoWindow : public ModulePort {
  protected:
    void SetUp() override {
        ModulePort::SetUp();
        std::ranges::fill(record.field(record::offset::kMotorFlags, live::kMotors), 0);
        record.setU8(record::offset::kMotorFlags + 1, 1);
        record.setU8(record::offset::kMotorFlags + 15, 1);
        window = std::make_unique<moto>(*link, record, kModuleAddress);
        window->show();
    }
    ColourButton* motorButton(std::size_t motor, moto::Button which) {
        const moto::MotorIds& ids = moto::kMotorIds[motor];
        const int id = which == moto::Stop ? ids.stop : which == moto::Forward ? ids.forward : ids.reverse;
        return findControl<ColourButton>(*window, id);
    }
    QCheckBox* tick(std::size_t motor) {
        return findControl<QCheckBox>(*window, moto::kMotorIds[motor].tick);
    }
    Bytes command(const live::MotorActions& actions) { return live::motorCommand(record.mac(), actions); }

    const QHostAddress kModuleAddress{u"198.51.100.1"_qs};
    std::unique_ptr<moto> window;
};

TEST_F(MotoWindow, TicksTheSelectedMotorsAndPaintsEveryButtonAlike) {
    for (std::size_t m = 0; m < live::kMotors; ++m) {
        EXPECT_EQ(tick(m)->isChecked(), m == 1 || m == 15) << "motor " << m + 1;
        EXPECT_EQ(tick(m)->text(), u"电机%1"_qs.arg(m + 1));
        for (const auto b : {moto::Stop, moto::Forward, moto::Reverse})
            EXPECT_EQ(motorButton(m, b)->atRest(), moto::kUntouched);
    }
    EXPECT_EQ(motorButton(2, moto::Reverse)->accessibleName(), u"电机3 反转"_qs);
}

TEST_F(MotoWindow, AMotorCommandLeavesTheOtherFifteenAsTheyAre) {
    click(*window, moto::kMotorIds[2].forward);
    auto sent = frames(1);
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_EQ(sent[0], command(live::oneMotor(2, live::MotorAction::Forward)));
    EXPECT_EQ(lastDestination, kModuleAddress);
    EXPECT_EQ(motorButton(2, moto::Forward)->atRest(), moto::kSent);
    EXPECT_EQ(motorButton(2, moto::Stop)->atRest(), moto::kOther);
    EXPECT_EQ(motorButton(2, moto::Reverse)->focused(), moto::kOther);
    EXPECT_EQ(motorButton(3, moto::Forward)->atRest(), moto::kUntouched);

    // Reverse of a 220 V AC motor, read when the command is sent.
    findControl<QCheckBox>(*window, moto::kAcMotor)->setChecked(true);
    click(*window, moto::kMotorIds[2].reverse);
    sent = frames(1);
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_EQ(sent[0], command(live::oneMotor(2, live::MotorAction::ReverseAc)));
    EXPECT_EQ(motorButton(2, moto::Forward)->atRest(), moto::kOther);
    EXPECT_EQ(motorButton(2, moto::Reverse)->atRest(), moto::kSent);
}

TEST_F(MotoWindow, AnAllMotorCommandSendsSixteenFramesEachSettingAllSixteen) {
    click(*window, moto::kAllReverse);
    const auto sent = frames(16);
    ASSERT_EQ(sent.size(), 16u);
    for (const Bytes& frame : sent) EXPECT_EQ(frame, command(live::everyMotor(live::MotorAction::Reverse)));
    EXPECT_TRUE(nothingMore());
    for (std::size_t m = 0; m < live::kMotors; ++m) {
        EXPECT_EQ(motorButton(m, moto::Reverse)->atRest(), moto::kSent) << "motor " << m + 1;
        EXPECT_EQ(motorButton(m, moto::Stop)->atRest(), moto::kOther) << "motor " << m + 1;
    }
}

TEST_F(MotoWindow, OkStoresTheTicksAndCancelDoesNot) {
    click(*window, moto::kTickAll);
    click(*window, moto::kCancel);
    EXPECT_EQ(record.u8(record::offset::kMotorFlags), 0);

    moto again(*link, record, kModuleAddress);
    click(again, moto::kTickNone);
    findControl<QCheckBox>(again, moto::kMotorIds[4].tick)->setChecked(true);
    click(again, moto::kOk);
    for (std::size_t m = 0; m < live::kMotors; ++m)
        EXPECT_EQ(record.u8(record::offset::kMotorFlags + m), m == 4 ? 1 : 0) << "motor " << m + 1;
    EXPECT_TRUE(nothingMore()) << "ticks are kept for the save, never sent";
}

TEST(ColourButtonLook, ShowsItsColourAtRestAndTheSystemsUnderThePointer) {
    ColourButton button(u"正转"_qs);
    button.resize(80, 30);
    button.setColours(QColor(0, 255, 0), QColor(0, 255, 0));
    button.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&button));
    const auto centre = [&] { return button.grab().toImage().pixelColor(10, 15); };
    button.setAttribute(Qt::WA_UnderMouse, false);
    const QColor atRest = centre();
    EXPECT_GT(atRest.green(), atRest.red() + 80) << "green at rest";
    button.setAttribute(Qt::WA_UnderMouse, true);
    const QColor hovered = centre();
    EXPECT_LT(std::abs(hovered.green() - hovered.red()), 30) << "the system's grey under the pointer";
}

}  // namespace
}  // namespace norvane::ui
