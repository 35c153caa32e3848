#include "live/ctrl.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QShortcut>
#include <QVBoxLayout>

#include "controls/command_button.h"
#include "controls/control_id.h"
#include "live/picture_button.h"
#include "protocol/requests.h"

namespace norvane::ui {
namespace {

using namespace std::chrono_literals;

constexpr auto kPollPeriod = 200ms;
constexpr auto kRedrawPeriod = 50ms;
// Room for "-2147483648" and "65535" or "161.655".
constexpr int kCounterWidth = 76, kReadingWidth = 80;

QLabel* label(const QString& text, QWidget* parent) {
    auto* l = new QLabel(text, parent);
    l->setAlignment(Qt::AlignCenter);
    return l;
}

// A counter's or reading's value: sunken and centred. Its size is fixed, wide enough for any value, so that a
// new value repaints the box alone and never lays the panel out again.
QLabel* valueBox(int id, const QString& accessibleName, const QString& initial, int width, QWidget* parent) {
    auto* box = new QLabel(initial, parent);
    box->setObjectName(controlName(id));
    box->setAccessibleName(accessibleName);
    box->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    box->setAlignment(Qt::AlignCenter);
    box->setTextFormat(Qt::PlainText);
    box->setFixedSize(width, box->fontMetrics().height() + 6);
    return box;
}

}  // namespace

ctrl::ctrl(net::DeviceLink& link, const record::DeviceRecord& record, const QHostAddress& destination,
           live::LiveStateMirror& mirror, QWidget* parent)
    : QDialog(parent), link_(link), mac_(record.mac()), destination_(destination), mirror_(mirror) {
    setWindowTitle(QStringLiteral("控制"));
    mirror_.follow(record);
    auto* layout = new QVBoxLayout(this);
    layout->setSizeConstraint(QLayout::SetMinimumSize);
    buildInputsAndOutputs(*layout);
    buildCounters(*layout);
    buildReadings(*layout);
    buildCalibration(*layout);
    layout->addStretch();

    connect(&poll_, &QTimer::timeout, this, [this] { send(live::statePoll(mac_)); });
    connect(&redraw_, &QTimer::timeout, this, &ctrl::redraw);
    poll_.start(kPollPeriod);
    redraw_.start(kRedrawPeriod);
}

void ctrl::buildInputsAndOutputs(QVBoxLayout& layout) {
    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(3);
    for (std::size_t i = 0; i < live::kPoints; ++i) {
        const int column = static_cast<int>(i);
        const int n = column + 1;
        grid->addWidget(label(QStringLiteral("X%1").arg(n), this), 0, column);
        inputs_[i] = new PictureButton(kFirstInput + column, QStringLiteral("X%1").arg(n),
                                       LivePicture::BlackDot, this);
        grid->addWidget(inputs_[i], 1, column);
        grid->addWidget(label(QStringLiteral("Y%1").arg(n), this), 3, column);
        outputs_[i] = new PictureButton(kFirstOutput + column, QStringLiteral("Y%1").arg(n),
                                        LivePicture::OpenContact, this);
        grid->addWidget(outputs_[i], 4, column);
        connect(outputs_[i], &QAbstractButton::clicked, this, [this, i] { outputClicked(i); });
    }
    grid->setRowMinimumHeight(2, 30);
    auto* all = new QHBoxLayout;
    auto* closeAll = commandButton(kAllClosed, QStringLiteral("全开"), this);
    auto* openAll = commandButton(kAllOpen, QStringLiteral("全关"), this);
    connect(closeAll, &QPushButton::clicked, this, [this] { switchAll(true); });
    connect(openAll, &QPushButton::clicked, this, [this] { switchAll(false); });
    all->addWidget(closeAll);
    all->addWidget(openAll);
    all->addStretch();
    layout.addLayout(grid);
    layout.addLayout(all);
    layout.addSpacing(16);
}

void ctrl::buildCounters(QVBoxLayout& layout) {
    layout.addWidget(new QLabel(QStringLiteral("计数"), this));
    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(4);
    constexpr std::size_t kPerRow = 16;
    for (std::size_t k = 0; k < live::kPoints; ++k) {
        const int row = static_cast<int>(k / kPerRow) * 2;
        const int column = static_cast<int>(k % kPerRow);
        const QString name = QStringLiteral("X%1").arg(k + 1);
        auto* l = new QLabel(name, this);
        grid->addWidget(l, row, column);
        counters_[k] = valueBox(kFirstCounter + static_cast<int>(k), QStringLiteral("计数 ") + name,
                                QStringLiteral("999"), kCounterWidth, this);
        QPalette green = counters_[k]->palette();
        green.setColor(QPalette::WindowText, QColor(0, 128, 0));
        counters_[k]->setPalette(green);
        grid->addWidget(counters_[k], row + 1, column);
    }
    layout.addLayout(grid);
    auto* clear = commandButton(kClearCounters, QStringLiteral("清除"), this);
    connect(clear, &QPushButton::clicked, this, [this] { send(live::clearCounters(mac_)); });
    auto* line = new QHBoxLayout;
    line->addWidget(clear);
    line->addStretch();
    layout.addLayout(line);
    layout.addSpacing(16);
}

void ctrl::buildReadings(QVBoxLayout& layout) {
    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(4);
    for (std::size_t m = 0; m < live::kReadings; ++m) {
        const int column = static_cast<int>(m);
        const QString name = QStringLiteral("A%1").arg(m + 1);
        grid->addWidget(new QLabel(name, this), 0, column);
        readings_[m] = valueBox(kFirstReading + column, name, QStringLiteral("0.0"), kReadingWidth, this);
        grid->addWidget(readings_[m], 1, column);
    }
    range_ = new QComboBox(this);
    range_->setAccessibleName(QStringLiteral("档位"));
    // In the order of live::ReadingRange.
    range_->addItems({QStringLiteral("档位:ADC"), QStringLiteral("档位:0-20MA"), QStringLiteral("档位:0-5V"),
                      QStringLiteral("档位:0-10V")});
    range_->setCurrentIndex(0);
    grid->addWidget(range_, 1, static_cast<int>(live::kReadings));
    grid->setColumnStretch(static_cast<int>(live::kReadings) + 1, 1);
    layout.addLayout(grid);
}

void ctrl::buildCalibration(QVBoxLayout& layout) {
    calibration_ = {commandButton(kCalibrationStatus, QStringLiteral(" 校准"), this),
                    commandButton(kCalibrationValues, QStringLiteral("查看校准参数"), this)};
    connect(calibration_[0], &QPushButton::clicked, this,
            [this] { send(protocol::calibrationStatusRead(mac_)); });
    connect(calibration_[1], &QPushButton::clicked, this,
            [this] { send(protocol::calibrationValuesRead(mac_)); });
    auto* line = new QHBoxLayout;
    for (QPushButton* b : calibration_) {
        b->hide();
        line->addWidget(b);
    }
    line->addStretch();
    layout.addLayout(line);
    // The service chord: Alt and J (校准, jiao zhun).
    auto* chord = new QShortcut(QKeySequence(Qt::ALT | Qt::Key_J), this);
    connect(chord, &QShortcut::activated, this, [this] {
        for (QPushButton* b : calibration_) b->show();
    });
}

void ctrl::send(const Bytes& frame) {
    link_.send(frame, destination_);
}

void ctrl::outputClicked(std::size_t output) {
    const bool close = outputs_[output]->picture() != LivePicture::ClosedContact;
    outputs_[output]->setPicture(close ? LivePicture::ClosedContact : LivePicture::OpenContact);
    send(live::switchOutput(mac_, output, close));
}

void ctrl::switchAll(bool close) {
    for (PictureButton* b : outputs_)
        b->setPicture(close ? LivePicture::ClosedContact : LivePicture::OpenContact);
    send(live::switchAllOutputs(mac_, close));
}

live::ReadingRange ctrl::range() const {
    return static_cast<live::ReadingRange>(std::max(0, range_->currentIndex()));
}

void ctrl::redraw() {
    const live::PanelRedraw shown = live::panelRedraw(mirror_, range(), drawn_);
    for (std::size_t i = 0; i < live::kPoints; ++i) {
        inputs_[i]->setPicture(shown.inputsHigh[i] ? LivePicture::GreenDot : LivePicture::BlackDot);
        counters_[i]->setText(QString::fromStdString(shown.counters[i]));
    }
    for (const auto& change : shown.outputChanges)
        outputs_[change.output]->setPicture(change.closed ? LivePicture::ClosedContact
                                                          : LivePicture::OpenContact);
    for (std::size_t m = 0; m < live::kReadings; ++m)
        readings_[m]->setText(QString::fromStdString(shown.readings[m]));
}

}  // namespace norvane::ui
