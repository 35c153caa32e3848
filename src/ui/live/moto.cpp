#include "live/moto.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

#include "controls/colour_button.h"
#include "controls/command_button.h"
#include "controls/control_id.h"
#include "record/layout.h"

namespace norvane::ui {
namespace {

const char* const kButtonTexts[] = {"停", "正转", "反转"};

}  // namespace

const QColor moto::kUntouched{244, 244, 244};
const QColor moto::kOther{240, 240, 240};
const QColor moto::kSent{0, 255, 0};

moto::moto(net::DeviceLink& link, record::DeviceRecord& record, const QHostAddress& destination,
           QWidget* parent)
    : QDialog(parent), link_(link), record_(record), destination_(destination) {
    setWindowTitle(QStringLiteral("Dialog"));
    auto* group = new QGroupBox(QStringLiteral("直流电机"), this);
    auto* grid = new QGridLayout(group);
    // Two blocks of eight motors side by side.
    constexpr std::size_t kPerBlock = 8;
    for (std::size_t m = 0; m < live::kMotors; ++m) {
        const MotorIds& ids = kMotorIds[m];
        const int row = static_cast<int>(m % kPerBlock);
        const int column = static_cast<int>(m / kPerBlock) * 5;
        const QString name = QStringLiteral("电机%1").arg(m + 1);
        ticks_[m] = new QCheckBox(name, group);
        ticks_[m]->setObjectName(controlName(ids.tick));
        ticks_[m]->setChecked(record_.u8(record::offset::kMotorFlags + m) != 0);
        grid->addWidget(ticks_[m], row, column);
        const int buttonIds[] = {ids.stop, ids.forward, ids.reverse};
        for (int b = Stop; b <= Reverse; ++b) {
            auto* colour = new ColourButton(QString::fromUtf8(kButtonTexts[b]), group);
            colour->setObjectName(controlName(buttonIds[b]));
            colour->setAccessibleName(name + QLatin1Char(' ') + QString::fromUtf8(kButtonTexts[b]));
            colour->setColours(kUntouched, kUntouched);
            connect(colour, &QPushButton::clicked, this,
                    [this, m, b] { motorCommand(m, static_cast<Button>(b)); });
            grid->addWidget(colour, row, column + 1 + b);
            buttons_[m][static_cast<std::size_t>(b)] = colour;
        }
    }
    grid->setColumnMinimumWidth(4, 24);

    auto* all = commandButton(kTickAll, QStringLiteral("全选"), this);
    auto* none = commandButton(kTickNone, QStringLiteral("全不选"), this);
    acMotor_ = new QCheckBox(QStringLiteral("220V交流电机"), this);
    acMotor_->setObjectName(controlName(kAcMotor));
    auto* allStop = commandButton(kAllStop, QStringLiteral("全停"), this);
    auto* allForward = commandButton(kAllForward, QStringLiteral("全正转"), this);
    auto* allReverse = commandButton(kAllReverse, QStringLiteral("全反转"), this);
    auto* ok = commandButton(kOk, QStringLiteral("确定"), this);
    auto* cancel = commandButton(kCancel, QStringLiteral("取消"), this);
    connect(all, &QPushButton::clicked, this, [this] { tickAll(true); });
    connect(none, &QPushButton::clicked, this, [this] { tickAll(false); });
    connect(allStop, &QPushButton::clicked, this, [this] { allMotors(Stop); });
    connect(allForward, &QPushButton::clicked, this, [this] { allMotors(Forward); });
    connect(allReverse, &QPushButton::clicked, this, [this] { allMotors(Reverse); });
    connect(ok, &QPushButton::clicked, this, [this] {
        storeTicks();
        accept();
    });
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

    auto* ticking = new QHBoxLayout;
    ticking->addWidget(all);
    ticking->addWidget(none);
    ticking->addWidget(acMotor_);
    ticking->addStretch();
    auto* commands = new QHBoxLayout;
    commands->addWidget(allStop);
    commands->addWidget(allForward);
    commands->addWidget(allReverse);
    commands->addStretch();
    commands->addWidget(ok);
    commands->addWidget(cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(group);
    layout->addLayout(ticking);
    layout->addLayout(commands);
}

live::MotorAction moto::actionOf(Button button) const {
    switch (button) {
        case Stop:
            return live::MotorAction::Stop;
        case Forward:
            return live::MotorAction::Forward;
        case Reverse:
            break;
    }
    // Read at the moment of the command.
    return acMotor_->isChecked() ? live::MotorAction::ReverseAc : live::MotorAction::Reverse;
}

void moto::showSent(std::size_t motor, Button button) {
    for (ColourButton* b : buttons_[motor]) b->setColours(kOther, kOther);
    buttons_[motor][static_cast<std::size_t>(button)]->setColours(kSent, kSent);
}

void moto::motorCommand(std::size_t motor, Button button) {
    showSent(motor, button);
    link_.send(live::motorCommand(record_.mac(), live::oneMotor(motor, actionOf(button))), destination_);
}

void moto::allMotors(Button button) {
    // One frame per motor, each setting all sixteen, as the module has always been sent them.
    const live::MotorActions actions = live::everyMotor(actionOf(button));
    for (std::size_t m = 0; m < live::kMotors; ++m) {
        showSent(m, button);
        link_.send(live::motorCommand(record_.mac(), actions), destination_);
    }
}

void moto::tickAll(bool ticked) {
    for (QCheckBox* tick : ticks_) tick->setChecked(ticked);
}

void moto::storeTicks() {
    for (std::size_t m = 0; m < live::kMotors; ++m)
        record_.setU8(record::offset::kMotorFlags + m, ticks_[m]->isChecked() ? 1 : 0);
}

}  // namespace norvane::ui
