#pragma once

#include <QWidget>

#include "record/device_record.h"

namespace norvane::ui {

class Prompter;

// Copies the main window's configuration controls into a record: the inverse of showing it. A data box that
// cannot be stored (hex that is not hex, more bytes than its field holds) is told to the user once and keeps
// its field and byte count; a drop-down list with nothing chosen keeps its field; everything else is read.
void readControlsIntoRecord(QWidget& window, record::DeviceRecord& record, Prompter& prompter);

}  // namespace norvane::ui
