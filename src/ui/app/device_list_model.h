#pragma once

#include <QAbstractTableModel>

#include "record/device_list.h"

namespace norvane::ui {

// The device list as the view sees it: one row per listed module, in order of first reply, showing the
// record's texts as they are now. The model counts the rows it has announced, so the list may grow before
// the model is told and a new module costs one inserted row, never a rebuild.
class DeviceListModel final : public QAbstractTableModel {
    Q_OBJECT
  public:
    enum Column : int { kAddress, kMac, kFirmware, kModel, kName, kColumns };

    explicit DeviceListModel(record::DeviceList& list, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    // Empties the list (a new search) and every row with it.
    void clear();
    // Announces the modules the list gained since the last call in one insertion; returns whether there
    // were any.
    bool insertNewRows();
    // A listed module's record changed: its row shows the new texts.
    void refreshRow(std::size_t index);

    // The header's widths of the five columns, in pixels.
    static int columnWidth(int column);

  private:
    record::DeviceList& list_;
    int rows_ = 0;
};

}  // namespace norvane::ui
