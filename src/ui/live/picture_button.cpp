#include "live/picture_button.h"

#include <QPainter>
#include <QStyleOptionButton>

#include "controls/control_id.h"

namespace norvane::ui {
namespace {

QString stateText(LivePicture picture) {
    switch (picture) {
        case LivePicture::BlackDot:
            return QStringLiteral("低");
        case LivePicture::GreenDot:
            return QStringLiteral("高");
        case LivePicture::OpenContact:
            return QStringLiteral("断开");
        case LivePicture::ClosedContact:
            return QStringLiteral("闭合");
    }
    return {};
}

}  // namespace

PictureButton::PictureButton(int id, const QString& accessibleName, LivePicture picture, QWidget* parent)
    : QAbstractButton(parent), picture_(picture) {
    setObjectName(controlName(id));
    setAccessibleName(accessibleName);
    setAccessibleDescription(stateText(picture));
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    setFocusPolicy(Qt::TabFocus);
}

void PictureButton::setPicture(LivePicture picture) {
    if (picture == picture_) return;
    picture_ = picture;
    setAccessibleDescription(stateText(picture));
    update();
}

QSize PictureButton::sizeHint() const {
    return {35, 27};
}

QSize PictureButton::minimumSizeHint() const {
    return {24, 22};
}

void PictureButton::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    QStyleOptionButton option;
    option.initFrom(this);
    option.features = QStyleOptionButton::None;
    if (isDown())
        option.state |= QStyle::State_Sunken;
    else
        option.state |= QStyle::State_Raised;
    style()->drawControl(QStyle::CE_PushButtonBevel, &option, &painter, this);
    // The picture fills the face, inside the bevel.
    paintLivePicture(painter, QRectF(rect()).adjusted(2, 2, -2, -2), picture_);
}

}  // namespace norvane::ui
