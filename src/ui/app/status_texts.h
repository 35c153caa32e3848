#pragma once

#include <QString>
#include <span>

#include "record/device_record.h"

namespace norvane::ui {

// A text the main window formats from a record's reported status (connections, 4G, GPS) when it shows the
// record; the user never edits it.
struct StatusTextRow {
    int id;
    const char* label;   // UTF-8
    const char* prefix;  // in front of the label for its accessible name where the label repeats, or null
    bool sideLabel;      // the label is shown beside the text (the connection lines go without one)
    QString (*format)(const record::DeviceRecord& record);
};

std::span<const StatusTextRow> statusTextTable();
const StatusTextRow* findStatusText(int id);

}  // namespace norvane::ui
