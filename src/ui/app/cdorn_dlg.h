#pragma once

#include <QHostAddress>
#include <QMainWindow>
#include <QTimer>
#include <deque>
#include <vector>

#include "device_link.h"
#include "live/live_state_mirror.h"
#include "network_cards.h"
#include "record/reply_handler.h"

namespace norvane::ui {

class AcknowledgementHandler;
class DeviceListModel;
class DeviceListView;
class ModuleCommands;
class Prompter;
class SettingsStore;
class StatusText;
struct CommandRow;

// The main window: the device list and every setting of the selected module, the search, the network card,
// the module clock and the openers of the feature windows. It owns the device list and the one device link;
// every reply is handled here, on the window's thread, in arrival order.
class CdornDlg final : public QMainWindow {
    Q_OBJECT
  public:
    // `link` carries the modules' port (1111; tests use their virtual modules' port). `settings` is the
    // tool's settings file, read at start-up and written on close; without one nothing is kept.
    explicit CdornDlg(Prompter& prompter, net::DeviceLink::Options link = {},
                      SettingsStore* settings = nullptr, QWidget* parent = nullptr);
    ~CdornDlg() override;

    // Where the acknowledgements of writes, factory resets and reboots go: to the window's own commands
    // unless a test puts a handler of its own; without one they are ignored.
    void setAcknowledgementHandler(AcknowledgementHandler* handler) { acknowledgements_ = handler; }

    record::DeviceList& devices() { return devices_; }
    net::DeviceLink& link() { return link_; }
    // The first selected row of the device list, or -1.
    int selectedIndex() const;
    // Where a command for this module goes: the address it last answered from while "跨路由器搜" is checked,
    // else the broadcast (a null address).
    QHostAddress destinationOf(const record::DeviceRecord& record) const;
    void setStatus(const QString& text);

    // "搜索设备": empties the list and, with "跨路由器搜" clear, broadcasts the search 200 ms later.
    void startSearch();

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    void buildMenus();
    void fillCardList();
    std::vector<int> everyCard() const;
    void chooseCard(int entry);
    void wireControls();
    void wireCommand(const CommandRow& row);
    void openWindow(const CommandRow& row);
    void notProvided();
    void openDeviceInfo(int index);

    void takeReplies();
    void handle(const net::ReceivedDatagram& datagram);
    void showNewestModule();
    void showPicked();
    void showModule(int index, bool followingSearch);
    void pollClock();

    Prompter& prompter_;
    SettingsStore* settings_;
    AcknowledgementHandler* acknowledgements_ = nullptr;
    record::DeviceList devices_;
    record::ReplyHandler replies_{devices_};
    // The status of the module whose control panel was opened last, kept up to date by its replies.
    live::LiveStateMirror liveState_;
    net::DeviceLink link_;
    std::vector<net::NetworkCard> cards_;
    std::deque<net::ReceivedDatagram> pending_;

    QWidget* controls_ = nullptr;
    DeviceListModel* model_ = nullptr;
    DeviceListView* list_ = nullptr;
    StatusText* status_ = nullptr;
    StatusText* clock_ = nullptr;
    ModuleCommands* commands_ = nullptr;

    QTimer firstSearch_;      // timer 10: the search 200 ms after start-up
    QTimer searchBroadcast_;  // timer 1: the broadcast 200 ms after a search starts
    QTimer clockPoll_;        // timer 2: the selected module's clock, every second

    // The module the controls show. While it is the newest one that the search selected and the user has
    // neither picked a row nor edited a field, later datagrams of its reply are shown as they arrive.
    int shownIndex_ = -1;
    bool followingSearch_ = false;
    bool shownChanged_ = false;
};

}  // namespace norvane::ui
