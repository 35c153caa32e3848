#pragma once

#include <QPushButton>

#include "controls/control_id.h"

namespace norvane::ui {

// A push button that carries its control identifier and never takes Enter as the dialog's default, so a
// key pressed in an edit box never sends a command to a module.
inline QPushButton* commandButton(int id, const QString& text, QWidget* parent) {
    auto* b = new QPushButton(text, parent);
    b->setObjectName(controlName(id));
    b->setAutoDefault(false);
    return b;
}

}  // namespace norvane::ui
