#include "app/device_list_model.h"

#include <array>

#include "app/gbk_qstring.h"
#include "app/record_format.h"

namespace norvane::ui {
namespace {

struct ColumnSpec {
    const char* title;
    int width;
};
constexpr std::array<ColumnSpec, DeviceListModel::kColumns> kColumnSpecs{{
    {"设备IP", 130},
    {"MAC地址", 150},
    {"固件版本", 80},
    {"型号", 100},
    {"设备名称", 180},
}};

}  // namespace

DeviceListModel::DeviceListModel(record::DeviceList& list, QObject* parent)
    : QAbstractTableModel(parent), list_(list), rows_(static_cast<int>(list.count())) {}

int DeviceListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : rows_;
}

int DeviceListModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : kColumns;
}

QVariant DeviceListModel::data(const QModelIndex& index, int role) const {
    if (role != Qt::DisplayRole || !index.isValid() || index.row() >= rows_) return {};
    const record::DeviceRecord& r = list_[static_cast<std::size_t>(index.row())];
    switch (index.column()) {
        case kAddress:
            return ipv4Text(r.sourceAddress());
        case kMac:
            return macText(r.mac());
        case kFirmware:
            return fromGbk(r.firmware());
        case kModel:
            return fromGbk(r.model());
        case kName:
            return fromGbk(r.name());
        default:
            return {};
    }
}

QVariant DeviceListModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 || section >= kColumns)
        return {};
    return QString::fromUtf8(kColumnSpecs[static_cast<std::size_t>(section)].title);
}

void DeviceListModel::clear() {
    beginResetModel();
    list_.clear();
    rows_ = 0;
    endResetModel();
}

bool DeviceListModel::insertNewRows() {
    const int count = static_cast<int>(list_.count());
    if (count <= rows_) return false;
    beginInsertRows({}, rows_, count - 1);
    rows_ = count;
    endInsertRows();
    return true;
}

void DeviceListModel::refreshRow(std::size_t index) {
    const int row = static_cast<int>(index);
    if (row >= rows_) return;  // not announced yet: it shows its texts when it is
    Q_EMIT dataChanged(this->index(row, 0), this->index(row, kColumns - 1), {Qt::DisplayRole});
}

int DeviceListModel::columnWidth(int column) {
    return kColumnSpecs.at(static_cast<std::size_t>(column)).width;
}

}  // namespace norvane::ui
