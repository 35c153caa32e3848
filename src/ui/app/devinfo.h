#pragma once

#include <QDialog>

#include "record/device_record.h"

class QLineEdit;

namespace norvane::ui {

// "Device Info": what the module last reported about itself (uptime, memory, versions, ID, restarts), shown
// from its record without asking it, and its device name to edit. "确定" writes the name into the record;
// it reaches the module with the next save.
class devinfo final : public QDialog {
    Q_OBJECT
  public:
    // The most a module reports back of its name: longer names are cut on a character boundary.
    static constexpr std::size_t kNameLimit = 63;

    explicit devinfo(record::DeviceRecord& record, QWidget* parent = nullptr);

  private:
    void rename();

    record::DeviceRecord& record_;
    QLineEdit* name_ = nullptr;
};

}  // namespace norvane::ui
