#pragma once

#include <QWidget>

#include "record/device_record.h"

namespace norvane::ui {

// Fills the main window's controls from a record: every field, every status text, then the enabling rules.
// The hex boxes decide how the data fields show; nothing in the record changes.
void showRecord(const QWidget& window, const record::DeviceRecord& record);

// Enables the fields of TCP A and TCP B that their work and registration modes use, and the serial master
// and timing fields that the serial work mode uses, as the drop-down lists read now.
void applyEnablingRules(const QWidget& window);

}  // namespace norvane::ui
