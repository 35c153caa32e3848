#pragma once

#include <QAbstractTableModel>
#include <deque>
#include <vector>

#include "debug_listener.h"

namespace norvane::ui {

// The debug monitor's rows, one per datagram, in arrival order: "序号", "时间", "长度", "ASCII", "HEX". Rows
// come in batches, so that a flood costs one insertion per batch, and at most `maxRows` are kept: the oldest
// go first. Row numbers come from a running counter that only "清除" resets, so they never repeat.
class DebugRowModel final : public QAbstractTableModel {
    Q_OBJECT
  public:
    enum Column { Number, Time, Length, Ascii, Hex, ColumnCount };
    static constexpr std::size_t kDefaultMaxRows = 10000;
    // The list shows at most this many of a datagram's bytes in its ASCII and HEX cells, far more than a
    // cell is wide; the detail box shows all that were kept.
    static constexpr std::size_t kCellBytes = 1024;

    explicit DebugRowModel(std::size_t maxRows = kDefaultMaxRows, QObject* parent = nullptr);

    void append(std::vector<net::DebugDatagram> batch);
    void clear();

    std::size_t maxRows() const { return maxRows_; }
    // Rows dropped to keep within maxRows since the last clear.
    std::uint64_t dropped() const { return dropped_; }
    // The detail box's text for a row.
    QString detail(int row) const;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

  private:
    struct Row {
        std::uint64_t number;
        net::DebugDatagram datagram;
    };
    QString text(const Row& row, int column) const;

    std::size_t maxRows_;
    std::deque<Row> rows_;
    std::uint64_t counter_ = 0;
    std::uint64_t dropped_ = 0;
};

}  // namespace norvane::ui
