#include "live/picture_button.h"

#include <QPainter>
#include <QPixmapCache>
#include <QStyleOptionButton>
#include <QStyleOptionFocusRect>

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
    // The face it paints covers it whole.
    setAttribute(Qt::WA_OpaquePaintEvent);
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
    // Every button of a kind looks the same, so each look is drawn once, at this size and pixel ratio, with
    // the window's background under its rounded corners; a redraw of 64 buttons is then 64 copies.
    const qreal ratio = devicePixelRatioF();
    const bool down = isDown(), focus = hasFocus(), hover = underMouse();
    const QString key = QStringLiteral("norvane-live-%1-%2x%3@%4-%5%6%7")
                            .arg(static_cast<int>(picture_))
                            .arg(width())
                            .arg(height())
                            .arg(ratio)
                            .arg(down)
                            .arg(focus)
                            .arg(hover);
    QPixmap face;
    if (!QPixmapCache::find(key, &face)) {
        face = QPixmap(size() * ratio);
        face.setDevicePixelRatio(ratio);
        face.fill(palette().color(QPalette::Window));
        QPainter painter(&face);
        QStyleOptionButton option;
        option.initFrom(this);
        option.rect = QRect(QPoint(), size());
        option.features = QStyleOptionButton::None;
        option.state |= down ? QStyle::State_Sunken : QStyle::State_Raised;
        style()->drawControl(QStyle::CE_PushButtonBevel, &option, &painter, this);
        // The picture fills the face, inside the bevel.
        paintLivePicture(painter, QRectF(option.rect).adjusted(2, 2, -2, -2), picture_);
        if (focus) {
            QStyleOptionFocusRect frame;
            frame.initFrom(this);
            frame.rect = option.rect.adjusted(3, 3, -3, -3);
            style()->drawPrimitive(QStyle::PE_FrameFocusRect, &frame, &painter, this);
        }
        painter.end();
        QPixmapCache::insert(key, face);
    }
    QPainter(this).drawPixmap(0, 0, face);
}

}  // namespace norvane::ui
