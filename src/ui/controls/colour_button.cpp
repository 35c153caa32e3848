#include "controls/colour_button.h"

#include <QStyleOptionButton>
#include <QStylePainter>

namespace norvane::ui {

ColourButton::ColourButton(const QString& text, QWidget* parent) : QPushButton(text, parent) {
    setAutoDefault(false);
}

void ColourButton::setColours(const QColor& atRest, const QColor& focused) {
    atRest_ = atRest;
    focused_ = focused;
    update();
}

void ColourButton::paintEvent(QPaintEvent*) {
    QStylePainter painter(this);
    QStyleOptionButton option;
    initStyleOption(&option);
    const QColor colour = hasFocus() ? focused_ : atRest_;
    if (!underMouse() && colour.isValid()) option.palette.setColor(QPalette::Button, colour);
    painter.drawControl(QStyle::CE_PushButton, option);
}

}  // namespace norvane::ui
