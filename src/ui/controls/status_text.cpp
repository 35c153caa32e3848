#include "controls/status_text.h"

namespace norvane::ui {

StatusText::StatusText(const QString& accessibleName, const QString& initialText, QWidget* parent)
    : QLabel(parent) {
    setTextFormat(Qt::PlainText);
    setTextInteractionFlags(Qt::TextSelectableByMouse);
    setAccessibleName(accessibleName);
    setShownText(initialText);
}

void StatusText::setShownText(const QString& text) {
    setText(text);
    setAccessibleDescription(text);
}

}  // namespace norvane::ui
