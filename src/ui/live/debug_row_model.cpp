#include "live/debug_row_model.h"

#include <QDateTime>
#include <algorithm>

#include "live/monitor_text.h"

namespace norvane::ui {
namespace {

live::ArrivalTime localTime(qint64 msecsSinceEpoch) {
    const QDateTime t = QDateTime::fromMSecsSinceEpoch(msecsSinceEpoch);
    const QDate d = t.date();
    const QTime c = t.time();
    return {d.year(), d.month(), d.day(), c.hour(), c.minute(), c.second(), c.msec()};
}

QString fromUtf8(const std::string& text) {
    return QString::fromStdString(text);
}

ByteView kept(const net::DebugDatagram& d, std::size_t limit = SIZE_MAX) {
    return ByteView(d.bytes).first(std::min(d.bytes.size(), limit));
}

}  // namespace

DebugRowModel::DebugRowModel(std::size_t maxRows, QObject* parent)
    : QAbstractTableModel(parent), maxRows_(std::max<std::size_t>(1, maxRows)) {}

void DebugRowModel::append(std::vector<net::DebugDatagram> batch) {
    if (batch.empty()) return;
    // Rows of a batch larger than the bound would go at once; only their numbers are counted.
    std::size_t skip = 0;
    if (batch.size() > maxRows_) {
        skip = batch.size() - maxRows_;
        counter_ += skip;
        dropped_ += skip;
    }
    const std::size_t adding = batch.size() - skip;
    const std::size_t overflow = rows_.size() + adding > maxRows_ ? rows_.size() + adding - maxRows_ : 0;
    if (overflow > 0) {
        beginRemoveRows({}, 0, static_cast<int>(overflow) - 1);
        rows_.erase(rows_.begin(), rows_.begin() + static_cast<std::ptrdiff_t>(overflow));
        dropped_ += overflow;
        endRemoveRows();
    }
    const int first = static_cast<int>(rows_.size());
    beginInsertRows({}, first, first + static_cast<int>(adding) - 1);
    for (std::size_t i = skip; i < batch.size(); ++i) rows_.push_back({++counter_, std::move(batch[i])});
    endInsertRows();
}

void DebugRowModel::clear() {
    beginResetModel();
    rows_.clear();
    counter_ = 0;
    dropped_ = 0;
    endResetModel();
}

QString DebugRowModel::detail(int row) const {
    const Row& r = rows_.at(static_cast<std::size_t>(row));
    QString text =
        fromUtf8(live::detailText(live::asciiColumn(kept(r.datagram)), live::hexColumn(kept(r.datagram))));
    if (r.datagram.cut())
        text.prepend(QStringLiteral("数据报长 %1 字节，只保留前 %2 字节\r\n\r\n")
                         .arg(r.datagram.length)
                         .arg(r.datagram.bytes.size()));
    return text;
}

int DebugRowModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(rows_.size());
}

int DebugRowModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : ColumnCount;
}

QString DebugRowModel::text(const Row& r, int column) const {
    const net::DebugDatagram& d = r.datagram;
    switch (column) {
        case Number:
            return QString::number(r.number);
        case Time:
            return fromUtf8(live::arrivalText(localTime(d.arrivedMs)));
        case Length:
            return d.cut() ? QStringLiteral("%1 截断").arg(d.length) : QString::number(d.length);
        case Ascii: {
            const ByteView cell = kept(d, kCellBytes);
            QString ascii = fromUtf8(live::asciiColumn(cell));
            if (d.bytes.size() > kCellBytes && std::ranges::find(cell, std::uint8_t{0}) == cell.end())
                ascii += QStringLiteral("…");
            return ascii;
        }
        case Hex: {
            QString hex = fromUtf8(live::hexColumn(kept(d, kCellBytes)));
            if (d.bytes.size() > kCellBytes) hex += QStringLiteral("…");
            return hex;
        }
        default:
            return {};
    }
}

QVariant DebugRowModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount()) return {};
    const Row& r = rows_[static_cast<std::size_t>(index.row())];
    switch (role) {
        case Qt::DisplayRole:
            return text(r, index.column());
        case Qt::ToolTipRole:
            if (r.datagram.cut())
                return QStringLiteral("数据报长 %1 字节，只保留并显示前 %2 字节")
                    .arg(r.datagram.length)
                    .arg(r.datagram.bytes.size());
            return {};
        default:
            return {};
    }
}

QVariant DebugRowModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole) return {};
    switch (section) {
        case Number:
            return QStringLiteral("序号");
        case Time:
            return QStringLiteral("时间");
        case Length:
            return QStringLiteral("长度");
        case Ascii:
            return QStringLiteral("ASCII");
        case Hex:
            return QStringLiteral("HEX");
        default:
            return {};
    }
}

}  // namespace norvane::ui
