#pragma once

#include <QObject>
#include <QString>
#include <QWidget>

namespace norvane::ui {

// Every control carries its numeric identifier as its object name ("c1037" for 1037), menu entries their
// command identifiers, so that code, tests and the window descriptions speak the same numbers.
inline QString controlName(int id) {
    return QStringLiteral("c%1").arg(id);
}

// The control with this identifier inside a window, or nullptr.
template <typename T = QWidget>
T* findControl(const QObject& window, int id) {
    return window.findChild<T*>(controlName(id));
}

}  // namespace norvane::ui
