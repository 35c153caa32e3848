#pragma once

#include <QDialog>

#include "debug_listener.h"
#include "live/debug_row_model.h"

class QCheckBox;
class QPlainTextEdit;
class QTableView;

namespace norvane::ui {

class StatusText;

// The debug monitor ("DEBUG"): every datagram that reaches the PC's UDP port 1112, one row each, with its
// arrival time, length, text and hexadecimal bytes; a click on a row shows both forms in the detail box. It
// listens on its own socket and never sends. "停止显示" drops what arrives, "自动滚动" keeps the newest row
// in view, "清除" empties the list and restarts the numbers.
class debug final : public QDialog {
    Q_OBJECT
  public:
    static constexpr int kList = 1099, kStopShowing = 1042, kAutoScroll = 1226, kClear = 1040, kDetail = 1100;

    explicit debug(net::DebugListener::Options listener, std::size_t maxRows = DebugRowModel::kDefaultMaxRows,
                   QWidget* parent = nullptr);

    const DebugRowModel& rows() const { return model_; }
    const net::DebugListener& listener() const { return listener_; }

  private:
    void takeDatagrams();
    void showSelected();
    void showCount();

    net::DebugListener listener_;
    quint16 port_;
    DebugRowModel model_;
    QTableView* list_ = nullptr;
    QCheckBox* stopShowing_ = nullptr;
    QCheckBox* autoScroll_ = nullptr;
    QPlainTextEdit* detail_ = nullptr;
    StatusText* count_ = nullptr;
};

// The tool's one monitor: made, with its listener on port 1112, at the first call, then shown and raised at
// every call. Closing it only hides it, and datagrams keep being listed; it lives until the application
// quits.
debug& showDebugMonitor();

}  // namespace norvane::ui
