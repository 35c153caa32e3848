#include "prompts/message_box_prompter.h"

#include <QMessageBox>

namespace norvane::ui {

void MessageBoxPrompter::inform(QWidget* parent, const QString& text) {
    // A plain box with OK, captioned with the application's name; its text may come from a module, so it is
    // never read as rich text.
    QMessageBox box(QMessageBox::NoIcon, QStringLiteral("dorn"), text, QMessageBox::Ok, parent);
    box.setTextFormat(Qt::PlainText);
    box.exec();
}

}  // namespace norvane::ui
