#include "live/live_pictures.h"

#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <algorithm>
#include <cmath>

namespace norvane::ui {
namespace {

void paintDot(QPainter& p, const QRectF& area, bool high) {
    const qreal d = std::min(area.width(), area.height()) * 0.7;
    const QRectF dot(area.center() - QPointF(d / 2, d / 2), QSizeF(d, d));
    const QColor body = high ? QColor(0, 190, 0) : QColor(20, 20, 20);
    // A light from the upper left, so the dot reads as a lamp.
    QRadialGradient light(dot.topLeft() + QPointF(d * 0.35, d * 0.3), d * 0.75);
    light.setColorAt(0, high ? QColor(170, 255, 170) : QColor(110, 110, 110));
    light.setColorAt(1, body);
    p.setPen(QPen(body.darker(160), std::max<qreal>(1, d / 14)));
    p.setBrush(light);
    p.drawEllipse(dot);
}

void paintContact(QPainter& p, const QRectF& area, bool closed) {
    // A relay's normally open contact: two terminals on a line, the blade hinged on the left one.
    const qreal h = area.height();
    const qreal y = area.center().y() + (closed ? 0 : h * 0.15);
    const qreal left = area.left() + area.width() * 0.06, right = area.right() - area.width() * 0.06;
    const qreal hingeX = left + (right - left) * 0.25, tipX = left + (right - left) * 0.75;
    const qreal r = std::max<qreal>(1.5, h * 0.1);
    const QColor ink = closed ? QColor(0, 140, 0) : QColor(60, 60, 60);
    QPen pen(ink, std::max<qreal>(1.2, h * 0.07), Qt::SolidLine, Qt::RoundCap);
    p.setPen(pen);
    p.drawLine(QPointF(left, y), QPointF(hingeX - r, y));
    p.drawLine(QPointF(tipX + r, y), QPointF(right, y));
    const qreal blade = tipX - hingeX;
    const qreal angle = closed ? 0 : 28 * M_PI / 180;
    p.drawLine(QPointF(hingeX, y), QPointF(hingeX + blade * std::cos(angle), y - blade * std::sin(angle)));
    p.setBrush(ink);
    p.drawEllipse(QPointF(hingeX, y), r, r);
    p.setBrush(closed ? ink : QColor(Qt::white));
    p.drawEllipse(QPointF(tipX, y), r, r);
}

}  // namespace

void paintLivePicture(QPainter& painter, const QRectF& area, LivePicture picture) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    switch (picture) {
        case LivePicture::BlackDot:
        case LivePicture::GreenDot:
            paintDot(painter, area, picture == LivePicture::GreenDot);
            break;
        case LivePicture::OpenContact:
        case LivePicture::ClosedContact:
            paintContact(painter, area, picture == LivePicture::ClosedContact);
            break;
    }
    painter.restore();
}

}  // namespace norvane::ui
