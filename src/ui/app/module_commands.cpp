#include "app/module_commands.h"

#include <QCheckBox>
#include <QDateTime>
#include <QMessageBox>
#include <QPushButton>
#include <algorithm>
#include <string_view>

#include "app/cdorn_dlg.h"
#include "app/gbk_qstring.h"
#include "app/read_controls.h"
#include "controls/control_id.h"
#include "prompts/prompter.h"
#include "protocol/requests.h"
#include "record/save_frame.h"
#include "text/gbk.h"

namespace norvane::ui {
namespace {

using namespace std::chrono_literals;
using operation::Operation;
using operation::OperationStep;
using operation::TimerAction;

constexpr auto kSendPause = 500ms;
constexpr auto kCalibrationPause = 100ms;

constexpr int kSave = 1037, kReboot = 1021, kFactoryReset = 1022, kDeepFactoryReset = 32774, kDebug = 1069,
              kCalibrate = 1071, kNetworkTest = 1090, kUserCodeVersion = 1082, kTraffic = 1304;
constexpr int kCrossRouter = 1068;

// The user-code version, unsigned 32-bit.
constexpr std::size_t kUserCodeVersionOffset = 36;
// The most of a network test's result text that is shown.
constexpr std::size_t kShownResult = 511;

const QString kPingCaption = QStringLiteral("ping test");

QString utf8(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

protocol::LocalTime localNow() {
    const QDateTime now = QDateTime::currentDateTime();
    const QDate date = now.date();
    const QTime time = now.time();
    return {.year = date.year(),
            .month = date.month(),
            .day = date.day(),
            .hour = time.hour(),
            .minute = time.minute(),
            .second = time.second(),
            .weekday = date.dayOfWeek() % 7};
}

}  // namespace

ModuleCommands::ModuleCommands(CdornDlg& window, QWidget& controls, Prompter& prompter)
    : QObject(&window), window_(window), controls_(controls), prompter_(prompter) {
    operationTimer_.setSingleShot(true);
    // A coarse timer may fire 5 % early; a time-out of 3 s means 3 s.
    operationTimer_.setTimerType(Qt::PreciseTimer);
    connect(&operationTimer_, &QTimer::timeout, this, [this] { apply(pending_.timeout()); });
}

bool ModuleCommands::run(int id) {
    switch (id) {
        case kSave:
            save();
            return true;
        case kReboot:
            reboot();
            return true;
        case kFactoryReset:
            factoryReset(false);
            return true;
        case kDeepFactoryReset:
            factoryReset(true);
            return true;
        case kDebug:
            debugMode();
            return true;
        case kCalibrate:
            calibrate();
            return true;
        case kNetworkTest:
            networkTest();
            return true;
        case kUserCodeVersion:
            userCodeVersion();
            return true;
        case kTraffic:
            trafficQuery();
            return true;
        default:
            return false;
    }
}

void ModuleCommands::acknowledged(std::uint8_t code, const MacAddress& mac) {
    if (const auto step = pending_.acknowledge(code, mac)) apply(*step);
}

void ModuleCommands::networkTestAnswered(ByteView result) {
    if (pingBox_) pingBox_->done(QMessageBox::Ok);
    const std::string_view text(reinterpret_cast<const char*>(result.data()), result.size());
    prompter_.inform(&window_,
                     text.empty() ? QStringLiteral("测试失败") : fromGbk(text::cutGbk(text, kShownResult)));
}

void ModuleCommands::save() {
    record::DeviceRecord* module = selected();
    if (!module) return;
    readControlsIntoRecord(controls_, *module, prompter_);
    // Planned before the operation starts, so that a save the module cannot take leaves whatever waits.
    record::SavePlan plan = record::planSave(*module, route());
    if (plan.refused()) {
        window_.setStatus(utf8(plan.refusal));
        return;
    }
    apply(pending_.start(Operation::Save, module->mac()));
    sendLater(kSendPause, window_.destinationOf(*module),
              [datagrams = std::move(plan.datagrams)] { return datagrams; });
}

void ModuleCommands::reboot() {
    record::DeviceRecord* module = selected();
    if (!module) return;
    apply(pending_.start(Operation::Reboot, module->mac()));
    sendLater(kSendPause, window_.destinationOf(*module),
              [frame = protocol::reboot(module->mac(), route())] { return std::vector<Bytes>{frame}; });
}

void ModuleCommands::factoryReset(bool deep) {
    record::DeviceRecord* module = selected();
    if (!module) return;
    apply(pending_.start(deep ? Operation::DeepFactoryReset : Operation::FactoryReset, module->mac()));
    sendLater(
        kSendPause, window_.destinationOf(*module),
        [frame = protocol::factoryReset(module->mac(), deep, route())] { return std::vector<Bytes>{frame}; });
}

void ModuleCommands::debugMode() {
    record::DeviceRecord* module = selected();
    if (!module) return;
    // The check box's new state lands in the record with every other setting, and is what is sent.
    readControlsIntoRecord(controls_, *module, prompter_);
    const bool on = module->u8(record::offset::kDebugMode) != 0;
    apply(pending_.start(on ? Operation::DebugOn : Operation::DebugOff, module->mac()));
    sendLater(kSendPause, window_.destinationOf(*module),
              [frame = protocol::debugMode(module->mac(), on)] { return std::vector<Bytes>{frame}; });
}

void ModuleCommands::calibrate() {
    record::DeviceRecord* module = selected(true);
    if (!module) return;
    apply(pending_.start(Operation::ClockCalibration, module->mac()));
    // The time is read when the frame leaves.
    sendLater(kCalibrationPause, window_.destinationOf(*module), [mac = module->mac()] {
        return std::vector<Bytes>{protocol::clockCalibration(mac, localNow())};
    });
}

void ModuleCommands::networkTest() {
    record::DeviceRecord* module = selected(true);
    if (!module) return;
    window_.link().send(protocol::networkTest(module->mac(), route()), window_.destinationOf(*module));
    // Window-modal without a loop of its own: the answer that closes it is handled meanwhile.
    if (!pingBox_) {
        pingBox_ =
            new QMessageBox(QMessageBox::NoIcon, kPingCaption,
                            QStringLiteral("正在 ping www.baidu.com 请等待 ..."), QMessageBox::Ok, &window_);
        pingBox_->setObjectName(kPingCaption);
        pingBox_->setAttribute(Qt::WA_DeleteOnClose);
        connect(pingBox_, &QObject::destroyed, this, [this] { pingBox_ = nullptr; });
    }
    pingBox_->open();
}

void ModuleCommands::userCodeVersion() {
    const record::DeviceRecord* module = selected();
    if (!module) return;
    prompter_.inform(&window_, QStringLiteral("user code version:V%1")
                                   .arg(module->u32(kUserCodeVersionOffset), 4, 10, QLatin1Char('0')));
}

void ModuleCommands::trafficQuery() {
    // A search for the counters alone: every module that hears it answers. Across routers it goes to the
    // selected module's address, the only one known.
    const int index = window_.selectedIndex();
    const QHostAddress to = index < 0
                                ? QHostAddress()
                                : window_.destinationOf(window_.devices()[static_cast<std::size_t>(index)]);
    window_.link().send(protocol::trafficQuery(), to);
}

record::DeviceRecord* ModuleCommands::selected(bool ask) {
    const int index = window_.selectedIndex();
    if (index >= 0) return &window_.devices()[static_cast<std::size_t>(index)];
    const QString choose = QStringLiteral("请选择一个设备");
    if (ask)
        prompter_.inform(&window_, choose);
    else
        window_.setStatus(choose);
    return nullptr;
}

protocol::Route ModuleCommands::route() const {
    return findControl<QCheckBox>(controls_, kCrossRouter)->isChecked() ? protocol::Route::CrossRouter
                                                                        : protocol::Route::Local;
}

void ModuleCommands::apply(const OperationStep& step) {
    if (step.status) window_.setStatus(utf8(*step.status));
    if (step.timer == TimerAction::Arm) operationTimer_.start(step.timeout);
    if (step.timer == TimerAction::Stop) operationTimer_.stop();
    findControl<QPushButton>(controls_, kSave)->setEnabled(!step.locked.save);
    findControl<QPushButton>(controls_, kFactoryReset)->setEnabled(!step.locked.factoryReset);
    findControl<QPushButton>(controls_, kReboot)->setEnabled(!step.locked.reboot);
}

void ModuleCommands::sendLater(std::chrono::milliseconds pause, const QHostAddress& to,
                               std::function<std::vector<Bytes>()> build) {
    QTimer::singleShot(pause, this, [this, to, build = std::move(build)] {
        for (const Bytes& datagram : build()) window_.link().send(datagram, to);
    });
}

}  // namespace norvane::ui
