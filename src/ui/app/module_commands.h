#pragma once

#include <QHostAddress>
#include <QObject>
#include <QTimer>
#include <functional>
#include <vector>

#include "app/acknowledgement_handler.h"
#include "bytes.h"
#include "operation/pending_operation.h"
#include "protocol/codes.h"
#include "record/device_record.h"

class QMessageBox;

namespace norvane::ui {

class CdornDlg;
class Prompter;

// The commands the main window sends to the selected module: the configuration save and the maintenance
// commands, with the one operation that waits for their acknowledgement (the status line, timer 3 and the
// three buttons it locks), and the traffic query. Frames leave after their pause by a timer, so the window
// keeps handling replies meanwhile.
class ModuleCommands final : public QObject, public AcknowledgementHandler {
    Q_OBJECT
  public:
    // `controls` is the window's widget holding every control by id.
    ModuleCommands(CdornDlg& window, QWidget& controls, Prompter& prompter);

    // Runs the command of a control or menu entry; false when the id is not one of them.
    bool run(int id);

    void acknowledged(std::uint8_t code, const MacAddress& mac) override;
    // The answer to the external-network test (item 0xB5): closes the waiting box and shows the result.
    void networkTestAnswered(ByteView result);

  private:
    void save();
    void reboot();
    void factoryReset(bool deep);
    void debugMode();
    void calibrate();
    void networkTest();
    void userCodeVersion();
    void trafficQuery();

    // The selected record, or nullptr after telling the user to choose one (in a message box when `ask`).
    record::DeviceRecord* selected(bool ask = false);
    protocol::Route route() const;
    void apply(const operation::OperationStep& step);
    // Once `pause` has passed, builds the datagrams and sends them back to back.
    void sendLater(std::chrono::milliseconds pause, const QHostAddress& to,
                   std::function<std::vector<Bytes>()> build);

    CdornDlg& window_;
    QWidget& controls_;
    Prompter& prompter_;
    operation::PendingOperation pending_;
    QTimer operationTimer_;  // timer 3
    QMessageBox* pingBox_ = nullptr;
};

}  // namespace norvane::ui
