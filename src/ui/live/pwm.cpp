#include "live/pwm.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "controls/command_button.h"
#include "controls/control_id.h"
#include "text/decimal.h"

namespace norvane::ui {
namespace {

// The module's own serial PWM command, for users who drive it over its serial line.
const char* const kHelpLines[] = {
    "指令HEX  48 3a 01(地址) 76(命令) 01(通道1-4) 01(00 不启用 01 启用 ) 00000000 (频率 100-100k) "
    "00000000(占空比0-100%) 00000000(脉冲数量0一直发) ",
    "00000000 （加速度 ms） 00000000(加速度起始频率) 45 44 ",
    "设置1通道 频率为ff占空比为30  发：48 3a 01 76 01 00 000000ff 00000030 00000000 00000000 00000000 45 44 ",
    " 收  48 3a 01 77 01 00 000000ff 00000030 00000000 00000000 00000000 45 44",
    " 读取 48 3a 01 78 01 00 00000000 00000000 00000000 00000000 00000000 45 44",
    " 收   48 3A 01 77 01 01 00 00 27 10 00 00 00 05 00 00 00 00 00 00 00 00 00 00 00 00 45 44",
    " 注意：其中加速度 功能尚未实现  ",
};

const char* const kHeadings[] = {"频率(100-100k hz)", "占空比(0-100 %)",
                                 "脉冲数(0:一直发,其他为发生个数,发送完停止)", "加减速(100-10000ms)",
                                 "加减速开始频率"};

// Where preset k of channel c's column lies in record order.
std::size_t presetIndex(std::size_t column, std::size_t channel) {
    return column < 2 ? 2 * channel + column : 8 + 4 * (column - 2) + channel;
}

}  // namespace

pwm::pwm(net::DeviceLink& link, record::DeviceRecord& record, const QHostAddress& destination,
         QWidget* parent)
    : QDialog(parent), link_(link), record_(record), destination_(destination) {
    setWindowTitle(QStringLiteral("PWM"));
    auto* grid = new QGridLayout;
    for (std::size_t column = 0; column < std::size(kHeadings); ++column) {
        auto* heading = new QLabel(QString::fromUtf8(kHeadings[column]), this);
        heading->setWordWrap(true);
        heading->setAlignment(Qt::AlignCenter);
        grid->addWidget(heading, 0, static_cast<int>(column) + 1);
    }
    const live::PwmPresets presets = live::pwmPresets(record_);
    for (std::size_t channel = 0; channel < live::kPwmChannels; ++channel) {
        const QString name = QStringLiteral("PWM%1").arg(channel + 1);
        grid->addWidget(new QLabel(name, this), static_cast<int>(channel) + 1, 0);
        for (std::size_t column = 0; column < std::size(kHeadings); ++column) {
            const std::size_t k = presetIndex(column, channel);
            auto* box = new QLineEdit(QString::number(presets[k]), this);
            box->setObjectName(controlName(kBoxes[k]));
            box->setAccessibleName(name + QLatin1Char(' ') + QString::fromUtf8(kHeadings[column]));
            grid->addWidget(box, static_cast<int>(channel) + 1, static_cast<int>(column) + 1);
            boxes_[k] = box;
        }
    }

    auto* start = commandButton(kStart, QStringLiteral("启动"), this);
    auto* stop = commandButton(kStop, QStringLiteral("停止"), this);
    auto* ok = commandButton(kOk, QStringLiteral("确定"), this);
    auto* cancel = commandButton(kCancel, QStringLiteral("取消"), this);
    connect(start, &QPushButton::clicked, this, [this] { sendCommand(true); });
    connect(stop, &QPushButton::clicked, this, [this] { sendCommand(false); });
    connect(ok, &QPushButton::clicked, this, [this] {
        takeBoxes();
        accept();
    });
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(start);
    buttons->addWidget(stop);
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(cancel);

    auto* help = new QPlainTextEdit(this);
    help->setObjectName(controlName(kHelp));
    help->setAccessibleName(QStringLiteral("串口PWM指令说明"));
    help->setReadOnly(true);
    QStringList lines;
    for (const char* line : kHelpLines) lines << QString::fromUtf8(line);
    help->setPlainText(lines.join(QLatin1Char('\n')));

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addLayout(buttons);
    layout->addWidget(help);
    resize(900, 420);
}

void pwm::takeBoxes() {
    live::PwmPresets presets{};
    // A number as the C library's atoi reads it, kept to 32 bits; no range is enforced.
    for (std::size_t k = 0; k < presets.size(); ++k)
        presets[k] = static_cast<std::int32_t>(
            static_cast<std::uint32_t>(text::parseDecimal(boxes_[k]->text().toStdString())));
    live::setPwmPresets(record_, presets);
}

void pwm::sendCommand(bool run) {
    takeBoxes();
    link_.send(live::pwmCommand(record_.mac(), live::pwmPresets(record_), run), destination_);
}

}  // namespace norvane::ui
