#pragma once

#include <QRectF>

class QPainter;

namespace norvane::ui {

// The control panel's pictures, drawn at whatever size they are shown: an input's dot and an output's relay
// contact.
enum class LivePicture { BlackDot, GreenDot, OpenContact, ClosedContact };

void paintLivePicture(QPainter& painter, const QRectF& area, LivePicture picture);

}  // namespace norvane::ui
