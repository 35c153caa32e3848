#include "app/cdorn_dlg.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QStyle>
#include <algorithm>
#include <optional>
#include <utility>

#include "app/acknowledgement_handler.h"
#include "app/cabout_dlg.h"
#include "app/clock_text.h"
#include "app/command_table.h"
#include "app/device_list_model.h"
#include "app/device_list_view.h"
#include "app/devinfo.h"
#include "app/displayed_items.h"
#include "app/field_table.h"
#include "app/main_window_controls.h"
#include "app/module_commands.h"
#include "app/settings_store.h"
#include "app/show_record.h"
#include "controls/control_id.h"
#include "controls/status_text.h"
#include "live/ctrl.h"
#include "live/debug.h"
#include "live/moto.h"
#include "live/pwm.h"
#include "prompts/prompter.h"
#include "protocol/requests.h"
#include "protocol/tags.h"

namespace norvane::ui {
namespace {

using namespace std::chrono_literals;

constexpr auto kFirstSearchDelay = 200ms;
constexpr auto kBroadcastDelay = 200ms;
constexpr auto kClockPollPeriod = 1000ms;

constexpr int kSearch = 1020, kCrossRouter = 1068, kShowPassword = 1096, kLockHelp = 1098, kPassword = 1024;
constexpr int kModeLists[] = {1026, 1032, 1034, 1059};
constexpr int kSerialMode = 1290;
constexpr int kDeviceInfo = 1040;
constexpr int kControlPanel = 1054, kDebugMonitor = 1084, kPwm = 1077, kMotors = 1086;

QString utf8(const char* text) {
    return QString::fromUtf8(text);
}

const QString kChooseModule = QStringLiteral("请选择一个设备");

}  // namespace

CdornDlg::CdornDlg(Prompter& prompter, net::DeviceLink::Options link, SettingsStore* settings,
                   QWidget* parent)
    : QMainWindow(parent), prompter_(prompter), settings_(settings), link_(std::move(link)) {
    setWindowTitle(QStringLiteral("Norvane    配置软件           V221"));
    setWindowIcon(style()->standardIcon(QStyle::SP_DriveNetIcon));
    buildMenus();
    controls_ = new QWidget;
    buildMainWindowControls(*controls_);
    setCentralWidget(controls_);
    list_ = findControl<DeviceListView>(*controls_, kDeviceList);
    status_ = findControl<StatusText>(*controls_, kStatusLine);
    clock_ = findControl<StatusText>(*controls_, kClockText);
    commands_ = new ModuleCommands(*this, *controls_, prompter_);
    acknowledgements_ = commands_;

    // Start-up, in order: the card list, the socket, the device list, the settings, the first search.
    fillCardList();
    connect(&link_, &net::DeviceLink::datagramsArrived, this, &CdornDlg::takeReplies);
    link_.open({}, everyCard());
    model_ = new DeviceListModel(devices_, this);
    list_->setModel(model_);
    int columnsWidth = 0;
    for (int column = 0; column < DeviceListModel::kColumns; ++column) {
        list_->horizontalHeader()->resizeSection(column, DeviceListModel::columnWidth(column));
        columnsWidth += DeviceListModel::columnWidth(column);
    }
    // Every column whole, beside the scroll bar that 512 modules need.
    list_->setMinimumWidth(columnsWidth + 2 * list_->frameWidth() +
                           style()->pixelMetric(QStyle::PM_ScrollBarExtent));
    wireControls();
    if (settings_) settings_->read(*this);

    firstSearch_.setSingleShot(true);
    connect(&firstSearch_, &QTimer::timeout, this, &CdornDlg::startSearch);
    searchBroadcast_.setSingleShot(true);
    connect(&searchBroadcast_, &QTimer::timeout, this,
            [this] { link_.send(protocol::searchFrame(protocol::Route::Local)); });
    connect(&clockPoll_, &QTimer::timeout, this, &CdornDlg::pollClock);
    firstSearch_.start(kFirstSearchDelay);
}

CdornDlg::~CdornDlg() {
    // The view goes with the window's children, after the list it shows: it lets go of it first.
    list_->setModel(nullptr);
}

int CdornDlg::selectedIndex() const {
    return list_->selectedRow();
}

QHostAddress CdornDlg::destinationOf(const record::DeviceRecord& record) const {
    if (!findControl<QCheckBox>(*controls_, kCrossRouter)->isChecked()) return {};
    const auto a = record.sourceAddress();
    return QHostAddress(quint32{a[0]} << 24 | quint32{a[1]} << 16 | quint32{a[2]} << 8 | a[3]);
}

void CdornDlg::setStatus(const QString& text) {
    status_->setShownText(text);
}

void CdornDlg::startSearch() {
    model_->clear();
    shownIndex_ = -1;
    followingSearch_ = false;
    clockPoll_.stop();
    if (!findControl<QCheckBox>(*controls_, kCrossRouter)->isChecked()) {
        searchBroadcast_.start(kBroadcastDelay);
        return;
    }
    notProvided();  // the sweep over the cross-router ranges and its windows
}

void CdornDlg::closeEvent(QCloseEvent* event) {
    if (settings_) settings_->write(*this);
    QMainWindow::closeEvent(event);
}

void CdornDlg::buildMenus() {
    for (const MenuRow& row : menuTable()) {
        const QString title = utf8(row.menu);
        QMenu* menu = nullptr;
        for (QAction* existing : menuBar()->actions())
            if (existing->text() == title) menu = existing->menu();
        if (!menu) menu = menuBar()->addMenu(title);
        QAction* action = menu->addAction(utf8(row.label));
        action->setObjectName(controlName(row.id));
        if (row.id == kAboutCommand)
            connect(action, &QAction::triggered, this, [this] { CAboutDlg(this).exec(); });
        else if (row.action == CommandAction::Sends)
            connect(action, &QAction::triggered, this, [this, id = row.id] { commands_->run(id); });
        else
            connect(action, &QAction::triggered, this, &CdornDlg::notProvided);
    }
}

void CdornDlg::fillCardList() {
    cards_ = net::networkCards();
    auto* list = findControl<QComboBox>(*controls_, kCardList);
    list->addItem(QStringLiteral(" 默认   (若搜不到设备，请选择对应的网卡)"));
    for (const net::NetworkCard& card : cards_)
        list->addItem(card.address.toString() + QStringLiteral(" | ") + card.description);
    list->setCurrentIndex(0);
}

// The default entry sends a broadcast out of every card, so that it reaches the modules behind each.
std::vector<int> CdornDlg::everyCard() const {
    std::vector<int> indexes;
    for (const net::NetworkCard& card : cards_)
        if (std::ranges::find(indexes, card.interfaceIndex) == indexes.end())
            indexes.push_back(card.interfaceIndex);
    return indexes;
}

void CdornDlg::chooseCard(int entry) {
    bool bound = true;
    if (entry <= 0) {
        bound = link_.open({}, everyCard());
    } else {
        const net::NetworkCard& card = cards_.at(static_cast<std::size_t>(entry - 1));
        bound = link_.open(card.address, {card.interfaceIndex});
    }
    if (!bound) prompter_.inform(this, QStringLiteral("socket bind error"));
}

void CdornDlg::wireControls() {
    connect(findControl<QPushButton>(*controls_, kSearch), &QPushButton::clicked, this,
            &CdornDlg::startSearch);
    connect(findControl<QComboBox>(*controls_, kCardList), &QComboBox::activated, this,
            &CdornDlg::chooseCard);
    connect(list_, &DeviceListView::picked, this, &CdornDlg::showPicked);
    connect(findControl<QCheckBox>(*controls_, kShowPassword), &QCheckBox::toggled, this, [this](bool shown) {
        auto* password = findControl<QLineEdit>(*controls_, kPassword);
        password->setEchoMode(shown ? QLineEdit::Normal : QLineEdit::Password);
        password->setFocus();
    });
    connect(findControl<QPushButton>(*controls_, kLockHelp), &QPushButton::clicked, this, [this] {
        prompter_.inform(this, QStringLiteral("启用后，必须输入用户名和密码，才能搜索 保存 恢复出厂 等操作，"
                                              "如果忘记密码，必须用按键恢复出厂（将丢失所有参数）"));
    });
    for (const int id : kModeLists)
        connect(findControl<QComboBox>(*controls_, id), &QComboBox::activated, this,
                [this] { applyEnablingRules(*controls_); });
    connect(findControl<QComboBox>(*controls_, kSerialMode), &QComboBox::activated, this, [this] {
        if (selectedIndex() < 0)
            setStatus(kChooseModule);
        else
            applyEnablingRules(*controls_);
    });

    // A field the user edits is no longer refreshed by the reply of the search that showed it.
    const auto edited = [this] { followingSearch_ = false; };
    for (const FieldRow& row : fieldTable()) {
        QWidget* control = findControl(*controls_, row.id);
        if (auto* edit = qobject_cast<QLineEdit*>(control))
            connect(edit, &QLineEdit::textEdited, this, edited);
        if (auto* box = qobject_cast<QCheckBox*>(control)) connect(box, &QCheckBox::clicked, this, edited);
        if (auto* combo = qobject_cast<QComboBox*>(control)) {
            connect(combo, &QComboBox::activated, this, edited);
            if (combo->lineEdit()) connect(combo->lineEdit(), &QLineEdit::textEdited, this, edited);
        }
    }
    for (const CommandRow& row : commandTable()) wireCommand(row);
}

void CdornDlg::wireCommand(const CommandRow& row) {
    if (row.action == CommandAction::Own) return;
    auto* button = findControl<QAbstractButton>(*controls_, row.id);
    connect(button, &QAbstractButton::clicked, this, [this, &row, button] {
        switch (row.action) {
            case CommandAction::Sends:
                commands_->run(row.id);
                return;
            case CommandAction::LaterWork:
                // A check box whose action is not there keeps its state: nothing has happened.
                if (row.kind == CommandKind::Check) button->setChecked(!button->isChecked());
                notProvided();
                return;
            default:
                openWindow(row);
                return;
        }
    });
}

void CdornDlg::openWindow(const CommandRow& row) {
    if (selectedIndex() < 0) {
        if (row.action == CommandAction::OpensWindowOrAsks)
            prompter_.inform(this, kChooseModule);
        else
            setStatus(kChooseModule);
        return;
    }
    const auto index = static_cast<std::size_t>(selectedIndex());
    record::DeviceRecord& module = devices_[index];
    switch (row.id) {
        case kDeviceInfo:
            openDeviceInfo(selectedIndex());
            return;
        case kControlPanel: {
            ctrl panel(link_, module, destinationOf(module), liveState_, this);
            panel.exec();
            return;
        }
        case kDebugMonitor:
            showDebugMonitor();
            return;
        case kPwm: {
            pwm window(link_, module, destinationOf(module), this);
            window.exec();
            return;
        }
        case kMotors: {
            moto window(link_, module, destinationOf(module), this);
            window.exec();
            return;
        }
        default:
            notProvided();
            return;  // the other feature windows come with their own work
    }
}

void CdornDlg::openDeviceInfo(int index) {
    const auto row = static_cast<std::size_t>(index);
    auto* window = new devinfo(devices_[row], this);
    window->setAttribute(Qt::WA_DeleteOnClose);
    // Modal on the window, without a loop of its own; whichever button closed it, the row shows the name.
    connect(window, &QDialog::finished, this, [this, row] { model_->refreshRow(row); });
    window->open();
}

void CdornDlg::notProvided() {
    prompter_.inform(this, QStringLiteral("此功能尚未提供"));
}

void CdornDlg::takeReplies() {
    // Handled one by one from the window's own queue, so that a message box opened by a reply, whose loop
    // handles the next ones, keeps them in arrival order.
    for (net::ReceivedDatagram& datagram : link_.takeReceived()) pending_.push_back(std::move(datagram));
    while (!pending_.empty()) {
        const net::ReceivedDatagram datagram = std::move(pending_.front());
        pending_.pop_front();
        handle(datagram);
    }
    if (model_->insertNewRows())
        showNewestModule();
    else if (shownChanged_ && followingSearch_)
        showModule(shownIndex_, true);
    shownChanged_ = false;
}

void CdornDlg::handle(const net::ReceivedDatagram& datagram) {
    std::optional<std::array<std::uint8_t, 8>> clock;
    std::vector<QString> messages;
    std::optional<Bytes> networkTest;
    const record::ReplyOutcome outcome = replies_.handle(
        datagram.source, datagram.bytes,
        [&](const record::DeviceRecord& record, const protocol::ConfigItem& item, bool stored) {
            liveState_.afterItem(record, item, stored);
            if (stored && item.tag == protocol::tag::kClock && item.value.size() == 8)
                std::ranges::copy(item.value, clock.emplace().begin());
            if (item.tag == protocol::tag::kNetworkTest)
                networkTest.emplace(item.value.begin(), item.value.end());
            if (auto text = displayedItemText(item.tag, item.value, stored))
                messages.push_back(std::move(*text));
        });
    using Kind = record::ReplyOutcome::Kind;
    switch (outcome.kind) {
        case Kind::Listed:
        case Kind::Read:
            if (clock) normalizeWeekday(devices_[outcome.index]);
            model_->refreshRow(outcome.index);
            if (outcome.kind == Kind::Listed && std::cmp_equal(outcome.index, shownIndex_))
                shownChanged_ = true;
            break;
        case Kind::Acknowledged:
            if (acknowledgements_) acknowledgements_->acknowledged(outcome.code, outcome.mac);
            break;
        case Kind::Dropped:
        case Kind::ListFull:
        case Kind::ReadUnlisted:
            break;
    }
    // Whichever module sent it, listed or not.
    if (clock) clock_->setShownText(clockText(*clock));
    if (networkTest) commands_->networkTestAnswered(*networkTest);
    for (const QString& text : messages) prompter_.inform(this, text);
}

void CdornDlg::showNewestModule() {
    const int newest = model_->rowCount() - 1;
    list_->selectAndShow(newest);
    showModule(newest, true);
    clockPoll_.start(kClockPollPeriod);
}

void CdornDlg::showPicked() {
    const int index = selectedIndex();
    if (index < 0) {
        followingSearch_ = false;
        setStatus(kChooseModule);
        return;
    }
    showModule(index, false);
}

void CdornDlg::showModule(int index, bool followingSearch) {
    shownIndex_ = index;
    followingSearch_ = followingSearch;
    showRecord(*controls_, devices_[static_cast<std::size_t>(index)]);
}

void CdornDlg::pollClock() {
    const int index = selectedIndex();
    if (index < 0) return;
    const record::DeviceRecord& module = devices_[static_cast<std::size_t>(index)];
    link_.send(protocol::clockPoll(module.mac()), destinationOf(module));
}

}  // namespace norvane::ui
